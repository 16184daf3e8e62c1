// Behaviour of the main frame: split orientation and pane sizes per window
// orientation, the three views, the window's place, and the frame's
// settings commands.
#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "platform/MemorySettingsStore.h"
#include "res/CommandIds.h"
#include "res/Strings.h"
#include "support/FakeFrameHost.h"
#include "support/FakePrompt.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

class MainFrameTest : public ::testing::Test {
 protected:
  int View(const char* name, int fallback = -999) {
    return settings.ReadInt(QStringLiteral("View"), QString::fromUtf8(name), fallback);
  }

  MemorySettingsStore settings;
  test::FakePrompt prompt;
  test::FakeFrameHost host;
  CMainFrame frame{settings, prompt, host};
};

TEST_F(MainFrameTest, FirstStartInPortraitSplitsInRowsAtHalfHeight) {
  frame.CreateClient();
  EXPECT_TRUE(host.rows);
  EXPECT_EQ(host.first, 300);
  EXPECT_EQ(host.active, Pane::Tree);
  EXPECT_EQ(CMainFrame::WindowTitle(), res::kWindowTitle.toString());
}

// The window's shape is what the screen's orientation was on the handheld:
// a wide screen with a tall window splits in rows.
TEST_F(MainFrameTest, TheWindowsShapeDecidesTheLayoutAndItsStoredSize) {
  host.screen = {1920, 1080};
  host.Resize({600, 1000});
  settings.WriteInt(QStringLiteral("View"), QStringLiteral("RowPort"), 444);
  frame.CreateClient();
  EXPECT_TRUE(host.rows);
  EXPECT_EQ(host.first, 444);
}

TEST_F(MainFrameTest, TurningTheWindowTurnsAnAutomaticSplitAndKeepsSizesPerOrientation) {
  host.Resize({1200, 700});
  settings.WriteInt(QStringLiteral("View"), QStringLiteral("ColumLand"), 333);
  frame.CreateClient();
  EXPECT_FALSE(host.rows);
  EXPECT_EQ(host.first, 333);
  host.Resize({1300, 720});  // wider still: no turn, the user's split stays
  host.first = 350;
  frame.OnSize(host.client);
  EXPECT_EQ(host.first, 350);

  host.Resize({700, 1200});
  frame.OnSize(host.client);
  EXPECT_TRUE(frame.SplitsInRows());
  EXPECT_TRUE(host.rows);
  EXPECT_EQ(host.first, host.client.height() / 2);  // no portrait size stored yet
  EXPECT_EQ(View("ColumLand"), 350);                // the landscape one is kept
  host.first = 250;
  host.Resize({1200, 700});
  frame.OnSize(host.client);
  EXPECT_FALSE(host.rows);
  EXPECT_EQ(host.first, 350);
  EXPECT_EQ(View("RowPort"), 250);
}

TEST_F(MainFrameTest, AChosenSplitKeepsItsOrientationWhenTheWindowTurns) {
  settings.WriteInt(QStringLiteral("View"), QStringLiteral("SplPos"), 0);
  host.Resize({1200, 700});
  frame.CreateClient();
  host.Resize({700, 1200});
  frame.OnSize(host.client);
  EXPECT_FALSE(host.rows);
  EXPECT_FALSE(frame.SplitsInRows());
}

TEST_F(MainFrameTest, TheWindowComesBackWhereItWasOrTakesThreeQuartersOfTheScreen) {
  host.screen = {1600, 1000};
  frame.RestorePlacement();
  EXPECT_EQ(host.window, QSize(1200, 750));
  host.placement = "place";
  frame.OnDestroy();
  test::FakeFrameHost next;
  CMainFrame(settings, prompt, next).RestorePlacement();
  EXPECT_EQ(next.placement, QByteArray("place"));
}

TEST_F(MainFrameTest, OlderSplitValuesMoveIntoTheOrientation) {
  settings.WriteInt(QStringLiteral("View"), QStringLiteral("Row"), 120);
  frame.CreateClient();
  EXPECT_EQ(View("RowPort"), 120);
  EXPECT_EQ(View("Row"), 0);
  EXPECT_EQ(View("Colum"), 0);
  EXPECT_EQ(host.first, 120);
}

