// The window against a real quillmap-server on a free loopback port: an
// outline saved to the server through the "ネット(&N)" menu opens again
// through the same menu, whole.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

#include "gui/WebOpenDialog.h"
#include "gui/WebTitleDialog.h"
#include "net/WebAccount.h"
#include "platform/SettingsTable.h"
#include "res/Commands.h"
#include "support/ServerProcess.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

// Runs act on the dialog of type Dialog once it is up. A transfer's
// progress window may come and go first, so the dialog is looked for by
// its type, not as whichever modal window is active.
template <typename Dialog>
void WhenShown(std::function<void(Dialog*)> act, int triesLeft = 500) {
  QTimer::singleShot(20, [act = std::move(act), triesLeft] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = dynamic_cast<Dialog*>(widget); dialog != nullptr && dialog->isVisible()) {
        act(dialog);
        return;
      }
    }
    ASSERT_GT(triesLeft, 0) << "the dialog never showed";
    WhenShown<Dialog>(std::move(act), triesLeft - 1);
  });
}

class WebWindowTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    const QString database = dir.filePath(u"service.sqlite"_s);
    ASSERT_TRUE(test::ServerProcess::AddUser(QM_SERVER_EXE, database, kMail, kPassword));
    QString error;
    ASSERT_TRUE(server.Start(QM_SERVER_EXE, database, &error)) << error.toStdString();
    Write(settings, settings::kWebAccountHost, server.BaseUrl());
    Write(settings, settings::kWebServiceHost, server.BaseUrl());
    StoreWebAccount(settings, {kMail, kPassword});
    // The account as the settings hold it, whatever keyring this machine has.
    Write(settings, settings::kWebUseKeyring, 0);
  }

  // Chooses menu item text of top menu menuTitle, as a click would.
  void Choose(QStringView menuTitle, QStringView text) {
    for (QAction* top : Window().menuBar()->actions()) {
      if (top->text() != menuTitle) continue;
      QMenu* menu = top->menu();
      menu->popup(QPoint(0, 0));  // the menu asks for its states as it opens
      for (QAction* action : menu->actions()) {
        if (action->text().section(u'\t', 0, 0) == text) {
          ASSERT_TRUE(action->isEnabled()) << text.toString().toStdString();
          menu->hide();
          action->trigger();
          QApplication::processEvents();
          return;
        }
      }
      menu->hide();
    }
    ADD_FAILURE() << "no menu item " << text.toString().toStdString();
  }

  const QString kMail = u"me@example.jp"_s;
  const QString kPassword = u"秘密 pass"_s;
  test::ServerProcess server;
};

const QStringView kNetMenu = res::kTopMenuTitles[static_cast<int>(res::TopMenu::Net)];

TEST_F(WebWindowTest, AnOutlineSavedToTheServerOpensAgainThroughTheNetMenu) {
  Start();
  const QStringList titles = Titles();

  WhenShown<WebTitleDialog>([](WebTitleDialog* dialog) {
    test::Find<QLineEdit>(dialog, "titleEdit")->setText(u"旅の計画 & 予定"_s);
    test::Find<QPushButton>(dialog, "okButton")->click();
  });
  Choose(kNetMenu, u"ネットのファイルとして保存(&A)...");
  const QString webPath = Document().PathName();
  EXPECT_TRUE(webPath.startsWith(u"net:") && webPath.endsWith(u";旅の計画 & 予定"))
      << webPath.toStdString();
  EXPECT_FALSE(webPath.startsWith(u"net:;"));
  EXPECT_TRUE(Window().windowTitle().contains(u"旅の計画 & 予定"))
      << Window().windowTitle().toStdString();

  // Another outline in the window, then the web file again.
  Choose(res::kTopMenuTitles[0], u"新規(&N)");
  ASSERT_EQ(Titles(), QStringList{u"（無題）"_s});
  QStringList listed;
  WhenShown<WebOpenDialog>([&listed](WebOpenDialog* dialog) {
    auto* list = test::Find<QListWidget>(dialog, "fileList");
    for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
    list->setCurrentRow(0);
    test::Find<QPushButton>(dialog, "okButton")->click();
  });
  Choose(kNetMenu, u"クイルマップ for Webから開く(&O)...");
  EXPECT_EQ(listed, QStringList{u"旅の計画 & 予定"_s});
  EXPECT_EQ(Document().PathName(), webPath);
  EXPECT_EQ(Titles(), titles);
  EXPECT_FALSE(Document().IsModified());
  EXPECT_EQ(server.Stop(), 0);
}

}  // namespace
}  // namespace qm
