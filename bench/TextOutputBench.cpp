// Benchmarks of the text output: each form written to a file from a whole
// generated outline, against the code-page conversion of the same text.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <map>
#include <memory>

#include "OutlineGenerator.h"
#include "model/TreeStore.h"
#include "output/TextOutput.h"
#include "platform/CodePage.h"
#include "platform/EncodedFile.h"

namespace qm::bench {
namespace {

struct Document {
  StoreHost host;
  CTreeStore store{host.settings, host.clock};
};

// A generated outline of each size, made once for the whole run.
CTreeStore& Outline(int nodes) {
  static std::map<int, std::unique_ptr<Document>> outlines;
  std::unique_ptr<Document>& document = outlines[nodes];
  if (!document) {
    document = std::make_unique<Document>();
    GenerateOutline(document->store, nodes);
  }
  return document->store;
}

QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  return folder;
}

TextOutputOptions OptionsFor(int form) {
  TextOutputOptions options;
  options.format.form = form;
  return options;
}

// The output command's writer: the text of the whole outline, converted
// and written to a file.
void BM_TextOutputToFile(benchmark::State& state) {
  const int form = static_cast<int>(state.range(0));
  CTreeStore& store = Outline(static_cast<int>(state.range(1)));
  const TextOutputOptions options = OptionsFor(form);
  const QString path = Folder().filePath(QStringLiteral("out-%1.txt").arg(form));
  qsizetype bytes = 0;
  for (auto _ : state) {
    const QString text = MakeOutputText(store, 0, store.GetCount(), options, TextOutputUse::File);
    if (!WriteEncodedFile(path, text, SaveLoss::Refuse).Written()) {
      state.SkipWithError("the output file was not written");
      break;
    }
    bytes = text.size();
  }
  state.SetItemsProcessed(state.iterations() * store.GetCount());
  state.counters["chars"] = static_cast<double>(bytes);
}

// The code page conversion alone of the text the writer makes.
void BM_TextOutputEncodeOnly(benchmark::State& state) {
  const int form = static_cast<int>(state.range(0));
  CTreeStore& store = Outline(static_cast<int>(state.range(1)));
  const QString text =
      MakeOutputText(store, 0, store.GetCount(), OptionsFor(form), TextOutputUse::File);
  for (auto _ : state) {
    CodePage codePage;
    QString unencodable;
    const QByteArray bytes = codePage.Encode(text, &unencodable);
    benchmark::DoNotOptimize(bytes.constData());
  }
  state.SetItemsProcessed(state.iterations() * store.GetCount());
}

void FormsAndSizes(benchmark::internal::Benchmark* benchmark) {
  for (int form = 0; form <= 5; ++form) {
    for (int nodes : {1'000, 10'000, 100'000}) benchmark->Args({form, nodes});
  }
  benchmark->ArgNames({"form", "nodes"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_TextOutputEncodeOnly)->Apply(FormsAndSizes);
BENCHMARK(BM_TextOutputToFile)->Apply(FormsAndSizes);

}  // namespace
}  // namespace qm::bench

BENCHMARK_MAIN();
