// Tests of the command table, the command-bar layouts and the menu bar built from them.
#include <gtest/gtest.h>

#include <QSet>
#include <functional>
#include <span>

#include "app/CommandTable.h"
#include "app/MenuModel.h"
#include "res/CommandIds.h"
#include "res/Commands.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

// The character after the first single "&", upper-cased; null when none.
QChar MnemonicOf(QStringView text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] == u'&') {
      ++i;
      continue;
    }
    return text[i + 1].toUpper();
  }
  return {};
}

TEST(CommandTableTest, IdsAreUniqueAndClearOfTheRecentFileRange) {
  QSet<int> seen;
  for (const res::CommandInfo& info : res::kCommands) {
    EXPECT_FALSE(seen.contains(info.id)) << info.id;
    seen.insert(info.id);
    if (!(info.flags & res::kRecentFiles)) {
      EXPECT_FALSE(IsRecentFileCommand(info.id)) << info.id;
    }
  }
}

// Every menu, submenu and soft-key menu reaches each of its entries with a
// key of its own, and the menu bar's titles take the keys users know.
TEST(CommandTableTest, AccessKeysAreUniqueInEveryMenu) {
  std::function<void(const QString&, const std::vector<MenuItem>&)> check =
      [&check](const QString& where, const std::vector<MenuItem>& items) {
        QSet<QChar> taken;
        for (const MenuItem& item : items) {
          if (item.separator || item.slot) continue;
          const QChar key = MnemonicOf(item.text);
          if (key.isNull()) continue;  // a few of the program's texts have none
          EXPECT_FALSE(taken.contains(key))
              << where.toStdString() << ": " << item.text.toStdString();
          taken.insert(key);
          if (!item.children.empty()) check(item.text, item.children);
        }
      };
  QString keys;
  for (const MenuModel& menu : BuildMenuBar({})) {
    keys += MnemonicOf(menu.title);
    check(menu.title, {menu.items.begin(), menu.items.end()});
  }
  EXPECT_EQ(keys, u"FETVNSH"_s);
  for (const MenuModel& menu : BuildSoftKeyMenus({})) {
    check(menu.title, {menu.items.begin(), menu.items.end()});
  }
}

TEST(CommandTableTest, ButtonsShowTitlesWithoutTheirAccessKeys) {
  EXPECT_EQ(WithoutAccessKey(u"メニュー(&M)"), u"メニュー"_s);
  EXPECT_EQ(WithoutAccessKey(u"&File && more"), u"File & more"_s);
  EXPECT_EQ(PlainCommandText(kCmdFont), u"フォント"_s);
  EXPECT_EQ(PlainCommandText(kCmdNew), u"新規"_s);
  EXPECT_EQ(PlainCommandText(0), QString());
}

// A group number out of order would split one group into two around another.
TEST(CommandTableTest, GroupsAscendInTableOrderInsideEachMenuAndSubmenu) {
  QHash<QString, int> lastGroup;
  for (const res::CommandInfo& info : res::kCommands) {
    const QString menu = QString::number(int(info.menu)) + info.submenu.toString();
    EXPECT_GE(info.group, lastGroup.value(menu)) << info.id;
    lastGroup[menu] = info.group;
  }
}

struct LayoutCase {
  const char* name;
  std::span<const res::CommandBarButton> layout;
  qsizetype buttons;
  std::vector<int> groupSizes;  // buttons between separators, in order
};

class CommandBarLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(CommandBarLayoutTest, HasItsButtonsInGroupsWithImagesInOrder) {
  const LayoutCase& c = GetParam();
  std::vector<int> groupSizes;
  int image = 0;
  ASSERT_FALSE(c.layout.empty());
  EXPECT_EQ(c.layout.front().id, 0);
  EXPECT_EQ(c.layout.back().id, 0);
  for (const res::CommandBarButton& button : c.layout) {
    if (button.id == 0) {
      EXPECT_EQ(button.image, -1);
      groupSizes.push_back(0);
      continue;
    }
    EXPECT_EQ(button.image, image++) << button.id;
    ++groupSizes.back();
  }
  groupSizes.pop_back();  // after the closing separator
  EXPECT_EQ(image, c.buttons);
  EXPECT_EQ(groupSizes, c.groupSizes);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CommandBarLayoutTest,
    testing::Values(LayoutCase{"Wide", res::kWideCommandBar, 15, {4, 3, 3, 1, 4}},
                    LayoutCase{"Narrow", res::kNarrowCommandBar, 10, {6, 4}}),
    [](const auto& p) { return std::string(p.param.name); });

