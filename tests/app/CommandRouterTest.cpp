// Tests of CommandRouter and CommandSet: which target runs a command, and what menus are told.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/CommandRouter.h"
#include "res/CommandIds.h"

namespace qm {
namespace {

struct PaneState {
  bool hasPreviousSibling = false;
  bool chapterCharactersShown = false;
};

// A target whose commands log its name when they run; its rules read `state`.
class FakeTarget : public CommandSet<PaneState> {
 public:
  FakeTarget(std::string name, std::string& log)
      : CommandSet([this] {
          ++reads;
          return state;
        }),
        m_name(std::move(name)),
        m_log(log) {}

  void Handle(int id, Rule rule = {}) {
    Action logName = [this] { m_log += m_name; };
    Add(id, std::move(logName), std::move(rule));
  }

  PaneState state;
  int reads = 0;

 private:
  std::string m_name;
  std::string& m_log;
};

enum Link : unsigned { kPane = 1, kOtherPane = 16, kDocument = 2, kFrame = 4, kApplication = 8 };

struct ChainCase {
  const char* name;
  unsigned handles;   // links that handle the command
  unsigned disabled;  // links whose rule disables it
  const char* runs;   // the link that runs it, "" for none
};

class ChainTest : public testing::TestWithParam<ChainCase> {};

TEST_P(ChainTest, FirstHandlerDecidesAndMenusAgree) {
  const ChainCase& c = GetParam();
  std::string log;
  FakeTarget pane("pane", log), other("other", log), document("document", log), frame("frame", log),
      application("application", log);
  const std::pair<unsigned, FakeTarget*> links[] = {{kPane, &pane},
                                                    {kOtherPane, &other},
                                                    {kDocument, &document},
                                                    {kFrame, &frame},
                                                    {kApplication, &application}};
  for (auto [bit, target] : links) {
    if (!(c.handles & bit)) continue;
    const bool enabled = !(c.disabled & bit);
    target->Handle(kCmdFont, [enabled](const PaneState&) { return EnabledIf(enabled); });
  }
  CommandRouter router;
  router.SetPaneTarget(Pane::Body, &pane);
  router.SetPaneTarget(Pane::Tree, &other);
  router.SetFocusedPane(Pane::Body);
  router.SetDocument(&document);
  router.SetFrame(&frame);
  router.SetApplication(&application);

  const bool runs = *c.runs != '\0';
  EXPECT_EQ(router.UpdateAll().value(kCmdFont).enabled, runs);
  EXPECT_EQ(router.StateOf(kCmdFont).enabled, runs);
  EXPECT_EQ(router.Execute(kCmdFont), runs);
  EXPECT_EQ(log, c.runs);
}

INSTANTIATE_TEST_SUITE_P(
    Links, ChainTest,
    testing::Values(
        ChainCase{"FocusedPaneFirst", kPane | kOtherPane | kDocument | kFrame | kApplication, 0,
                  "pane"},
        // A command of the other pane reaches it, before the document's.
        ChainCase{"OtherPaneNext", kOtherPane | kDocument | kFrame, 0, "other"},
        ChainCase{"DocumentBeforeFrame", kDocument | kFrame | kApplication, 0, "document"},
        ChainCase{"FrameBeforeApplication", kFrame | kApplication, 0, "frame"},
        ChainCase{"ApplicationLast", kApplication, 0, "application"},
        ChainCase{"NoHandlerIsDisabled", 0, 0, ""},
        // A disabled command stays disabled; it does not fall through to the frame.
        ChainCase{"DisabledPaneKeepsItFromTheFrame", kPane | kFrame, kPane, ""},
        ChainCase{"DisabledPaneKeepsItFromTheOtherPane", kPane | kOtherPane, kPane, ""}),
    [](const auto& p) { return std::string(p.param.name); });

class RouterTest : public testing::Test {
 protected:
  RouterTest() {
    router.SetPaneTarget(Pane::Tree, &tree);
    router.SetPaneTarget(Pane::Body, &body);
    router.SetFrame(&frame);
  }

