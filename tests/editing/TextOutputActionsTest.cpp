// Behaviour of the text output commands: the file name and dialog, the
// range, the unencodable and cannot-create cases, the clipboard copy, the
// format dialog, and the live outline left as it was.
#include <QTemporaryDir>

#include "editing/TextOutputActions.h"
#include "platform/FileIo.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"
#include "support/PanesFixture.h"

namespace qm::test {
namespace {

using namespace Qt::StringLiterals;

class TextOutputCommand : public TreePaneFixture {
 protected:
  TextOutputCommand() {
    // An outline file of its own, so that the document has a path.
    CTreeStore source(settings, clock);
    source.AddRoot(u"Plan"_s);
    source.InsertChild(0, u"A"_s, {}, u"a body"_s, 0, 0);
    source.InsertChild(1, u"A1"_s, {}, {}, 0, 0);
    source.InsertChild(0, u"B"_s, {}, {}, 0, 0);
    source.GetNode(2).m_bExpand = 0;
    EXPECT_TRUE(source.SaveOutline(dir.filePath(u"plan.qmp"_s)));
    doc.OpenDocument(dir.filePath(u"plan.qmp"_s));
    ShowLoaded();
  }

  QString Out(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
  std::optional<QByteArray> File(const char* name) const { return ReadWholeFile(Out(name)); }

  QTemporaryDir dir;
  TextOutputActions actions{doc, settings, clock, prompt, dialogs, dialogs, clipboard};
};

TEST(TextOutputFileName, IsTheDocumentNameWithTheFormsExtension) {
  EXPECT_EQ(TextOutputActions::ProposedFileName(u"/home/u/plan.v2.qmp"_s, 0), u"plan.v2.txt"_s);
  EXPECT_EQ(TextOutputActions::ProposedFileName(u"\\My Documents\\plan.qmp"_s, 3), u"plan.txt"_s);
  EXPECT_EQ(TextOutputActions::ProposedFileName(u"/home/u/plan.qmp"_s, 4), u"plan.html"_s);
  EXPECT_EQ(TextOutputActions::ProposedFileName(u"/home/u/plan.qmp"_s, 5), u"plan.html"_s);
  EXPECT_EQ(TextOutputActions::ProposedFileName({}, 4), QString());
}

TEST_F(TextOutputCommand, AsksForTheFileAndWritesTheSelectedBranch) {
  Select("Plan/A");
  EXPECT_FALSE(actions.OutputToFile());  // cancelled: nothing written, nothing said
  ASSERT_EQ(dialogs.SaveRequests().size(), 1u);
  const SaveFileRequest& request = dialogs.SaveRequests().front();
  EXPECT_EQ(request.title, res::kTextOutputTitle.toString());
  EXPECT_EQ(request.proposedName, u"plan.txt"_s);
  EXPECT_EQ(request.defaultExtension, u"txt"_s);
  EXPECT_EQ(request.filters, res::kTextOutputFilters.toString());
  EXPECT_TRUE(prompt.Asked().isEmpty());

  dialogs.ScriptSaveFileName({Out("branch.txt")});
  EXPECT_TRUE(actions.OutputToFile());
  EXPECT_EQ(File("branch.txt"), QByteArray("\x87T.A\r\n  a body\r\n  1.A1\r\n"));

  qm::Write(settings, qm::settings::kTextSelectOnly, 0);
  dialogs.ScriptSaveFileName({Out("whole.txt")});
  EXPECT_TRUE(actions.OutputToFile());
  EXPECT_EQ(File("whole.txt"), QByteArray("Plan\r\n\x87T.A\r\n  a body\r\n  1.A1\r\n\x87U.B\r\n"));
}

TEST_F(TextOutputCommand, LeavesTheLiveOutlineAndThePaneAsTheyWere) {
  CTreeStore& store = doc.Store();
  const QString label = pane.Get(store.GetItem(1)).text;
  const QString branch = store.GetBranchText(0, true);
  qm::Write(settings, qm::settings::kTextSelectOnly, 0);
  dialogs.ScriptSaveFileName({Out("x.txt")});
  EXPECT_TRUE(actions.OutputToFile());
  actions.CopyToClipboard();

  EXPECT_EQ(store.GetChapter(1), QString());  // not shown, so never counted
  EXPECT_EQ(store.GetBranchText(0, true), branch);
  EXPECT_EQ(store.GetNode(2).m_bExpand, 0);
  EXPECT_EQ(pane.Get(store.GetItem(1)).text, label);
  EXPECT_FALSE(pane.Get(store.GetItem(1)).expanded);
  EXPECT_EQ(store.GetSelected(), 0);
  EXPECT_FALSE(doc.IsModified());
}

// The copy numbers as a copy does, and keeps what the code page cannot hold.
TEST_F(TextOutputCommand, CopyPutsTheSelectedBranchOnTheClipboard) {
  qm::Write(settings, qm::settings::kTextForm, TextFormat::kChapterNumbers);
  Select("Plan/A");
  body.text = u"a body ก😀"_s;
  actions.CopyToClipboard();
  EXPECT_EQ(clipboard.Text(), u"A\r\na body ก😀\r\n  1 A1\r\n"_s);
}

// What the user typed into the body is written back first.
TEST_F(TextOutputCommand, AsksBeforeWritingUnencodableCharactersAsQuestionMarks) {
  qm::Write(settings, qm::settings::kTextForm, TextFormat::kAsItIs);
  Select("Plan/B");
  body.text = u"ก"_s;
  prompt.Script({PromptAnswer::Cancel});
  dialogs.ScriptSaveFileName({Out("lossy.txt"), Out("lossy.txt")});
  EXPECT_FALSE(actions.OutputToFile());
  EXPECT_EQ(prompt.Asked(), QStringList{res::kAskSaveUnencodable.toString().arg(u"ก"_s)});
  EXPECT_FALSE(File("lossy.txt"));
  EXPECT_TRUE(actions.OutputToFile());
  EXPECT_EQ(File("lossy.txt"), QByteArray("B\r\n?\r\n"));
}

TEST_F(TextOutputCommand, AFileThatCannotBeCreatedIsToldAndChangesNothing) {
  dialogs.ScriptSaveFileName({Out("missing/folder/out.txt")});
  EXPECT_FALSE(actions.OutputToFile());
  EXPECT_EQ(prompt.Asked(), QStringList{res::kCannotCreateOutputFile.toString() +
                                        res::kFileReason.toString().arg(res::kFileReasonNotFound)});
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(TextOutputCommand, FormatDialogShowsTheStoredOptionsAndStoresItsAnswer) {
  qm::Write(settings, qm::settings::kTextWidth, 60);
  EXPECT_FALSE(actions.EditFormat());
  ASSERT_EQ(dialogs.TextFormatRequests().size(), 1u);
  EXPECT_EQ(dialogs.TextFormatRequests().front().width, 60);
  EXPECT_EQ(dialogs.TextFormatRequests().front().separator, u"-"_s);
  EXPECT_FALSE(settings.Contains(u"Text"_s, u"Form"_s));

  TextFormat chosen{5, 1, false, true, false, true, true, 40, u"."_s, 4, 3};
  dialogs.ScriptTextFormat({chosen});
  EXPECT_TRUE(actions.EditFormat());
  EXPECT_EQ(ReadTextFormat(settings), chosen);
  EXPECT_EQ(qm::Read(settings, qm::settings::kTextForm), 5);
  EXPECT_EQ(qm::Read(settings, qm::settings::kTextShowStr), u"."_s);
}

}  // namespace
}  // namespace qm::test
