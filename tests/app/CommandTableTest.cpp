// Tests of the command table, the command-bar layouts and the menu bar built from them.
#include <gtest/gtest.h>

#include <QSet>
#include <span>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/MenuModel.h"
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

// The item texts are the program's own and keep their mnemonics even where
// two meet in one menu (the desktop then cycles between them); the titles
// chosen here for menus and submenus must not add to that.
TEST(CommandTableTest, MenuAndSubmenuTitlesHaveMnemonicsOfTheirOwn) {
  // Each title's key must be free among its siblings (earlier titles included).
  auto expectOwnKeys = [](QSet<QChar> taken, const QStringList& titles) {
    for (const QString& title : titles) {
      const QChar key = MnemonicOf(title);
      EXPECT_FALSE(key.isNull()) << title.toStdString();
      EXPECT_FALSE(taken.contains(key)) << title.toStdString();
      taken.insert(key);
    }
  };
  QStringList titles;
  for (QStringView title : res::kTopMenuTitles) titles.append(title.toString());
  expectOwnKeys({}, titles);
  for (const MenuModel& menu : BuildMenuBar({})) {
    QSet<QChar> itemKeys;
    QStringList submenus;
    for (const MenuItem& item : menu.items) {
      if (item.children.empty()) {
        itemKeys.insert(MnemonicOf(item.text));
      } else {
        submenus.append(item.text);
      }
    }
    expectOwnKeys(itemKeys, submenus);
  }
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
                                 u"設定(&S)"_s, u"ヘルプ(&H)"_s}));
}

TEST(MenuBarTest, SeparatorsStandOnlyBetweenItems) {
  for (const QStringList& recent : {QStringList{}, QStringList{u"a.qmp"_s}}) {
    for (const MenuModel& menu : BuildMenuBar(MenuContent{recent, {}, {}})) {
      ASSERT_FALSE(menu.items.isEmpty());
      EXPECT_FALSE(menu.items.front().separator) << menu.title.toStdString();
      EXPECT_FALSE(menu.items.back().separator) << menu.title.toStdString();
      for (qsizetype i = 1; i < menu.items.size(); ++i) {
        EXPECT_FALSE(menu.items[i - 1].separator && menu.items[i].separator)
            << menu.title.toStdString() << " at " << i;
      }
    }
  }
}

// New has no menu text and the recent-file popup belongs to its button, so neither is listed.
TEST(MenuBarTest, FileMenuListsRecentFilesBeforeQuitWithNamesShownAsTheyAre) {
  const MenuModel file = BuildMenuBar(MenuContent{{u"R&D.qmp"_s, u"memo"_s}, {}, {}}).front();
  EXPECT_EQ(IdsOf(file), (QList<int>{kCmdOpen, kCmdReload, 0, kCmdSave, kCmdSaveAs, 0,
                                     kCmdTextOutput, kCmdTextCopy, kCmdTextOutputFormat, 0,
                                     kCmdAssociateFileType, 0, kCmdRecentFileFirst,
                                     kCmdRecentFileFirst + 1, 0, kCmdQuitWithConfirmation}));
  EXPECT_EQ(file.items[12].text, u"&1 R&&D.qmp"_s);
  EXPECT_EQ(file.items[13].text, u"&2 memo"_s);
}

TEST(MenuBarTest, RecentFilesBeyondTheReservedIdsAreLeftOut) {
  QStringList names;
  for (int i = 0; i < res::kRecentFileCapacity + 3; ++i) names.append(QString::number(i));
  const QList<int> ids = IdsOf(BuildMenuBar(MenuContent{names, {}, {}}).front());
  EXPECT_TRUE(ids.contains(kCmdRecentFileLast));
  EXPECT_FALSE(ids.contains(kCmdRecentFileLast + 1));
}

const MenuItem* FindItem(const std::vector<MenuItem>& items, const QString& text) {
  for (const MenuItem& item : items) {
    if (item.text == text) return &item;
  }
  return nullptr;
}

TEST(MenuBarTest, GathersSubmenuRowsWithTheMarkedNodesAtTheEndOfTheMarksMenu) {
  QStringList labels;
  for (int i = 0; i < res::kMarkEntryCapacity + 1; ++i) labels.append(u"n&%1"_s.arg(i));
  const QList<MenuModel> bar = BuildMenuBar(MenuContent{{}, labels, {}});
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
  // 4 commands, 2 separators, then the first 40 marked nodes only.
  ASSERT_EQ(items.size(), 6u + res::kMarkEntryCapacity);
  EXPECT_EQ(items[6].id, kCmdMarkEntryFirst);
  EXPECT_EQ(items[6].text, u"n&&0"_s);
  EXPECT_EQ(items.back().id, kCmdMarkEntryLast);
}

TEST(MenuBarTest, LeavesOutCommandsNothingHandlesAndSubmenusLeftEmpty) {
  const auto offered = [](int id) {
    return id != kCmdToggleMark && id != kCmdClearMarksInBranch && id != kCmdNextMark &&
           id != kCmdPreviousMark && id != kCmdSave;
  };
  const QList<MenuModel> bar = BuildMenuBar(MenuContent{{}, {}, offered});
  EXPECT_FALSE(IdsOf(bar[0]).contains(kCmdSave));
  const std::vector<MenuItem> tree(bar[2].items.begin(), bar[2].items.end());
  EXPECT_EQ(FindItem(tree, res::kMarksSubmenu.toString()), nullptr);
}

}  // namespace
}  // namespace qm
