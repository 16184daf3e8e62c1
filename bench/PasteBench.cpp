// Benchmark of pasting a 10,000-line plain text as one node per line into a
// 100,000-node outline shown in a tree pane: the whole command, undo
// snapshot and pane items included. The target is the top node (the new
// nodes land after the whole outline) or a node in the middle.
#include <benchmark/benchmark.h>

#include "OutlineGenerator.h"
#include "editing/BranchClipboard.h"
#include "editing/KeyTable.h"
#include "editing/QuillmapDoc.h"
#include "editing/TreePane.h"
#include "platform/SettingsTable.h"
#include "support/FakeClipboard.h"
#include "support/FakeDialogs.h"
#include "support/FakePaneHost.h"
#include "support/FakeTreeControl.h"

namespace qm::bench {
namespace {

constexpr int kOutlineNodes = 100'000;
constexpr int kPastedLines = 10'000;

// Lines indented 0 to 3 tabs in turn, so that the level fix-up has work to do.
QString PastedText() {
  QString text;
  for (int i = 0; i < kPastedLines; ++i) {
    text += QString(i % 4, u'\t') + QStringLiteral("貼り付けた行 %1\r\n").arg(i);
  }
  return text;
}

void BM_PasteTextLines(benchmark::State& state) {
  StoreHost host;
  test::FakeDialogs dialogs;
  test::FakeClipboard clipboard;
  test::FakeTreeControl pane;
  test::FakePaneHost paneHost;
  NoKeyBindings keys;
  CQuillmapDoc doc(host.settings, host.clock, host.prompt, dialogs);
  CQTreeView tree(doc, host.settings, host.clock, host.prompt, dialogs, paneHost, keys);
  CBranchClipboard clip(doc, tree, clipboard, host.settings, host.prompt, dialogs, paneHost);
  Write(host.settings, settings::kPasteDlg, 0);
  doc.Store().SetPane(&pane);
  GenerateOutline(doc.Store(), kOutlineNodes);
  tree.InitialLoad();
  clipboard.SetText(PastedText());

  const bool intoTheMiddle = state.range(0) != 0;
  int target = 0;
  if (intoTheMiddle) {
    target = kOutlineNodes / 2;
    while (doc.Store().GetLevel(target) != 2) ++target;
  }
  for (auto _ : state) {
    doc.Store().Select(target);
    dialogs.ScriptTextPasteMode({TextPasteAnswer{CBranchClipboard::kTextNodePerLine}});
    clip.Paste();
    state.PauseTiming();
    if (doc.Store().GetCount() != kOutlineNodes + kPastedLines) {
      state.SkipWithError("the paste did not add one node per line");
      break;
    }
    doc.RestoreSnapshot();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PasteTextLines)
    ->ArgName("middle")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace qm::bench

BENCHMARK_MAIN();
