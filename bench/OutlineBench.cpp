// Benchmarks of the outline store: file load and save against their code page baselines
// (and those against glibc iconv on the same bytes),
// pane rebuild, chapter recount, path search and renaming a large branch.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <sys/resource.h>

#include <QTemporaryDir>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "OutlineGenerator.h"
#include "model/OutlineFile.h"
#include "model/TreeStore.h"
#include "platform/CodePage.h"
#include "platform/CodePageTables.h"
#include "platform/FileIo.h"
#include "support/FakeTreeControl.h"

namespace qm::bench {
namespace {

struct Sample {
  QString path;
  QByteArray bytes;
  int nodes = 0;  // how many nodes the file holds
};

QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  return folder;
}

// A sample file, generated on first use and kept for the whole run; null
// (and the benchmark skipped with the reason) when it cannot be made.
const Sample* CachedSample(benchmark::State& state, bool branch, int size) {
  static std::map<std::pair<bool, int>, Sample> samples;
  const auto key = std::make_pair(branch, size);
  if (auto found = samples.find(key); found != samples.end()) return &found->second;
  if (!Folder().isValid()) {
    state.SkipWithError("cannot create a temporary folder");
    return nullptr;
  }
  QString error;
  Sample sample;
  sample.path = branch ? MakeBranchOutlineFile(Folder().path(), size, &error)
                       : MakeOutlineFile(Folder().path(), size, &error);
  std::optional<QByteArray> bytes;
  if (!sample.path.isEmpty()) bytes = ReadWholeFile(sample.path);
  if (!bytes) {
    state.SkipWithError(qPrintable(QStringLiteral("cannot make the sample: ") + error));
    return nullptr;
  }
  sample.bytes = *bytes;
  sample.nodes = branch ? 1 + 2 * kBranchSideNodes + size : size;
  return &samples.emplace(key, std::move(sample)).first->second;
}

const Sample* OutlineSample(benchmark::State& state) {
  return CachedSample(state, false, static_cast<int>(state.range(0)));
}

// A store with its own host, so that it can be made and dropped as one.
struct Document {
  StoreHost host;
  CTreeStore store{host.settings, host.clock};
};

// The sample loaded into a new store; null (and the benchmark skipped) when
// the file does not read back as generated.
std::unique_ptr<Document> LoadSample(benchmark::State& state, const Sample& sample) {
  auto document = std::make_unique<Document>();
  const int count = document->store.Load(sample.path, 0);
  const FileReport& report = document->store.LastFileReport();
  if (count != sample.nodes || report.nodesReplaced != 0 || report.undecodable != 0) {
    state.SkipWithError("the sample file does not read back cleanly");
    return nullptr;
  }
  return document;
}

long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

// Items (nodes) and bytes (of the file) per second, and the page faults
// per iteration: first touches of fresh memory, which cost more than the
// work itself on some hosts and explain growth that is not in the code.
class Throughput {
 public:
  Throughput(qsizetype items, qsizetype bytes) : m_items(items), m_bytes(bytes) {}

  void Report(benchmark::State& state) const {
    const auto iterations = static_cast<int64_t>(state.iterations());
    state.SetItemsProcessed(iterations * m_items);
    if (m_bytes > 0) state.SetBytesProcessed(iterations * m_bytes);
    state.counters["faults"] = benchmark::Counter(static_cast<double>(MinorFaults() - m_faults),
                                                  benchmark::Counter::kAvgIterations);
  }

