// Benchmarks of the latest-updated list on large outlines: collecting the
// newest nodes, the whole command up to the dialog request and, when the
// window layer is built, the dialog itself with a full list. The list must
// open in well under 300 ms on 100,000 nodes.
#include <benchmark/benchmark.h>

#include <memory>

#include "OutlineGenerator.h"
#include "editing/KeyTable.h"
#include "editing/LatestUpdated.h"
#include "editing/QuillmapDoc.h"
#include "editing/Timestamps.h"
#include "editing/TreePane.h"
#include "model/TreeStore.h"
#include "support/FakeDialogs.h"
#include "support/FakePaneHost.h"

#ifdef QM_BENCH_GUI
#include <QApplication>

#include "gui/LatestUpdatedDialog.h"
#endif

namespace qm::bench {
namespace {

// A document around a generated outline, with a tree pane but no window.
struct Document {
  explicit Document(int nodes, bool ascending) {
    GenerateOutline(doc.Store(), nodes);
    if (ascending) {
      // The worst order: every node is newer than all before it, so each
      // one goes to the front of the kept list.
      for (int i = 0; i < nodes; ++i) doc.Store().GetNode(i).SetUpdateTime(1'600'000'000 + i);
    }
  }
  StoreHost host;
  test::FakeDialogs dialogs;
  test::FakePaneHost paneHost;
  NoKeyBindings keys;
  CQuillmapDoc doc{host.settings, host.clock, host.prompt, dialogs};
  CQTreeView tree{doc, host.settings, host.clock, host.prompt, dialogs, paneHost, keys};
};

void BM_CollectLatest(benchmark::State& state) {
  Document document(static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(CollectLatestUpdated(document.doc.Store()));
  }
}

void BM_ShowLatestUpdated(benchmark::State& state) {
  Document document(static_cast<int>(state.range(0)), state.range(1) != 0);
  CTimestamps timestamps(document.doc, document.tree, document.host.settings, document.host.prompt,
                         document.dialogs);
  for (auto _ : state) timestamps.ShowLatestUpdated();
  if (document.dialogs.LatestRequests().empty()) state.SkipWithError("no list was shown");
}

BENCHMARK(BM_CollectLatest)
    ->ArgsProduct({{10'000, 100'000}, {0, 1}})
    ->ArgNames({"nodes", "ascending"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowLatestUpdated)
    ->ArgsProduct({{100'000}, {0, 1}})
    ->ArgNames({"nodes", "ascending"})
    ->Unit(benchmark::kMillisecond);

#ifdef QM_BENCH_GUI
void BM_LatestDialogFullList(benchmark::State& state) {
  LatestUpdatedRequest request;
  for (int i = 0; i < kLatestUpdatedLimit; ++i) {
    request.rows.push_back({QStringLiteral("2024/12/08 09:00"),
                            QStringLiteral("タイトル %1").arg(i),
                            QStringLiteral("本文\r\n").repeated(20)});
  }
  for (auto _ : state) {
    LatestUpdatedDialog dialog(request);
    dialog.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_LatestDialogFullList)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace qm::bench
