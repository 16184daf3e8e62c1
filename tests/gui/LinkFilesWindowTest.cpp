// Link files in the window: the commands through the router on a real file,
// and the link dialogs' controls handing the user's choices on.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "editing/QuillmapDoc.h"
#include "gui/LinkFileNameDialog.h"
#include "gui/MainWindow.h"
#include "gui/NewLinkFileDialog.h"
#include "gui/NodeEditDialog.h"
#include "gui/QtClipboard.h"
#include "model/TreeStore.h"
#include "platform/MemorySettingsStore.h"
#include "res/CommandIds.h"
#include "support/FakePrompt.h"
#include "support/QtPrinting.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using test::Find;
using LinkFilesWindow = test::WindowFixture;

TEST_F(LinkFilesWindow, LinksLeadToNodesThroughTheRouter) {
  Start();
  CTreeStore& store = Store();
  const QString shopping = QStringLiteral("file:///./はじめての Quillmap/予定/買い物");

  // Link to this node, from the node the file was saved on.
  Select(QStringLiteral("買い物"));
  Window().RefreshCommandStates();
  EXPECT_TRUE(Window().ActionOf(kCmdLinkToNode)->isEnabled());
  Window().RunCommand(kCmdLinkToNode);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), shopping);

  // Following it from another node selects the shopping list and shows it.
  const int use = IndexOf(QStringLiteral("使い方"));
  store.SetLink(use, shopping);
  store.Select(use);
  QApplication::processEvents();
  Window().RunCommand(kCmdOpenLinkFile);
  QApplication::processEvents();
  EXPECT_EQ(store.GetTitle(store.GetSelected()), QStringLiteral("買い物"));
  EXPECT_EQ(Document().CurrentNode(), store.GetSelected());
  EXPECT_TRUE(Window().BodyWidget()->toPlainText().startsWith(QStringLiteral("牛乳")));
}

// Answers every button with what a test set.
class ScriptedActions : public LinkFileActions {
 public:
  OpenOutcome OpenLink(const QString&) override { return open; }
  std::optional<QString> NewLink(const QString& title) override { return title + ".txt"; }
  bool RemoveLink(const QString&) override { return true; }
  std::optional<QString> BrowseLink(const QString&) override { return QStringLiteral("/b.txt"); }
  OpenOutcome open = OpenOutcome::StayOpen;
};

TEST(LinkDialogs, NodeEditLinkButtonsFillTheFieldAndOpenCloses) {
  test::EnsureOffscreenApp();
  test::FakePrompt prompt;
  NodeEditRequest request;
  request.title = QStringLiteral("計画");
  request.link = QStringLiteral("a.txt");
  NodeEditDialog without(request, prompt);
  EXPECT_FALSE(Find<QPushButton>(&without, "linkOpenButton")->isEnabled());

  ScriptedActions actions;
  request.linkActions = &actions;
  NodeEditDialog dialog(request, prompt);
  auto* link = Find<QLineEdit>(&dialog, "linkEdit");
  Find<QPushButton>(&dialog, "linkDeleteButton")->click();
  EXPECT_TRUE(link->text().isEmpty());
  Find<QPushButton>(&dialog, "linkNewButton")->click();
  EXPECT_EQ(link->text(), QStringLiteral("計画.txt"));
  Find<QPushButton>(&dialog, "linkBrowseButton")->click();
  EXPECT_EQ(link->text(), QStringLiteral("/b.txt"));
  Find<QPushButton>(&dialog, "linkOpenButton")->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);  // still open
  actions.open = LinkFileActions::OpenOutcome::CloseAndFollow;
  Find<QPushButton>(&dialog, "linkOpenButton")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.Result().followLink);
  EXPECT_EQ(dialog.Result().link, QStringLiteral("/b.txt"));
}

TEST(LinkDialogs, NameAndNewFileDialogsHandBackTheirControls) {
  test::EnsureOffscreenApp();
  ScriptedActions actions;
  LinkFileNameDialog name(LinkFileNameRequest{QStringLiteral("plan.txt"), &actions});
  EXPECT_EQ(Find<QLineEdit>(&name, "nameEdit")->text(), QStringLiteral("plan.txt"));
  Find<QPushButton>(&name, "browseButton")->click();
  EXPECT_EQ(name.Name(), QStringLiteral("/b.txt"));

  NewLinkFileDialog created(NewLinkFileRequest{QStringLiteral("plan.txt"), true, false});
  auto* title = Find<QCheckBox>(&created, "titleCheck");
  auto* body = Find<QCheckBox>(&created, "bodyCheck");
  EXPECT_TRUE(title->isChecked() && title->isEnabled() && !body->isChecked());
  body->setChecked(true);
  // An outline file gets the title as its top node whatever the boxes say.
  Find<QLineEdit>(&created, "fileNameEdit")->setText(QStringLiteral("plan.QMP"));
  EXPECT_FALSE(title->isEnabled() || body->isEnabled());
  const NewLinkFileAnswer answer = created.Answer();
  EXPECT_EQ(answer.fileName, QStringLiteral("plan.QMP"));
  EXPECT_TRUE(answer.writeTitle && answer.writeBody);
}

TEST(LinkLaunching, SchemesWithoutSlashesStayUrlsAndPathsBecomeFileUrls) {
  EXPECT_EQ(QtLauncher::UrlFor(QStringLiteral("mailto:a@example.com")).scheme(), "mailto");
  EXPECT_EQ(QtLauncher::UrlFor(QStringLiteral("http://example.com/")).scheme(), "http");
  const QUrl file = QtLauncher::UrlFor(QStringLiteral("/tmp/a b:c.txt"));
  EXPECT_TRUE(file.isLocalFile());
  EXPECT_EQ(file.toLocalFile(), QStringLiteral("/tmp/a b:c.txt"));
}

}  // namespace
}  // namespace qm
