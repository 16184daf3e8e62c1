// Key customisation in the running program: the dialog's behaviour, the
// frame's share of key dispatch, start and exit, and the menus' key texts.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/KeyCustomisation.h"
#include "app/KeyCustomisationSession.h"
#include "model/ReadBudget.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/KeyStrings.h"
#include "support/FakeDialogs.h"
#include "support/FakePrompt.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

constexpr int kF1Row = 0;  // the key list's first row
constexpr int kF6 = 117;
constexpr int kA = 65;
constexpr int kARow = 13;  // after F1..F12 and "@"

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// The command list's row for a command: after "（なし）".
int RowOf(int command) { return CommandNameRow(command) + 1; }

class KeyCustomisationTest : public ::testing::Test {
 protected:
  void Bind(int key, int alt, int shift, int ctrl, int command) {
    keys.Table().Append(CKeycust{key, alt, ctrl, shift, command});
    keys.BindingsChanged();
  }
  // Opens the dialog and lets user act on it.
  void Customise(test::FakeDialogs::KeysUser user) {
    dialogs.ScriptKeys(std::move(user));
    keys.Customise();
  }

  QTemporaryDir dir;
  MemorySettingsStore settings;
  test::FakePrompt prompt;
  test::FakeDialogs dialogs;
  CKeyCustomisation keys{settings, prompt, dialogs, dialogs};
  int changes = 0;
  bool sinkSet = [this] {
    keys.SetBindingsSink([this] { ++changes; });
    return true;
  }();
};

TEST_F(KeyCustomisationTest, KeyListShowsTheTickedModifiersAndTheCommandOfTheCombination) {
  Bind(kA, 0, 1, 1, kCmdSave);
  Customise([](KeyCustomisationSession& session) {
    const QStringList plain = session.KeyListTexts();
    ASSERT_EQ(plain.size(), 78);
    EXPECT_EQ(plain[kF1Row], u"F1"_s);
    EXPECT_EQ(plain.last(), u"NUMPAD9"_s);
    EXPECT_EQ(session.SelectedKey(), kF1Row);
    EXPECT_EQ(session.CommandRow(), 0);

    session.SelectKey(kARow);
    EXPECT_EQ(session.CommandRow(), 0) << "plain A is not bound";
    session.SetModifiers(/*ctrl=*/true, /*shift=*/true, /*alt=*/false);
    EXPECT_EQ(session.KeyListTexts()[kARow], u"Shift+Ctrl+A"_s);
    EXPECT_EQ(session.SelectedKey(), kARow) << "the key stays selected";
    EXPECT_EQ(session.CommandRow(), RowOf(kCmdSave));
    session.SetModifiers(true, true, true);
    EXPECT_EQ(session.KeyListTexts()[0], u"Alt+Shift+Ctrl+F1"_s);
  });
  const QStringList commands = KeyCustomisationSession::CommandListTexts();
  ASSERT_EQ(commands.size(), 57);
  EXPECT_EQ(commands[0], u"（なし）"_s);
  EXPECT_EQ(commands[1], u"[ﾌｧｲﾙ]新規作成"_s);
  EXPECT_EQ(commands[56], u"[ﾂﾘｰｴﾘｱ]ﾂﾘｰの修正"_s);
}

TEST_F(KeyCustomisationTest, ChoosingACommandAddsReplacesAndRemovesTheBinding) {
  Customise([](KeyCustomisationSession& session) {
    session.SelectKey(kARow);
    session.SetModifiers(true, false, false);
    session.ChooseCommandRow(0);  // nothing bound: nothing happens
    session.ChooseCommandRow(RowOf(kCmdCopy));
    session.ChooseCommandRow(RowOf(kCmdPaste));
  });
  ASSERT_EQ(keys.Table().Count(), 1);
  EXPECT_EQ(keys.Table().LookUp(kA, 0, 0, 1), kCmdPaste);
  EXPECT_EQ(changes, 1 + 3) << "each choice and the closing show the new key texts";

  Customise([](KeyCustomisationSession& session) {
    session.SelectKey(kARow);
    session.SetModifiers(true, false, false);
    session.ChooseCommandRow(0);
    session.ChooseCommandRow(999);  // no such row
  });
  EXPECT_EQ(keys.Table().Count(), 0);
}