 private:
  qsizetype m_items;
  qsizetype m_bytes;
  long m_faults = MinorFaults();
};

// Shift_JIS bytes to text, as Load does before it parses.
void BM_DecodeOnly(benchmark::State& state) {
  const Sample* sample = OutlineSample(state);
  if (sample == nullptr) return;
  const Throughput throughput(sample->nodes, sample->bytes.size());
  for (auto _ : state) {
    CodePage codePage;
    qsizetype undecodable = 0;
    const QString text = codePage.Decode(sample->bytes, &undecodable);
    benchmark::DoNotOptimize(text.constData());
  }
  throughput.Report(state);
}

// The system's converter over a whole buffer, the floor the code page is
// measured against; -1 when it cannot convert (or lacks the code page).
qsizetype Iconv(const char* to, const char* from, const char* in, qsizetype size, char* out,
                qsizetype room) {
  const iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return -1;
  char* input = const_cast<char*>(in);
  size_t inLeft = static_cast<size_t>(size);
  char* output = out;
  size_t outLeft = static_cast<size_t>(room);
  const size_t done = iconv(cd, &input, &inLeft, &output, &outLeft);
  iconv_close(cd);
  return done == static_cast<size_t>(-1) ? -1 : output - out;
}

// The same bytes through glibc iconv, CP932 to UTF-16LE, into a fresh buffer
// as Decode makes one.
void BM_IconvDecode(benchmark::State& state) {
  const Sample* sample = OutlineSample(state);
  if (sample == nullptr) return;
  const Throughput throughput(sample->nodes, sample->bytes.size());
  for (auto _ : state) {
    QString text(sample->bytes.size(), Qt::Uninitialized);
    const qsizetype made =
        Iconv("UTF-16LE", "CP932", sample->bytes.constData(), sample->bytes.size(),
              reinterpret_cast<char*>(text.data()), text.size() * 2);
    if (made < 0) {
      state.SkipWithError("iconv cannot decode the sample");
      break;
    }
    text.truncate(made / 2);
    benchmark::DoNotOptimize(text.constData());
  }
  throughput.Report(state);
}

// What the first conversion of a run pays once: the tables from iconv.
void BM_BuildCodePageTables(benchmark::State& state) {
  auto tables = std::make_unique<CodePageTables>();
  for (auto _ : state) {
    if (!CodePageTables::BuildFromIconv(*tables)) {
      state.SkipWithError("iconv lacks CP932");
      break;
    }
    benchmark::DoNotOptimize(tables->encode.data());
  }
}

// Opening the file into a new store: reading, decoding, parsing, making the tree well-formed.
void BM_Load(benchmark::State& state) {
  const Sample* sample = OutlineSample(state);
  if (sample == nullptr) return;
  std::unique_ptr<Document> document;
  const Throughput throughput(sample->nodes, sample->bytes.size());
  for (auto _ : state) {
    state.PauseTiming();
    document.reset();  // freeing the previous outline is not part of opening one
    document = std::make_unique<Document>();
    state.ResumeTiming();
    if (document->store.Load(sample->path, 0) != sample->nodes) {
      state.SkipWithError("Load returned a different node count");
      break;
    }
  }
  throughput.Report(state);
}

// The parsing part of Load alone (text already decoded), to split Load's time.
void BM_ReadOutlineText(benchmark::State& state) {
  const Sample* sample = OutlineSample(state);
  if (sample == nullptr) return;
  CodePage codePage;
  const QString text = codePage.Decode(sample->bytes);
  std::unique_ptr<Document> document;
  const Throughput throughput(sample->nodes, sample->bytes.size());
  for (auto _ : state) {
    state.PauseTiming();
    document.reset();
    document = std::make_unique<Document>();
    state.ResumeTiming();
    ReadOutlineText(text, document->store);
    document->store.FinishLoading(sample->path);
  }
  throughput.Report(state);
}

// Text to Shift_JIS bytes, as SaveOutline does before it writes.
void BM_EncodeOnly(benchmark::State& state) {
  const Sample* sample = OutlineSample(state);
  if (sample == nullptr) return;
  const auto document = LoadSample(state, *sample);
  if (!document) return;
  const QString text = WriteOutlineText(document->store);
  const Throughput throughput(sample->nodes, sample->bytes.size());
  for (auto _ : state) {
    CodePage codePage;
    QString unencodable;
    const QByteArray bytes = codePage.Encode(text, &unencodable);
    benchmark::DoNotOptimize(bytes.constData());
  }
  throughput.Report(state);
}

// The same text back through glibc iconv, UTF-16LE to CP932.
void BM_IconvEncode(benchmark::State& state) {
  const Sample* sample = OutlineSample(state);
  if (sample == nullptr) return;
  const auto document = LoadSample(state, *sample);
  if (!document) return;
  const QString text = WriteOutlineText(document->store);
  const Throughput throughput(sample->nodes, sample->bytes.size());
  for (auto _ : state) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    const qsizetype made =
        Iconv("CP932", "UTF-16LE", reinterpret_cast<const char*>(text.constData()), text.size() * 2,
              bytes.data(), bytes.size());
    if (made < 0) {
      state.SkipWithError("iconv cannot encode the sample");
      break;
    }
    bytes.truncate(made);
    benchmark::DoNotOptimize(bytes.constData());
  }
  throughput.Report(state);
}

// The text-making part of SaveOutline alone, to split Save's time.
void BM_WriteOutlineText(benchmark::State& state) {
  const Sample* sample = OutlineSample(state);
  if (sample == nullptr) return;
  const auto document = LoadSample(state, *sample);
  if (!document) return;
  const Throughput throughput(sample->nodes, sample->bytes.size());
  for (auto _ : state) {
    const QString text = WriteOutlineText(document->store);
    benchmark::DoNotOptimize(text.constData());
  }
  throughput.Report(state);
}