struct ScreenCase {
  const char* name;
  int width;
  int height;
  bool wide;
};

class CommandBarChoiceTest : public testing::TestWithParam<ScreenCase> {};

TEST_P(CommandBarChoiceTest, PicksWideOnlyForLandscapeFrom640) {
  const ScreenCase& c = GetParam();
  const auto layout = CommandBarFor(c.width, c.height);
  EXPECT_EQ(layout.data(), c.wide ? res::kWideCommandBar : res::kNarrowCommandBar);
}

INSTANTIATE_TEST_SUITE_P(Screens, CommandBarChoiceTest,
                         testing::Values(ScreenCase{"Landscape640", 640, 480, true},
                                         ScreenCase{"Landscape639", 639, 320, false},
                                         ScreenCase{"SquareCountsAsPortrait", 800, 800, false},
                                         ScreenCase{"Portrait", 768, 1024, false}),
                         [](const auto& p) { return std::string(p.param.name); });

QList<int> IdsOf(const MenuModel& menu) {
  QList<int> ids;
  for (const MenuItem& item : menu.items) ids.append(item.id);
  return ids;
}

TEST(MenuBarTest, ShowsTopMenusInOrderAndLeavesOutEmptyOnes) {
  QStringList titles;
  for (const MenuModel& menu : BuildMenuBar({})) titles.append(menu.title);
  EXPECT_EQ(titles, (QStringList{u"ファイル(&F)"_s, u"編集(&E)"_s, u"ツリー(&T)"_s, u"表示(&V)"_s,
                                 u"ネット(&N)"_s, u"設定(&S)"_s, u"ヘルプ(&H)"_s}));
  // A menu none of whose commands is offered is not shown at all.
  titles.clear();
  const auto notTheNetMenu = [](int id) {
    return id != kCmdOpenFromWeb && id != kCmdSaveToWeb && id != kCmdDisconnect &&
           id != kCmdWebAccount;
  };
  for (const MenuModel& menu : BuildMenuBar(notTheNetMenu)) titles.append(menu.title);
  EXPECT_FALSE(titles.contains(u"ネット(&N)"_s));
  EXPECT_EQ(titles.size(), 6);
}

TEST(MenuBarTest, SeparatorsStandOnlyBetweenItems) {
  for (const MenuModel& menu : BuildMenuBar({})) {
    ASSERT_FALSE(menu.items.isEmpty());
    EXPECT_FALSE(menu.items.front().separator) << menu.title.toStdString();
    EXPECT_FALSE(menu.items.back().separator) << menu.title.toStdString();
    for (qsizetype i = 1; i < menu.items.size(); ++i) {
      EXPECT_FALSE(menu.items[i - 1].separator && menu.items[i].separator)
          << menu.title.toStdString() << " at " << i;
    }
  }
}

// The recent-file popup belongs to its button, so it is not listed; the
// recent files have a slot for every id they may use.
TEST(MenuBarTest, FileMenuHasASlotForEveryRecentFileBeforeQuit) {
  const MenuModel file = BuildMenuBar({}).front();
  QList<int> expected{kCmdNew,
                      kCmdOpen,
                      kCmdOpenOtherFolder,
                      kCmdReload,
                      0,
                      kCmdSave,
                      kCmdSaveAs,
                      0,
                      kCmdTextOutput,
                      kCmdTextCopy,
                      kCmdTextOutputFormat,
                      0,
                      kCmdAssociateFileType,
                      0};
  for (int id = kCmdRecentFileFirst; id <= kCmdRecentFileLast; ++id) expected << id;
  expected << 0 << kCmdQuitWithConfirmation << kCmdExit;
  EXPECT_EQ(IdsOf(file), expected);
  EXPECT_TRUE(file.items[14].slot);
  EXPECT_TRUE(file.items[14].text.isEmpty());
}

TEST(MenuBarTest, RecentFilesAndMarkedNodesShowTheirNamesAsTheyAre) {
  EXPECT_EQ(RecentFileMenuText(1, u"R&D.qmp"_s), u"&1 R&&D.qmp"_s);
  EXPECT_EQ(RecentFileMenuText(10, u"memo"_s), u"1&0 memo"_s);  // 0 is the tenth's key
  EXPECT_EQ(MarkEntryMenuText(u"n&0"_s), u"n&&0"_s);
}