// The dialog changes the table in place: cancelling keeps the changes for
// this run, but only OK writes them to the file.
TEST_F(KeyCustomisationTest, OkWritesTheFileCancelKeepsTheChangesInMemoryOnly) {
  const QString path = dir.filePath(u"mine.key"_s);
  keys.Table().SetPath(path);
  const auto bindCtrlA = [](KeyCustomisationSession& session) {
    session.SelectKey(kARow);
    session.SetModifiers(true, false, false);
    session.ChooseCommandRow(RowOf(kCmdSelectAll));
  };
  Customise(bindCtrlA);
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(keys.Table().LookUp(kA, 0, 0, 1), kCmdSelectAll);

  Customise([](KeyCustomisationSession& session) { session.Ok(); });
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  ReadBudget budget(bytes.size());
  const auto records = DecodeKeyFile(bytes, budget);
  ASSERT_TRUE(records);
  ASSERT_EQ(records->size(), 1u);
  EXPECT_EQ((*records)[0],
            (CKeycust{.key = kA, .alt = 0, .ctrl = 1, .shift = 0, .command = kCmdSelectAll}));
  EXPECT_TRUE(prompt.Asked().isEmpty());
}

TEST_F(KeyCustomisationTest, OkThatCannotWriteSaysSoAndTheDialogStillCloses) {
  keys.Table().SetPath(dir.filePath(u"missing/folder/x.key"_s));
  Customise([](KeyCustomisationSession& session) { session.Ok(); });
  ASSERT_EQ(prompt.Asked().size(), 1);
  EXPECT_TRUE(prompt.Asked()[0].startsWith(u"保存できません"_s)) << prompt.Asked()[0].toStdString();
  EXPECT_EQ(dialogs.keyDialogsShown, 1);
}

TEST_F(KeyCustomisationTest, SaveAndLoadGoThroughTheFileDialogs) {
  const QString saved = dir.filePath(u"saved.KEY"_s);
  Bind(kF6, 0, 0, 0, kCmdSwitchPanes);
  dialogs.ScriptSaveFileName({saved});
  Customise([](KeyCustomisationSession& session) { session.SaveToChosenFile(); });
  ASSERT_EQ(dialogs.SaveRequests().size(), 1u);
  const SaveFileRequest& request = dialogs.SaveRequests()[0];
  EXPECT_EQ(request.title, u"ｷｰ定義ﾌｧｲﾙ名の入力"_s);
  EXPECT_EQ(request.defaultExtension, u"KEY"_s);
  EXPECT_EQ(request.proposedName, u"*.KEY"_s);
  EXPECT_EQ(request.filters, u"KEYﾌｧｲﾙ(*.KEY) |*.KEY| 全てのﾌｧｲﾙ(*.*) |*.*||"_s);
  ASSERT_TRUE(QFile::exists(saved));
  EXPECT_EQ(keys.Table().Path(), saved) << "OK later writes where the user saved";

  keys.Table().Clear();
  dialogs.ScriptOpenFileName({saved});
  Customise([](KeyCustomisationSession& session) { session.LoadFromChosenFile(); });
  EXPECT_EQ(keys.Table().LookUp(kF6, 0, 0, 0), kCmdSwitchPanes);
  EXPECT_EQ(Read(settings, settings::kKeyFile), saved);
  EXPECT_EQ(dialogs.OpenRequests().back().initialName, u"*.KEY"_s);

  // Cancelled dialogs change nothing.
  Customise([](KeyCustomisationSession& session) {
    session.SaveToChosenFile();
    session.LoadFromChosenFile();
  });
  EXPECT_EQ(keys.Table().Count(), 1);
  EXPECT_TRUE(prompt.Asked().isEmpty());
}

TEST_F(KeyCustomisationTest, AFileThatIsNoKeyFileIsRefusedAndTheBindingsStay) {
  const QString junk = dir.filePath(u"junk.KEY"_s);
  WriteFile(junk, "not a key file at all");
  Bind(kF6, 0, 0, 0, kCmdSwitchPanes);
  keys.Table().SetPath(dir.filePath(u"before.key"_s));
  dialogs.ScriptOpenFileName({junk});
  Customise([](KeyCustomisationSession& session) { session.LoadFromChosenFile(); });
  ASSERT_EQ(prompt.Asked().size(), 1);
  EXPECT_TRUE(prompt.Asked()[0].startsWith(u"読み込めません"_s));
  EXPECT_EQ(keys.Table().Count(), 1);
  EXPECT_EQ(keys.Table().Path(), dir.filePath(u"before.key"_s))
      << "a later OK must not write over the file that could not be read";
}