// Saving the whole outline over an existing file.
void BM_Save(benchmark::State& state) {
  const Sample* sample = OutlineSample(state);
  if (sample == nullptr) return;
  const auto document = LoadSample(state, *sample);
  if (!document) return;
  const QString path = Folder().filePath(QStringLiteral("saved-%1.qmp").arg(sample->nodes));
  const Throughput throughput(sample->nodes, sample->bytes.size());
  for (auto _ : state) {
    if (!document->store.SaveOutline(path)) {
      state.SkipWithError("SaveOutline failed");
      break;
    }
  }
  throughput.Report(state);
}

// Filling the tree pane from scratch (the pane keeps its items in memory).
void BM_RebuildTree(benchmark::State& state) {
  const Sample* sample = OutlineSample(state);
  if (sample == nullptr) return;
  const auto document = LoadSample(state, *sample);
  if (!document) return;
  test::FakeTreeControl pane;
  document->store.SetPane(&pane);
  const Throughput throughput(sample->nodes, 0);
  for (auto _ : state) document->store.RebuildTree();
  if (pane.ItemCount() != sample->nodes) state.SkipWithError("the pane lost items");
  throughput.Report(state);
}

void BM_Recount(benchmark::State& state) {
  const Sample* sample = OutlineSample(state);
  if (sample == nullptr) return;
  const auto document = LoadSample(state, *sample);
  if (!document) return;
  const Throughput throughput(sample->nodes, 0);
  for (auto _ : state) document->store.RecountChapters();
  throughput.Report(state);
}

// The worst case of a search by path: the last node.
void BM_FindPath(benchmark::State& state) {
  const Sample* sample = OutlineSample(state);
  if (sample == nullptr) return;
  const auto document = LoadSample(state, *sample);
  if (!document) return;
  const int last = document->store.GetCount() - 1;
  const QString path = document->store.GetPath(last);
  if (document->store.FindPath(path) != last) {
    state.SkipWithError("the last node's path is not unique");
    return;
  }
  const Throughput throughput(sample->nodes, 0);
  for (auto _ : state) benchmark::DoNotOptimize(document->store.FindPath(path));
  throughput.Report(state);
}

// Renaming the top of a large branch rewrites the path of every node below it.
void BM_RenameBranchTop(benchmark::State& state) {
  const int branchNodes = static_cast<int>(state.range(0));
  const Sample* sample = CachedSample(state, true, branchNodes);
  if (sample == nullptr) return;
  const auto document = LoadSample(state, *sample);
  if (!document) return;
  CTreeStore& store = document->store;
  const int top = BranchTopIndex(store);
  if (top <= 0 || store.GetBranchEnd(top, true) - top != branchNodes) {
    state.SkipWithError("the branch does not hold the expected node count");
    return;
  }
  const QString titles[2] = {QStringLiteral("第二章 改名した見出しA"),
                             QStringLiteral("第二章 改名した見出しB")};
  int next = 0;
  const Throughput throughput(branchNodes, 0);
  for (auto _ : state) {
    store.Rename(top, titles[next]);
    next ^= 1;
  }
  const int lastInBranch = top + branchNodes - 1;
  if (!IsPathBelow(store.GetPath(lastInBranch), store.GetPath(top))) {
    state.SkipWithError("the branch did not follow its renamed top");
  }
  throughput.Report(state);
}

void OutlineSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_BuildCodePageTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeOnly)->Apply(OutlineSizes);
BENCHMARK(BM_IconvDecode)->Apply(OutlineSizes);
BENCHMARK(BM_Load)->Apply(OutlineSizes);
BENCHMARK(BM_ReadOutlineText)->Apply(OutlineSizes);
BENCHMARK(BM_EncodeOnly)->Apply(OutlineSizes);
BENCHMARK(BM_IconvEncode)->Apply(OutlineSizes);
BENCHMARK(BM_WriteOutlineText)->Apply(OutlineSizes);
BENCHMARK(BM_Save)->Apply(OutlineSizes);
BENCHMARK(BM_RebuildTree)->Apply(OutlineSizes);
BENCHMARK(BM_Recount)->Apply(OutlineSizes);
BENCHMARK(BM_FindPath)->Apply(OutlineSizes);
BENCHMARK(BM_RenameBranchTop)->Arg(10'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm::bench

BENCHMARK_MAIN();
