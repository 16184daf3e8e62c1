// The marks menu in the real window, off screen: a mark set through the
// router becomes an entry of the marks submenu that leads back to its node.
#include <gtest/gtest.h>

#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <algorithm>

#include "app/CommandRouter.h"
#include "editing/QuillmapDoc.h"
#include "gui/MainWindow.h"
#include "platform/MemorySettingsStore.h"
#include "res/CommandIds.h"
#include "res/Commands.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using MarksMenu = test::WindowFixture;

TEST_F(MarksMenu, AMarkSetThroughTheRouterBecomesAnEntryThatLeadsBack) {
  Start();
  CommandRouter& router = program->Router();
  MainWindow& window = Window();
  CTreeStore& store = Store();
  window.TreeWidget()->setFocus();
  const int marked = 6;  // "会議の資料を作る", of the first category

  // The file's own marked node is listed from the first load.
  ASSERT_NE(window.ActionOf(kCmdMarkEntryFirst), nullptr);
  EXPECT_EQ(window.ActionOf(kCmdMarkEntryFirst)->text(), QStringLiteral("階層を変える"));
  window.TreeWidget()->setCurrentItem(nullptr);
  EXPECT_FALSE(router.StateOf(kCmdToggleMark).enabled);
  EXPECT_TRUE(router.StateOf(kCmdShowAllChecks).checked);

  store.Select(marked);
  ASSERT_TRUE(router.Execute(kCmdToggleMark));
  QAction* entry = window.ActionOf(kCmdMarkEntryFirst + 1);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text(), QStringLiteral("【仕事】会議の資料を作る"));
  const auto menus = entry->associatedObjects();
  EXPECT_TRUE(std::any_of(menus.begin(), menus.end(), [](const QObject* owner) {
    const auto* menu = qobject_cast<const QMenu*>(owner);
    return menu != nullptr && menu->title() == res::kMarksSubmenu.toString();
  }));

  store.Select(1);
  window.RefreshCommandStates();
  ASSERT_TRUE(entry->isEnabled());
  entry->trigger();
  EXPECT_EQ(store.GetSelected(), marked);
  EXPECT_EQ(Document().CurrentNode(), marked);
  EXPECT_EQ(window.TreeWidget()->currentItem()->text(0), store.DisplayText(marked));
}

}  // namespace
}  // namespace qm