// From the tree pane the frame takes every bound key; from the body pane
// only the pane switch's, so that bound letters are still typed.
TEST_F(KeyCustomisationTest, TheFrameTakesBoundKeysFromTheTreeAndOnlyThePaneSwitchFromTheText) {
  Bind(kA, 0, 0, 0, kCmdCopy);
  Bind(kF6, 0, 0, 0, kCmdSwitchPanes);
  Bind(kA, 0, 0, 1, kCmdSwitchPanes);
  Bind(13, 0, 0, 0, kCmdToggleCheck);  // Enter
  Bind(kA, 1, 0, 0, 0);                // bound to nothing

  const KeyPress plainA{kA};
  EXPECT_EQ(keys.FrameCommandFor(Pane::Tree, plainA), kCmdCopy);
  EXPECT_EQ(keys.FrameCommandFor(Pane::Body, plainA), 0);
  EXPECT_EQ(keys.FrameCommandFor(Pane::Body, KeyPress{kF6}), kCmdSwitchPanes);
  EXPECT_EQ(keys.FrameCommandFor(Pane::Body, KeyPress{kA, false, false, true}), kCmdSwitchPanes);
  // A bound Enter is the binding's, even where reading mode would switch panes.
  EXPECT_EQ(keys.FrameCommandFor(Pane::Tree, KeyPress{13}), kCmdToggleCheck);
  EXPECT_EQ(keys.FrameCommandFor(Pane::Tree, KeyPress{kA, true}), 0);
  EXPECT_EQ(keys.FrameCommandFor(Pane::Tree, KeyPress{0}), 0) << "keys without a code";
}

TEST_F(KeyCustomisationTest, ThePaneSwitchKeysFollowTheDialog) {
  Customise([](KeyCustomisationSession& session) {
    session.SelectKey(kARow);
    session.ChooseCommandRow(RowOf(kCmdSwitchPanes));
  });
  EXPECT_EQ(keys.FrameCommandFor(Pane::Body, KeyPress{kA}), kCmdSwitchPanes);
  Customise([](KeyCustomisationSession& session) {
    session.SelectKey(kARow);
    session.ChooseCommandRow(RowOf(kCmdCopy));
  });
  EXPECT_EQ(keys.FrameCommandFor(Pane::Body, KeyPress{kA}), 0);
}

TEST_F(KeyCustomisationTest, StartIsSilentWithoutAFileAndSpeaksUpForABrokenOne) {
  EXPECT_FALSE(keys.Start(dir.path()));
  EXPECT_TRUE(prompt.Asked().isEmpty());
  EXPECT_EQ(keys.Table().Count(), 0);

  WriteFile(dir.filePath(u"quillmap.key"_s), QByteArray("\x01\x00\xff\xff", 4));
  EXPECT_FALSE(keys.Start(dir.path()));
  ASSERT_EQ(prompt.Asked().size(), 1);
  EXPECT_TRUE(prompt.Asked()[0].startsWith(u"読み込めません"_s));

  keys.Exit();
  EXPECT_EQ(Read(settings, settings::kKeyFile), dir.filePath(u"quillmap.key"_s));
}

TEST_F(KeyCustomisationTest, MenusShowTheFirstBindingAndFindNextShowsRepeatFind) {
  Bind(114, 0, 0, 0, kCmdRepeatFind);  // F3
  Bind(kA, 0, 0, 1, kCmdSave);
  Bind(83, 0, 0, 1, kCmdSave);  // Ctrl+S, second
  EXPECT_EQ(keys.MenuKeyTextFor(kCmdFindNext), u"F3"_s);
  EXPECT_EQ(keys.MenuKeyTextFor(kCmdSave), u"Ctrl+A"_s);
  EXPECT_EQ(keys.MenuKeyTextFor(kCmdOpen), QString());
  Bind(115, 0, 0, 0, kCmdFindNext);
  EXPECT_EQ(keys.MenuKeyTextFor(kCmdFindNext), u"F4"_s) << "its own binding comes first";
}

}  // namespace
}  // namespace qm
