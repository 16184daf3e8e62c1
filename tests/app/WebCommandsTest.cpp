// The web side of the program over a scripted service: the four web
// commands, the document's open and save of web paths, the account dialog's
// rules, and what a failure leaves behind (nothing: the document, its path
// and the account stay as they were, and no temporary file is left).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "editing/WebAccess.h"
#include "net/WebAccount.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/NetStrings.h"
#include "support/QtPrinting.h"
#include "support/WorkspaceFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;
using test::FakeHttpClient;

class WebCommandsTest : public test::WorkspaceFixture {
 protected:
  // Sets the account up through the account command.
  void SignIn() {
    dialogs.ScriptWebAccount({WebAccountAnswer{u"me@example.jp"_s, u"secret"_s, {}, {}}});
    ASSERT_TRUE(router.Execute(kCmdWebAccount));
    ASSERT_TRUE(workspace.Web().HasAccount());
  }
  // The service's answers to a list, and to opening web file f2 "仕事"
  // holding an outline of nodes.
  void QueueList() {
    http.Queue(FakeHttpClient::Xml(
        u"<r><key>k</key><date>d</date>"
        "<file><title>旅行</title><fileid>f1</fileid><update>2010</update></file>"
        "<file><title>仕事</title><fileid>f2</fileid><update>2011</update></file></r>"));
  }
  void QueueDownload(std::initializer_list<const char*> nodes) {
    http.Queue(FakeHttpClient::Xml(u"<r><key>k</key><date>d</date><title>仕事</title></r>"));
    QFile file(WriteOutline("served.qmp", nodes));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    http.Queue(FakeHttpClient::File("f2.qmp", file.readAll()));
    file.close();
    file.remove();
  }
  // Files the web side left in the test's folder, which is its temporary folder.
  QStringList LeftOver() const {
    return QDir(dir.path()).entryList({u"vorelnet*"_s, u"f2.qmp"_s}, QDir::Files);
  }
  QString RequestUrl(int i) const { return http.Requests().at(i).url; }
};

TEST_F(WebCommandsTest, OpenFromTheWebOpensTheChosenOutlineUnderItsWebPath) {
  StartOn({"Local"});
  SignIn();
  QueueList();
  QueueDownload({"Work", "Work/Plan=step one"});
  dialogs.ScriptWebFile({1});
  ASSERT_TRUE(router.Execute(kCmdOpenFromWeb));

  EXPECT_EQ(dialogs.WebFileRequests().back(), (QStringList{u"旅行"_s, u"仕事"_s}));
  EXPECT_EQ(test::ReadablePaths(Store()), (QStringList{"Work", "Work/Plan"}));
  const CQuillmapDoc& document = workspace.Document();
  EXPECT_EQ(document.PathName(), u"net:f2;仕事");
  EXPECT_EQ(document.Title(), u"仕事");
  EXPECT_FALSE(document.IsModified());
  // The recent-file list shows the title; the next start reopens the web file.
  EXPECT_EQ(appHost.recentFiles.value(0), u"仕事");
  EXPECT_EQ(workspace.App().RecentFiles().Entries().value(0), u"net:f2;仕事");
  EXPECT_EQ(Read(settings, settings::kLastFile), u"net:f2;仕事");
  EXPECT_TRUE(LeftOver().isEmpty());
  EXPECT_TRUE(prompt.Asked().isEmpty());

  // Opened again from the recent files: one entry, at the top.
  QueueDownload({"Work"});
  workspace.App().OpenRecentFile(0);
  EXPECT_EQ(workspace.App().RecentFiles().Entries().count(u"net:f2;仕事"_s), 1);
}

TEST_F(WebCommandsTest, CancellingTheListOrChoosingNothingOpensNothing) {
  StartOn({"Local"});
  SignIn();
  QueueList();
  dialogs.ScriptWebFile({std::nullopt});
  router.Execute(kCmdOpenFromWeb);
  EXPECT_EQ(http.Requests().size(), 1);
  EXPECT_EQ(workspace.Document().PathName(), path);
  EXPECT_TRUE(prompt.Asked().isEmpty());
}

