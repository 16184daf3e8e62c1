// The date commands through the router, as menus and keys reach them.
#include <gtest/gtest.h>

#include "app/DateDialogs.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "support/WorkspaceFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

// Friday 5 March 2010, 09:05 in Tokyo, where the tests run.
constexpr qint32 kFriday0905 = 1267747500;

class DateCommandsTest : public test::WorkspaceFixture {
 protected:
  DateCommandsTest() { clock.Set(kFriday0905); }

  // Opens an outline of these nodes with the first child selected and its
  // body shown, unchanged. A saved body comes back ended by a line break.
  void StartOn(std::initializer_list<const char*> nodes) {
    WorkspaceFixture::StartOn(nodes);
    treeControl.SelectItem(Store().GetItem(1));
    ASSERT_FALSE(workspace.Document().IsModified());
  }
  void Write(const IntSetting& setting, int value) { qm::Write(settings, setting, value); }
  // -1 while nothing is written.
  int Stored(const IntSetting& setting) { return qm::Read(settings, setting, -1); }
};

// Typed over the selection as the user would type it; the options are read
// anew each time, and the tree pane's menu reaches the body pane's command.
TEST_F(DateCommandsTest, CurrentDateReplacesTheSelectionWithTheOptionsOfTheMoment) {
  StartOn({"R", "R/A=abcXYZdef"});
  router.SetFocusedPane(Pane::Body);
  edit.SetSelection(3, 6);
  ASSERT_TRUE(router.Execute(kCmdInsertDateTime));
  EXPECT_EQ(edit.Text(), u"abc03/05(金)def\r\n"_s);
  EXPECT_EQ(edit.SelectionEnd(), 11);
  EXPECT_TRUE(workspace.Document().IsModified());

  router.SetFocusedPane(Pane::Tree);
  Write(settings::kDateTime, 1);
  Write(settings::kDateYear, 1);
  Write(settings::kDateYear4, 1);
  ASSERT_TRUE(router.Execute(kCmdInsertDateTime));
  EXPECT_EQ(edit.Text(), u"abc03/05(金)2010/03/05(金) 09:05def\r\n"_s);
}

// Like pasting there, a date put into the first line renames the node when
// that line is the title.
TEST_F(DateCommandsTest, ADateOnTheFirstLineRenamesTheNodeWhenThatLineIsTheTitle) {
  StartOn({"R", "R/A=A\r\nbody"});
  Store().Settings().firstLine = 1;
  edit.SetSelection(0, 1);
  ASSERT_TRUE(router.Execute(kCmdInsertDateTime));
  EXPECT_EQ(Store().GetTitle(1), u"03/05(金)"_s);
}

TEST_F(DateCommandsTest, PickedDateGoesInWithoutTheTimeAndCancelLeavesAllAlone) {
  StartOn({"R", "R/A=[]"});
  Write(settings::kDateTime, 1);
  edit.SetSelection(1, 1);
  ASSERT_TRUE(router.Execute(kCmdInsertDate));  // cancelled
  EXPECT_EQ(edit.Text(), u"[]\r\n"_s);
  EXPECT_FALSE(workspace.Document().IsModified());
  EXPECT_EQ(paneHost.focus, QString());

  dialogs.ScriptCalendar({CalendarDate{2001, 1, 8}});
  ASSERT_TRUE(router.Execute(kCmdInsertDate));
  EXPECT_EQ(edit.Text(), u"[01/08(月)]\r\n"_s);
  EXPECT_TRUE(workspace.Document().IsModified());
  EXPECT_EQ(paneHost.focus, u"B"_s);

  // The calendar opens at today and asks for today again when it needs it.
  const CalendarRequest& request = dialogs.CalendarRequests().back();
  EXPECT_EQ(request.start, (CalendarDate{2010, 3, 5}));
  clock.Advance(15 * 3600);
  EXPECT_EQ(request.today(), (CalendarDate{2010, 3, 6}));
}

TEST_F(DateCommandsTest, FormatDialogShowsTheStoredOptionsAndWritesThemOnlyOnOk) {
  StartOn({"R", "R/A"});
  Write(settings::kDateWeek, 0);
  ASSERT_TRUE(router.Execute(kCmdDateFormat));  // cancelled
  DateInsertOptions shown;
  shown.weekday = false;
  EXPECT_EQ(dialogs.DateFormatRequests().back(), shown);
  EXPECT_EQ(Stored(settings::kDateYear), -1);

  DateInsertOptions chosen;
  chosen.year = true;
  chosen.eraYear = true;
  chosen.kanjiUnits = true;
  chosen.withTime = true;
  dialogs.ScriptDateFormat({chosen});
  ASSERT_TRUE(router.Execute(kCmdDateFormat));
  EXPECT_EQ(ReadDateInsertOptions(settings), chosen);
  EXPECT_EQ(Stored(settings::kDateYear4), 0);
  ASSERT_TRUE(router.Execute(kCmdInsertDateTime));
  EXPECT_EQ(edit.Text(), u"平成22年03月05日(金) 09:05"_s);
}

// Adding and editing both offer the button; it fills only the dialog's field.
TEST_F(DateCommandsTest, NodeEditDateButtonPutsThePickedDateBeforeTheTitle) {
  StartOn({"R", "R/A"});
  ASSERT_TRUE(router.Execute(kCmdEditNode));  // cancelled
  ASSERT_TRUE(router.Execute(kCmdAddChild));  // cancelled
  ASSERT_EQ(dialogs.EditNodeRequests().size(), 2u);
  for (const NodeEditRequest& request : dialogs.EditNodeRequests()) {
    ASSERT_TRUE(request.dateTitle);
    dialogs.ScriptCalendar({CalendarDate{2010, 3, 21}, std::nullopt});
    EXPECT_EQ(request.dateTitle(u"meeting"_s), u"03/21(日) meeting"_s);
    EXPECT_EQ(request.dateTitle(u"meeting"_s), std::nullopt);
  }
  EXPECT_EQ(Store().GetTitle(1), u"A"_s);
  EXPECT_FALSE(workspace.Document().IsModified());
}

}  // namespace
}  // namespace qm
