// Benchmarks of opening a plain-text outline: importing an indented text file against the
// code page conversion of the same bytes, at three sizes to show how it grows.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <optional>

#include "OutlineGenerator.h"
#include "model/TreeStore.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"

namespace qm::bench {
namespace {

struct TextSample {
  QString path;
  QByteArray bytes;
  int lines = 0;
};

QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  return folder;
}

// Exactly `lines` lines made from the benchmark outline as numbered, indented text output
// writes it: every node a chain-numbered heading ("2-1-3 title") indented two blanks a
// level, its body lines hanging under the title.
QString IndentedText(const CTreeStore& store, int lines) {
  QString text;
  int written = 0;
  std::vector<int> counters;
  const auto line = [&](const QString& indent, QStringView content) {
    if (written >= lines) return;
    text += indent;
    text += content;
    text += u"\r\n";
    ++written;
  };
  for (int i = 0; i < store.GetCount() && written < lines; ++i) {
    const int level = store.GetLevel(i);
    QString heading;
    if (level > 0) {
      counters.resize(static_cast<size_t>(level));
      ++counters.back();
      for (int depth = 0; depth < level; ++depth) {
        if (depth > 0) heading += u'-';
        heading += QString::number(counters[static_cast<size_t>(depth)]);
      }
      heading += u' ';
    }
    const QString indent(2 * std::max(level - 1, 0), u' ');
    line(indent, heading + store.GetTitle(i));
    const QString hanging = indent + QString(heading.size(), u' ');
    for (const QStringView bodyLine :
         QStringView(store.GetBody(i)).split(u"\r\n", Qt::SkipEmptyParts)) {
      line(hanging, bodyLine);
    }
  }
  return text;
}

// A sample file, generated on first use and kept for the whole run; null (and the
// benchmark skipped with the reason) when it cannot be made.
const TextSample* Sample(benchmark::State& state) {
  static std::map<int, TextSample> samples;
  const int lines = static_cast<int>(state.range(0));
  if (auto found = samples.find(lines); found != samples.end()) return &found->second;
  if (!Folder().isValid()) {
    state.SkipWithError("cannot create a temporary folder");
    return nullptr;
  }
  StoreHost host;
  CTreeStore outline(host.settings, host.clock);
  GenerateOutline(outline, lines);  // more nodes than lines: the text is cut at `lines`
  const QString text = IndentedText(outline, lines);
  CodePage codePage;
  QString unencodable;
  TextSample sample;
  sample.bytes = codePage.Encode(text, &unencodable);
  sample.path = QDir(Folder().path()).filePath(QStringLiteral("indented-%1.txt").arg(lines));
  sample.lines = lines;
  if (!unencodable.isEmpty() || !WriteFileReplacing(sample.path, sample.bytes)) {
    state.SkipWithError("cannot write the sample text");
    return nullptr;
  }
  return &samples.emplace(lines, std::move(sample)).first->second;
}

// Shift_JIS bytes to text: the part of the import no reader can avoid.
void BM_TextDecodeOnly(benchmark::State& state) {
  const TextSample* sample = Sample(state);
  if (sample == nullptr) return;
  for (auto _ : state) {
    CodePage codePage;
    qsizetype undecodable = 0;
    const QString text = codePage.Decode(sample->bytes, &undecodable);
    benchmark::DoNotOptimize(text.constData());
  }
  state.SetItemsProcessed(state.iterations() * sample->lines);
  state.SetBytesProcessed(state.iterations() * sample->bytes.size());
}

// Opening the text file into a new store: reading, decoding, classifying every line and
// building the nodes.
void BM_ImportText(benchmark::State& state) {
  const TextSample* sample = Sample(state);
  if (sample == nullptr) return;
  StoreHost host;
  std::unique_ptr<CTreeStore> store;
  int nodes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    store.reset();  // freeing the previous outline is not part of opening one
    store = std::make_unique<CTreeStore>(host.settings, host.clock);
    state.ResumeTiming();
    nodes = store->Load(sample->path, 0);
    if (nodes <= 0) {
      state.SkipWithError("the import failed");
      break;
    }
  }
  state.counters["nodes"] = nodes;
  state.SetItemsProcessed(state.iterations() * sample->lines);
  state.SetBytesProcessed(state.iterations() * sample->bytes.size());
}

void TextSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_TextDecodeOnly)->Apply(TextSizes);
BENCHMARK(BM_ImportText)->Apply(TextSizes);

}  // namespace
}  // namespace qm::bench

BENCHMARK_MAIN();