  std::string log;
  FakeTarget tree{"tree", log};
  FakeTarget body{"body", log};
  FakeTarget frame{"frame", log};
  CommandRouter router;
};

TEST_F(RouterTest, UpdateRulesFollowTheStateAtEachCall) {
  tree.Handle(kCmdMoveUp, [](const PaneState& s) { return EnabledIf(s.hasPreviousSibling); });
  EXPECT_FALSE(router.Execute(kCmdMoveUp));
  tree.state.hasPreviousSibling = true;
  EXPECT_TRUE(router.Execute(kCmdMoveUp));
  EXPECT_EQ(log, "tree");
}

TEST_F(RouterTest, UpdateAllShowsTheFocusedPanesStateOverTheOthers) {
  tree.Handle(kCmdUndo, [](const PaneState& s) { return CheckedIf(s.chapterCharactersShown); });
  body.Handle(kCmdUndo, [](const PaneState&) { return EnabledIf(false); });
  frame.Handle(kCmdUndo);
  tree.state.chapterCharactersShown = true;
  EXPECT_EQ(router.UpdateAll().value(kCmdUndo), (CommandState{true, true}));
  router.SetFocusedPane(Pane::Body);
  EXPECT_EQ(router.UpdateAll().value(kCmdUndo), (CommandState{false, false}));
  EXPECT_EQ(router.FocusedPane(), Pane::Body);
}

// Menus are built from what is offered: it must not depend on the focus.
TEST_F(RouterTest, WhatIsOfferedDoesNotDependOnTheFocus) {
  tree.Handle(kCmdDeleteBranch);
  body.Handle(kCmdSelectAll);
  for (const Pane focus : {Pane::Tree, Pane::Body}) {
    router.SetFocusedPane(focus);
    EXPECT_TRUE(router.IsOffered(kCmdDeleteBranch));
    EXPECT_TRUE(router.IsOffered(kCmdSelectAll));
    EXPECT_FALSE(router.IsOffered(kCmdHelp));
  }
}

TEST_F(RouterTest, UpdateAllReadsEachTargetsStateOnce) {
  for (int id : {kCmdMoveUp, kCmdMoveDown, kCmdLevelUp, kCmdLevelDown}) {
    tree.Handle(id, [](const PaneState& s) { return EnabledIf(s.hasPreviousSibling); });
  }
  router.UpdateAll();
  EXPECT_EQ(tree.reads, 1);
}

TEST_F(RouterTest, UpdateAllCoversUnhandledTableBarAndRecentFileCommandsAsDisabled) {
  const CommandStates states = router.UpdateAll();
  for (int id : {kCmdSave, kCmdNew, kCmdRecentFileLast, kCmdMarkEntryLast, kCmdFind}) {
    ASSERT_TRUE(states.contains(id)) << id;
    EXPECT_FALSE(states.value(id).enabled) << id;
  }
  EXPECT_FALSE(states.contains(0));  // separators are no command
}

// The pane switch asks the frame to show the other pane only, and the frame moves the focus.
TEST_F(RouterTest, AnActionMaySendCommandsAndMoveTheFocus) {
  tree.Add(kCmdShowOtherPaneOnly, [this] { router.Execute(kCmdTextOnly); });
  frame.Add(kCmdTextOnly, [this] { router.SetFocusedPane(Pane::Body); });
  tree.Handle(kCmdCopy);
  body.Handle(kCmdCopy);
  EXPECT_TRUE(router.Execute(kCmdShowOtherPaneOnly));
  EXPECT_TRUE(router.Execute(kCmdCopy));
  EXPECT_EQ(log, "body");  // the body has the focus now
}

TEST(CommandSetTest, AnActionMayDestroyItsOwnTarget) {
  auto set = std::make_unique<CommandSet<PaneState>>();
  bool ran = false;
  set->Add(kCmdQuitWithConfirmation, [&] {
    set.reset();
    ran = true;
  });
  CommandRouter router;
  router.SetApplication(set.get());
  EXPECT_TRUE(router.Execute(kCmdQuitWithConfirmation));
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace qm
