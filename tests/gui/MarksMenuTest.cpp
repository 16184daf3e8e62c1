// The marks menu in the real window, off screen: a mark set through the
// router becomes an entry of the marks submenu that leads back to its node.
#include <gtest/gtest.h>

#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <algorithm>

#include "OffscreenApp.h"
#include "app/CommandIds.h"
#include "app/CommandRouter.h"
#include "editing/QuillmapDoc.h"
#include "gui/MainWindow.h"
#include "gui/QuillmapApp.h"
#include "platform/MemorySettingsStore.h"
#include "res/Commands.h"

namespace qm {
namespace {

TEST(MarksMenu, AMarkSetThroughTheRouterBecomesAnEntryThatLeadsBack) {
  test::EnsureOffscreenApp();
  test::ModalGuard guard;
  QTemporaryDir dir;
  qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
  const QString path = dir.filePath(QStringLiteral("notes.qmp"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(QM_SOURCE_DIR "/samples/sample.qmp"), path));
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  MemorySettingsStore settings;
  QuillmapApp program(settings);
  ASSERT_TRUE(program.Start(path, false));
  MainWindow& window = program.Window();
  CTreeStore& store = program.Document().Store();
  window.TreeWidget()->setFocus();
  const int marked = 6;  // "会議の資料を作る", of the first category

  // The file's own marked node is listed from the first load.
  ASSERT_NE(window.ActionOf(kCmdMarkEntryFirst), nullptr);
  EXPECT_EQ(window.ActionOf(kCmdMarkEntryFirst)->text(), QStringLiteral("階層を変える"));
  window.TreeWidget()->setCurrentItem(nullptr);
  EXPECT_FALSE(program.Router().StateOf(kCmdToggleMark).enabled);
  EXPECT_TRUE(program.Router().StateOf(kCmdShowAllChecks).checked);

  store.Select(marked);
  ASSERT_TRUE(program.Router().Execute(kCmdToggleMark));
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
  EXPECT_EQ(program.Document().CurrentNode(), marked);
  EXPECT_EQ(window.TreeWidget()->currentItem()->text(0), store.DisplayText(marked));
}

}  // namespace
}  // namespace qm
