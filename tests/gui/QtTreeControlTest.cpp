// The outline store driving the real tree widget: structure, texts, icons,
// marks, expansion and selection come out as the store means them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeWidget>

#include "gui/QtTreeControl.h"
#include "model/TreeStore.h"
#include "platform/MemorySettingsStore.h"
#include "support/FakeClock.h"
#include "support/FakePrompt.h"
#include "support/OffscreenApp.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

class QtTreeControlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }

  QtTreeControlTest() : control(widget), store(settings, clock) {
    store.SetPane(&control);
    store.AddRoot(QStringLiteral("Root"));
    const int a = store.InsertChild(0, QStringLiteral("A"), {}, {}, 0, 0);
    store.InsertChild(a, QStringLiteral("A1"), QStringLiteral("x.txt"), {}, kFlagChecked, 1);
    store.InsertChild(0, QStringLiteral("B"), {}, {}, kFlagStruck, 0);
    store.RebuildTree();
  }

  static QStringList Texts(QTreeWidgetItem* item) {
    QStringList out{item->text(0)};
    for (int i = 0; i < item->childCount(); ++i) out += Texts(item->child(i));
    return out;
  }

  QTreeWidget widget;
  QtTreeControl control;
  MemorySettingsStore settings;
  test::FakeClock clock;
  test::FakePrompt prompt;
  CTreeStore store;
};

TEST_F(QtTreeControlTest, RebuildShowsTheOutline) {
  ASSERT_EQ(widget.topLevelItemCount(), 1);
  QTreeWidgetItem* root = widget.topLevelItem(0);
  EXPECT_EQ(Texts(root), (QStringList{"Root", "A", "A1", "B"}));
  EXPECT_TRUE(root->isExpanded());
  QTreeWidgetItem* a1 = root->child(0)->child(0);
  EXPECT_EQ(a1->data(0, QtTreeControl::kImageRole).toInt(), 2 + 4);
  EXPECT_EQ(a1->data(0, QtTreeControl::kStateImageRole).toInt(), 1);
  EXPECT_FALSE(a1->icon(0).isNull());
  EXPECT_EQ(root->child(1)->data(0, QtTreeControl::kImageRole).toInt(), 8);
}

TEST_F(QtTreeControlTest, EditsKeepTheWidgetInStep) {
  store.MoveRange(store.FindPath(QStringLiteral("Root\u0001B")),
                  store.FindPath(QStringLiteral("Root\u0001A")));
  EXPECT_EQ(Texts(widget.topLevelItem(0)), (QStringList{"Root", "B", "A", "A1"}));
  const int a1 = store.FindPath(QStringLiteral("Root\u0001A\u0001A1"));
  EXPECT_EQ(store.LevelUp(a1), 3);
  EXPECT_EQ(Texts(widget.topLevelItem(0)), (QStringList{"Root", "B", "A", "A1"}));
  EXPECT_EQ(widget.topLevelItem(0)->childCount(), 3);
  EXPECT_EQ(store.LevelDown(3), 3);  // back under A
  EXPECT_EQ(widget.topLevelItem(0)->child(1)->childCount(), 1);
  store.DeleteBranch(1);
  EXPECT_EQ(Texts(widget.topLevelItem(0)), (QStringList{"Root", "A", "A1"}));
}

TEST_F(QtTreeControlTest, SelectionGoesThroughHandles) {
  store.Select(2);
  EXPECT_EQ(store.GetSelected(), 2);
  EXPECT_EQ(widget.currentItem()->text(0), QStringLiteral("A1"));
  EXPECT_EQ(control.GetPrevSiblingItem(store.GetItem(1)), TreeItem{0});
  EXPECT_EQ(control.GetPrevSiblingItem(store.GetItem(3)), store.GetItem(1));
}

TEST_F(QtTreeControlTest, OnlyTheUsersOpeningAndClosingIsReported) {
  int reported = 0;
  QObject::connect(&widget, &QTreeWidget::itemExpanded, [&reported] { ++reported; });
  QObject::connect(&widget, &QTreeWidget::itemCollapsed, [&reported] { ++reported; });
  store.CollapseAll(0);
  store.ExpandAll(0);
  EXPECT_EQ(reported, 0);
  EXPECT_TRUE(widget.topLevelItem(0)->child(0)->isExpanded());
  widget.collapseItem(widget.topLevelItem(0));
  EXPECT_EQ(reported, 1);
}

TEST_F(QtTreeControlTest, ItemsAddedWhileRedrawIsOffArriveWholeAndOpened) {
  // Top-level items added with redrawing off wait outside the widget, with
  // their children and openings, until redrawing comes back.
  control.SetRedraw(false);
  const TreeItem first = control.InsertItem(0, TreeControl::kLast, QStringLiteral("T1"), 0, 0);
  const TreeItem child = control.InsertItem(first, TreeControl::kLast, QStringLiteral("C"), 0, 0);
  control.InsertItem(child, TreeControl::kLast, QStringLiteral("G"), 0, 0);
  control.Expand(first, true);
  const TreeItem second = control.InsertItem(0, TreeControl::kLast, QStringLiteral("T2"), 0, 0);
  EXPECT_EQ(widget.topLevelItemCount(), 1);
  EXPECT_EQ(control.GetPrevSiblingItem(second), first);
  EXPECT_EQ(control.GetPrevSiblingItem(first), QtTreeControl::HandleOf(widget.topLevelItem(0)));
  control.SetRedraw(true);

  ASSERT_EQ(widget.topLevelItemCount(), 3);
  EXPECT_EQ(Texts(widget.topLevelItem(1)), (QStringList{"T1", "C", "G"}));
  EXPECT_TRUE(widget.topLevelItem(1)->isExpanded());
  EXPECT_FALSE(QtTreeControl::ItemOf(child)->isExpanded());
  EXPECT_EQ(widget.topLevelItem(2)->text(0), "T2");

  // Selecting one meanwhile needs it in the widget at once.
  control.SetRedraw(false);
  const TreeItem third = control.InsertItem(0, TreeControl::kLast, QStringLiteral("T3"), 0, 0);
  control.SelectItem(third);
  EXPECT_EQ(widget.currentItem(), QtTreeControl::ItemOf(third));
  control.DeleteAllItems();
  control.SetRedraw(true);
  EXPECT_EQ(widget.topLevelItemCount(), 0);
}

}  // namespace
}  // namespace qm
