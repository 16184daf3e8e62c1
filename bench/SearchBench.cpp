// Benchmarks of the node search: a word that no node holds, so every title,
// link and body of the outline is looked at once.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "OutlineGenerator.h"
#include "editing/Search.h"
#include "model/TreeStore.h"

namespace qm::bench {
namespace {

// Generated once per size: making the outline costs far more than searching it.
const CTreeStore& Outline(int nodes) {
  static StoreHost host;
  static std::map<int, std::unique_ptr<CTreeStore>> outlines;
  auto& store = outlines[nodes];
  if (!store) {
    store = std::make_unique<CTreeStore>(host.settings, host.clock);
    GenerateOutline(*store, nodes);
  }
  return *store;
}

SearchQuery Everywhere(bool caseSensitive) {
  // Full-width letters and a digit: a word the generator never writes.
  return SearchQuery{QStringLiteral("Ｑ９ｘ該当なし"), caseSensitive, true, true, true};
}

void BM_SearchForwardNothingFound(benchmark::State& state) {
  const CTreeStore& store = Outline(static_cast<int>(state.range(0)));
  const SearchQuery query = Everywhere(state.range(1) != 0);
  for (auto _ : state) {
    const NodeMatch match = SearchForward(store, query, 0, true);
    if (match.index >= 0) {
      state.SkipWithError("the word was found");
      break;
    }
    benchmark::DoNotOptimize(match);
  }
}

void BM_SearchBackwardNothingFound(benchmark::State& state) {
  const CTreeStore& store = Outline(static_cast<int>(state.range(0)));
  const SearchQuery query = Everywhere(false);
  for (auto _ : state) {
    benchmark::DoNotOptimize(SearchBackward(store, query, store.GetCount() - 1));
  }
}

void BM_CollectMatches(benchmark::State& state) {
  const CTreeStore& store = Outline(static_cast<int>(state.range(0)));
  // A common ASCII letter: many matches, so collecting is part of the cost.
  const SearchQuery query{QStringLiteral("a"), false, true, true, true};
  for (auto _ : state) benchmark::DoNotOptimize(CollectMatches(store, query));
}

// Second argument: 1 case-sensitive, 0 case folded.
BENCHMARK(BM_SearchForwardNothingFound)
    ->Args({100'000, 0})
    ->Args({100'000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchBackwardNothingFound)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectMatches)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm::bench

BENCHMARK_MAIN();