TEST_F(MainFrameTest, ViewsSizeThePanesAndRememberTheChoice) {
  host.Resize({1020, 740});
  frame.CreateClient();
  frame.ShowTextOnly();
  EXPECT_EQ(host.first, 0);
  EXPECT_EQ(host.second, 1000);
  EXPECT_EQ(host.active, Pane::Body);
  EXPECT_EQ(View("TreeText"), 2);
  frame.ShowBoth();
  EXPECT_EQ(host.first, 400);  // two fifths for the tree
  EXPECT_EQ(host.second, 600);
  EXPECT_EQ(host.active, Pane::Body);  // the active pane stays
  EXPECT_EQ(View("TreeText"), 0);
  frame.ShowTreeOnly();
  EXPECT_EQ(host.first, 1000);
  EXPECT_EQ(View("TreeText"), 1);
}

// A chosen orientation waits for the next window, but the menu ticks the
// choice at once; automatic takes effect at once.
TEST_F(MainFrameTest, SplitChoicesTakeEffectNextTimeExceptAutomatic) {
  host.Resize({1200, 700});
  frame.CreateClient();
  CommandTarget& commands = frame.Commands();
  EXPECT_TRUE(commands.Update(kCmdSplitAutomatic).checked);
  commands.Execute(kCmdSplitTopBottom);
  EXPECT_EQ(prompt.Asked(), QStringList{res::kTakesEffectNextWindow.toString()});
  EXPECT_EQ(View("SplPos"), 1);
  EXPECT_TRUE(commands.Update(kCmdSplitTopBottom).checked);
  EXPECT_FALSE(commands.Update(kCmdSplitAutomatic).checked);
  EXPECT_FALSE(host.rows);  // this window keeps its columns
  CMainFrame next(settings, prompt, host);
  next.CreateClient();
  EXPECT_TRUE(host.rows);
  prompt.ClearAsked();
  next.Commands().Execute(kCmdSplitAutomatic);
  EXPECT_TRUE(prompt.Asked().isEmpty());
  EXPECT_TRUE(next.Commands().Update(kCmdSplitAutomatic).checked);
  EXPECT_FALSE(host.rows);  // a wide window: columns, at once
}

TEST_F(MainFrameTest, HelpSaysWhyWhenTheManualCannotBeShown) {
  frame.Commands().Execute(kCmdHelp);
  EXPECT_EQ(host.opened, host.manual);
  EXPECT_TRUE(prompt.Asked().isEmpty());
  host.browser = false;
  frame.Commands().Execute(kCmdHelp);
  EXPECT_EQ(prompt.Asked(), QStringList{res::kHelpCannotOpen.toString().arg(host.manual)});
  host.manual.clear();
  frame.Commands().Execute(kCmdHelp);
  EXPECT_EQ(prompt.Asked().last(), res::kHelpNotFound.toString());
}

TEST_F(MainFrameTest, ToggleCommandsWriteTheirSettings) {
  CommandTarget& commands = frame.Commands();
  commands.Execute(kCmdToggleReadingMode);
  EXPECT_TRUE(commands.Update(kCmdToggleReadingMode).checked);
  commands.Execute(kCmdToggleSoftKeyMenu);
  EXPECT_EQ(settings.ReadInt(QStringLiteral("System"), QStringLiteral("SoftKeyMenu"), 0), 1);
  EXPECT_EQ(prompt.Asked(), QStringList{res::kTakesEffectNextStart.toString()});
  host.folder = QStringLiteral("/data/outlines");
  commands.Execute(kCmdInitialFolder);
  EXPECT_EQ(settings.ReadString(QStringLiteral("System"), QStringLiteral("InitDir"), {}),
            QStringLiteral("/data/outlines"));
  host.folder.reset();
  commands.Execute(kCmdInitialFolder);  // cancelled: the folder stays
  EXPECT_EQ(host.startedAt, QStringLiteral("/data/outlines"));
}

}  // namespace
}  // namespace qm