TEST_F(WebCommandsTest, AFailedWebOpenLeavesTheDocumentAsItWas) {
  StartOn({"Local", "Local/A=typed"});
  Select("Local/A");
  const auto unchanged = [this] {
    EXPECT_EQ(test::ReadablePaths(Store()), (QStringList{"Local", "Local/A"}));
    EXPECT_EQ(workspace.Document().PathName(), path);
    EXPECT_EQ(Read(settings, settings::kLastFile), path);
    EXPECT_TRUE(LeftOver().isEmpty());
  };

  // No account: said so, nothing asked of the service.
  EXPECT_FALSE(workspace.App().OpenFile(u"net:f2;仕事"_s));
  EXPECT_EQ(prompt.Asked(), QStringList{res::kNoWebAccount.toString()});
  EXPECT_TRUE(http.Requests().isEmpty());
  unchanged();

  // The service refuses: its message.
  SignIn();
  http.Queue(FakeHttpClient::Xml(u"<r><error>3</error><errormes>ありません</errormes></r>"));
  EXPECT_FALSE(workspace.App().OpenFile(u"net:f2;仕事"_s));
  EXPECT_EQ(prompt.Asked().last(), u"ありません");
  unchanged();

  // A file that does not load: the file store's file is larger than the
  // settings allow.
  Write(settings, settings::kMaxFileMegabytes, 1);
  http.Queue(FakeHttpClient::Xml(u"<r><key>k</key><date>d</date><title>仕事</title></r>"));
  http.Queue(FakeHttpClient::File("f2.qmp", QByteArray(1100000, 'x')));
  EXPECT_FALSE(workspace.App().OpenFile(u"net:f2;仕事"_s));
  EXPECT_EQ(prompt.Asked().last(), res::kOpenFromWebFailed);
  unchanged();
  // The tree pane still follows the outline it shows.
  Select("Local");
  EXPECT_EQ(workspace.Document().CurrentNode(), 0);
}

TEST_F(WebCommandsTest, SaveToTheWebStoresANewWebFileThenSaveUpdatesIt) {
  StartOn({"Top", "Top/A=alpha"});
  SignIn();
  dialogs.ScriptWebTitle({u"メモ"_s});
  http.Queue(FakeHttpClient::Xml(u"<r><key>k</key><date>d</date><fileid>n1</fileid></r>"));
  http.Queue(FakeHttpClient::Text("0\nOK"));
  ASSERT_TRUE(router.Execute(kCmdSaveToWeb));

  ASSERT_EQ(dialogs.WebTitleRequests().size(), 1u);
  EXPECT_EQ(dialogs.WebTitleRequests()[0].prompt, res::kWebTitlePrompt);
  EXPECT_EQ(dialogs.WebTitleRequests()[0].proposal, u"Top");
  ASSERT_EQ(http.Requests().size(), 2);
  EXPECT_TRUE(RequestUrl(1).endsWith(u"/qmpupload"));
  EXPECT_TRUE(http.Requests().at(1).body.contains("alpha"));  // the outline went up
  const CQuillmapDoc& document = workspace.Document();
  EXPECT_EQ(document.PathName(), u"net:n1;メモ");
  EXPECT_EQ(document.Title(), u"メモ");
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(Read(settings, settings::kLastFile), u"net:n1;メモ");
  EXPECT_EQ(appHost.recentFiles.value(0), u"メモ");
  EXPECT_TRUE(LeftOver().isEmpty());

  // A change saved goes over the same web file.
  Select("Top/A");
  edit.SetText(u"beta"_s);
  workspace.Document().WriteBodyBack();
  ASSERT_TRUE(workspace.Document().IsModified());
  http.Queue(FakeHttpClient::Xml(u"<r><key>k</key><date>d</date></r>"));
  http.Queue(FakeHttpClient::Text("0\nOK"));
  ASSERT_TRUE(router.Execute(kCmdSave));
  ASSERT_EQ(http.Requests().size(), 4);
  EXPECT_TRUE(http.Requests().at(2).body.startsWith("mode=save&"));
  EXPECT_TRUE(http.Requests().at(2).body.contains("fileid=n1"));
  EXPECT_TRUE(RequestUrl(3).endsWith(u"/qmpupdate"));
  EXPECT_TRUE(http.Requests().at(3).body.contains("beta"));
  EXPECT_FALSE(workspace.Document().IsModified());
  EXPECT_EQ(workspace.Document().PathName(), u"net:n1;メモ");
  EXPECT_TRUE(LeftOver().isEmpty());
}

TEST_F(WebCommandsTest, AnUploadAsksForAMissingAccountAndCancelStopsIt) {
  StartOn({"Top"});
  // An empty password is no account: the dialog comes again, then Cancel.
  dialogs.ScriptWebTitle({u"x"_s});
  dialogs.ScriptWebAccount({WebAccountAnswer{u"me@example.jp"_s, {}, {}, {}}, std::nullopt});
  router.Execute(kCmdSaveToWeb);
  EXPECT_EQ(prompt.Asked(), QStringList(2, res::kNoWebAccount.toString()));
  EXPECT_EQ(dialogs.WebAccountRequests().size(), 2u);
  EXPECT_EQ(dialogs.WebAccountRequests()[1].initialPassword, u"");
  EXPECT_TRUE(http.Requests().isEmpty());
  EXPECT_EQ(workspace.Document().PathName(), path);
  EXPECT_TRUE(LeftOver().isEmpty());
}

