// Behaviour of the main frame: split orientation and pane sizes per screen
// orientation, the three views, and the frame's settings commands.
#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "fakes/FakePrompt.h"
#include "fakes/QtPrinting.h"
#include "platform/MemorySettingsStore.h"
#include "res/Strings.h"

namespace qm {
namespace {

class FakeFrameHost : public FrameHost {
 public:
  QSize ScreenSize() const override { return screen; }
  QSize ClientSize() const override { return client; }
  void CreateSplitter(bool splitRows, int size) override {
    rows = splitRows;
    first = size;
  }
  int FirstPaneSize() const override { return first; }
  void SetPaneSizes(int a, int b) override {
    first = a;
    second = b;
  }
  void ActivatePane(Pane pane) override { active = pane; }
  std::optional<QString> ChooseFolder(const QString&, const QString& start) override {
    startedAt = start;
    return folder;
  }
  bool OpenManual() override { return ++manualOpened > 0; }

  QSize screen{480, 640};
  QSize client{460, 600};
  bool rows = false;
  int first = -1;
  int second = -1;
  Pane active = Pane::Body;
  std::optional<QString> folder;
  QString startedAt;
  int manualOpened = 0;
};

class MainFrameTest : public ::testing::Test {
 protected:
  int View(const char* name, int fallback = -999) {
    return settings.ReadInt(QStringLiteral("View"), QString::fromUtf8(name), fallback);
  }

  MemorySettingsStore settings;
  test::FakePrompt prompt;
  FakeFrameHost host;
  CMainFrame frame{settings, prompt, host};
};

TEST_F(MainFrameTest, FirstStartInPortraitSplitsInRowsAtHalfHeight) {
  frame.CreateClient();
  EXPECT_TRUE(host.rows);
  EXPECT_EQ(host.first, 300);
  EXPECT_EQ(host.active, Pane::Tree);
  EXPECT_EQ(CMainFrame::WindowTitle(), res::kWindowTitle.toString());
}

TEST_F(MainFrameTest, LandscapeSplitsInColumnsAndKeepsSizesPerOrientation) {
  host.screen = {1280, 800};
  host.client = {1200, 700};
  settings.WriteInt(QStringLiteral("View"), QStringLiteral("ColumLand"), 333);
  settings.WriteInt(QStringLiteral("View"), QStringLiteral("ColumPort"), 222);
  frame.CreateClient();
  EXPECT_FALSE(host.rows);
  EXPECT_EQ(host.first, 333);
  frame.OnSize(host.client);
  // The screen turns: columns stay, the portrait size comes back.
  host.screen = {800, 1280};
  host.client = {700, 1200};
  frame.OnSize(host.client);
  EXPECT_FALSE(frame.SplitsInRows());
  EXPECT_EQ(host.first, 222);
  host.first = 250;
  frame.OnDestroy();
  EXPECT_EQ(View("ColumPort"), 250);
  EXPECT_EQ(View("ColumLand"), 333);
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
  host.screen = {1280, 800};
  host.client = {1000, 700};
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

TEST_F(MainFrameTest, SplitChoicesTakeEffectNextTimeExceptAutomatic) {
  frame.CreateClient();
  CommandTarget& commands = frame.Commands();
  EXPECT_TRUE(commands.Update(kCmdSplitAutomatic).checked);
  commands.Execute(kCmdSplitTopBottom);
  EXPECT_EQ(prompt.Asked(), QStringList{res::kTakesEffectNextWindow.toString()});
  EXPECT_EQ(View("SplPos"), 1);
  EXPECT_FALSE(commands.Update(kCmdSplitTopBottom).checked);  // still the old choice
  EXPECT_TRUE(commands.Update(kCmdSplitAutomatic).checked);
  settings.WriteInt(QStringLiteral("View"), QStringLiteral("SplPos"), 0);
  CMainFrame next(settings, prompt, host);
  next.CreateClient();
  EXPECT_TRUE(next.Commands().Update(kCmdSplitLeftRight).checked);
  prompt.ClearAsked();
  next.Commands().Execute(kCmdSplitAutomatic);
  EXPECT_TRUE(prompt.Asked().isEmpty());
  EXPECT_TRUE(next.Commands().Update(kCmdSplitAutomatic).checked);
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