const MenuItem* FindItem(const std::vector<MenuItem>& items, const QString& text) {
  for (const MenuItem& item : items) {
    if (item.text == text) return &item;
  }
  return nullptr;
}

TEST(MenuBarTest, GathersSubmenuRowsWithTheMarkedNodesAtTheEndOfTheMarksMenu) {
  const QList<MenuModel> bar = BuildMenuBar({});
  const MenuModel& tree = bar[2];
  const std::vector<MenuItem> top(tree.items.begin(), tree.items.end());
  const MenuItem* marks = FindItem(top, res::kMarksSubmenu.toString());
  ASSERT_NE(marks, nullptr);
  EXPECT_EQ(marks->id, 0);
  EXPECT_EQ(std::count_if(top.begin(), top.end(),
                          [](const MenuItem& item) { return !item.children.empty(); }),
            1);
  const std::vector<MenuItem>& items = marks->children;
  EXPECT_EQ(items[0].id, kCmdToggleMark);
  EXPECT_EQ(items[1].id, kCmdClearMarksInBranch);
  EXPECT_TRUE(items[2].separator);
  // 4 commands, 2 separators, then a slot for each of the first 40 marked nodes.
  ASSERT_EQ(items.size(), 6u + kMarkEntryCapacity);
  EXPECT_EQ(items[6].id, kCmdMarkEntryFirst);
  EXPECT_TRUE(items[6].slot);
  EXPECT_EQ(items.back().id, kCmdMarkEntryLast);
}

TEST(MenuBarTest, LeavesOutCommandsNothingHandlesAndSubmenusLeftEmpty) {
  const auto offered = [](int id) {
    return id != kCmdToggleMark && id != kCmdClearMarksInBranch && id != kCmdNextMark &&
           id != kCmdPreviousMark && !IsMarkEntryCommand(id) && id != kCmdSave;
  };
  const QList<MenuModel> bar = BuildMenuBar(offered);
  EXPECT_FALSE(IdsOf(bar[0]).contains(kCmdSave));
  const std::vector<MenuItem> tree(bar[2].items.begin(), bar[2].items.end());
  EXPECT_EQ(FindItem(tree, res::kMarksSubmenu.toString()), nullptr);
}

std::vector<int> ContextIds(std::span<const res::ContextMenuEntry> entries,
                            const OfferedCommands& offered, bool tall) {
  std::vector<int> ids;
  for (const MenuItem& item : BuildContextMenu(entries, offered, tall)) ids.push_back(item.id);
  return ids;
}

TEST(ContextMenuTest, TheTreesMenuLeavesOutTheLevelCommandsOnShortScreens) {
  EXPECT_EQ(ContextIds(res::kTreeContextMenu, {}, true),
            (std::vector<int>{kCmdEditNode, kCmdOpenLinkFile, 0, kCmdCut, kCmdCopy, kCmdPaste, 0,
                              kCmdAddChild, kCmdAddSibling, 0, kCmdLevelUp, kCmdLevelDown,
                              kCmdShowWholeBranch, 0, kCmdToggleCheck}));
  EXPECT_EQ(
      ContextIds(res::kTreeContextMenu, {}, false),
      (std::vector<int>{kCmdEditNode, kCmdOpenLinkFile, 0, kCmdCut, kCmdCopy, kCmdPaste, 0,
                        kCmdAddChild, kCmdAddSibling, 0, kCmdShowWholeBranch, 0, kCmdToggleCheck}));
}

TEST(ContextMenuTest, CommandsNothingHandlesGoWithTheSeparatorsTheyWouldStrand) {
  const auto onlyEditing = [](int id) {
    return id == kCmdUndo || id == kCmdCut || id == kCmdCopy || id == kCmdPaste;
  };
  EXPECT_EQ(ContextIds(res::kBodyContextMenu, onlyEditing, true),
            (std::vector<int>{kCmdUndo, 0, kCmdCut, kCmdCopy, kCmdPaste}));
  EXPECT_EQ(ContextIds(res::kBodyContextMenu, {}, true),
            (std::vector<int>{kCmdUndo, 0, kCmdCut, kCmdCopy, kCmdPaste, 0, kCmdSelectAll, 0,
                              kCmdInsertDateTime, 0, kCmdTreeOnlyFromBody}));
}

}  // namespace
}  // namespace qm