TEST_F(WebCommandsTest, AnOversizedOrRefusedUploadChangesNothing) {
  // 1,000,000 bytes and more cannot go up; nothing is sent.
  const QByteArray body(1000000, 'b');
  StartOn({"Top"});
  SignIn();
  Select("Top");
  edit.SetText(QString::fromLatin1(body));
  workspace.Document().WriteBodyBack();
  dialogs.ScriptWebTitle({u"big"_s});
  router.Execute(kCmdSaveToWeb);
  EXPECT_EQ(prompt.Asked().last(), res::kUploadSizeLimit);
  EXPECT_TRUE(http.Requests().isEmpty());
  EXPECT_EQ(workspace.Document().PathName(), path);
  EXPECT_TRUE(workspace.Document().IsModified());
  EXPECT_TRUE(LeftOver().isEmpty());

  // The service refuses: its message, the document still local and modified.
  edit.SetText(u"small"_s);
  workspace.Document().WriteBodyBack();
  dialogs.ScriptWebTitle({u"small"_s});
  http.Queue(FakeHttpClient::Xml(u"<r><error>9</error><errormes>容量不足</errormes></r>"));
  router.Execute(kCmdSaveToWeb);
  EXPECT_EQ(prompt.Asked().last(), u"容量不足");
  EXPECT_EQ(workspace.Document().PathName(), path);
  EXPECT_TRUE(workspace.Document().IsModified());
  EXPECT_EQ(Read(settings, settings::kLastFile), path);
  EXPECT_TRUE(LeftOver().isEmpty());
}

TEST_F(WebCommandsTest, TheAccountDialogKeepsAStoredPasswordUnlessANewOneIsTyped) {
  SignIn();
  EXPECT_EQ(Read(settings, settings::kWebId), u"me@example.jp");
  EXPECT_EQ(UnscrambleWebPassword(Read(settings, settings::kWebPassword)), u"secret");
  const QString stored = Read(settings, settings::kWebPassword);

  // A held password shows as the placeholder; OK untouched keeps it.
  dialogs.ScriptWebAccount({WebAccountAnswer{u"me@example.jp"_s,
                                             res::kWebPasswordPlaceholder.toString(),
                                             u"https://outlines.example"_s,
                                             {}}});
  router.Execute(kCmdWebAccount);
  const WebAccountRequest shown = dialogs.WebAccountRequests().back();
  EXPECT_EQ(shown.initialPassword, res::kWebPasswordPlaceholder);
  EXPECT_EQ(shown.accountHost, u"http://localhost:8642");
  EXPECT_EQ(workspace.Web().Account().password, u"secret");
  EXPECT_EQ(Read(settings, settings::kWebPassword), stored);
  // The address is the user's to keep; an empty box keeps the old one.
  EXPECT_EQ(Read(settings, settings::kWebAccountHost), u"https://outlines.example");
  EXPECT_EQ(Read(settings, settings::kWebServiceHost), u"http://localhost:8642");

  // A new mail alone is kept too; a new password replaces the old one.
  dialogs.ScriptWebAccount(
      {WebAccountAnswer{u"you@example.jp"_s, res::kWebPasswordPlaceholder.toString(), {}, {}},
       WebAccountAnswer{u"you@example.jp"_s, u"パス"_s, {}, {}}});
  router.Execute(kCmdWebAccount);
  EXPECT_EQ(Read(settings, settings::kWebId), u"you@example.jp");
  EXPECT_EQ(Read(settings, settings::kWebPassword), stored);
  router.Execute(kCmdWebAccount);
  EXPECT_EQ(UnscrambleWebPassword(Read(settings, settings::kWebPassword)), u"パス");
  EXPECT_EQ(workspace.Web().Account().password, u"パス");

  // Cancel changes nothing.
  router.Execute(kCmdWebAccount);
  EXPECT_EQ(workspace.Web().Account().mail, u"you@example.jp");
}

TEST_F(WebCommandsTest, StartReopensTheLastWebFileOrFallsBackToANewOutline) {
  SignIn();
  Write(settings, settings::kLastFile, u"net:f2;仕事"_s);
  QueueDownload({"Work"});
  workspace.App().Start(QString());
  EXPECT_EQ(workspace.Document().PathName(), u"net:f2;仕事");
  EXPECT_EQ(test::ReadablePaths(Store()), QStringList{"Work"});

  // The service out of reach: told why, and a new outline to work in.
  http.Queue(FakeHttpClient::Error(u"Connection refused"_s));
  workspace.App().Start(u"net:f2;仕事"_s);
  EXPECT_TRUE(prompt.Asked().last().endsWith(u"Connection refused"));
  EXPECT_EQ(workspace.Document().PathName(), u"");
  EXPECT_EQ(Store().GetCount(), 1);

  // Disconnect lets a held link go; with none held it does nothing.
  EXPECT_TRUE(router.Execute(kCmdDisconnect));
}

}  // namespace
}  // namespace qm
