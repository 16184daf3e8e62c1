// The browser's outline page on the server: rendering a stored outline file
// as the page's tree, and the whole GET /outline/ID through the page
// functions (session check, file read from SQLite, render, UTF-8), for
// outlines of 10,000 nodes. The reference beside them is decoding the same
// bytes from the code page alone, the floor of any reading of the file.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <memory>

#include "OutlineGenerator.h"
#include "model/OutlineFile.h"
#include "net/RequestKey.h"
#include "platform/CodePage.h"
#include "server/BrowserPages.h"
#include "server/OutlineHtml.h"
#include "server/Sessions.h"
#include "server/Storage.h"

namespace qm::bench {
namespace {

constexpr int kNodes = 10000;

// The sample generator's outline: eight levels, bodies, flags, categories.
const QByteArray& RichOutline() {
  static const QByteArray bytes = [] {
    StoreHost host;
    CTreeStore store(host.settings, host.clock);
    GenerateOutline(store, kNodes);
    return CodePage().Encode(WriteOutlineText(store));
  }();
  return bytes;
}

// A hundred chapters of one-line items: the shape that keeps 10,000 nodes
// under the service's 1 MB limit.
const QByteArray& StorableOutline() {
  static const QByteArray bytes = [] {
    StoreHost host;
    CTreeStore store(host.settings, host.clock);
    store.AddRoot(QStringLiteral("計画"));
    int made = 1;
    for (int c = 0; c < 100 && made < kNodes; ++c) {
      const int chapter = store.InsertChild(0, QStringLiteral("章%1").arg(c), {}, {}, 0, 0);
      ++made;
      for (int i = 0; i < 99 && made < kNodes; ++i, ++made) {
        store.InsertChild(chapter, QStringLiteral("項目%1").arg(i), {},
                          QStringLiteral("本文 %1").arg(made), i % 7 == 0 ? kFlagChecked : 0, 0);
      }
    }
    return CodePage().Encode(WriteOutlineText(store));
  }();
  return bytes;
}

void RenderBench(benchmark::State& state, const QByteArray& bytes) {
  qsizetype htmlBytes = 0;
  for (auto _ : state) {
    server::RenderedOutline outline;
    if (!server::RenderOutlineHtml(bytes, QStringLiteral("x"), outline)) {
      state.SkipWithError("the outline did not render");
      return;
    }
    htmlBytes = outline.html.toUtf8().size();
    benchmark::DoNotOptimize(htmlBytes);
  }
  state.counters["file_bytes"] = double(bytes.size());
  state.counters["html_bytes"] = double(htmlBytes);
}

void BM_RenderRichOutline(benchmark::State& state) { RenderBench(state, RichOutline()); }
BENCHMARK(BM_RenderRichOutline)->Unit(benchmark::kMillisecond);

void BM_RenderStorableOutline(benchmark::State& state) { RenderBench(state, StorableOutline()); }
BENCHMARK(BM_RenderStorableOutline)->Unit(benchmark::kMillisecond);

void BM_DecodeStorableOutline(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(CodePage().Decode(StorableOutline()));
}
BENCHMARK(BM_DecodeStorableOutline)->Unit(benchmark::kMillisecond);

// GET /outline/ID as the listener hands it over, on a database holding the file.
void BM_OutlinePageRequest(benchmark::State& state) {
  QTemporaryDir dir;
  QString error;
  auto storage = server::Storage::OpenSqlite(dir.filePath(QStringLiteral("b.sqlite")), &error);
  if (!storage) {
    state.SkipWithError(qPrintable(error));
    return;
  }
  SystemClock clock;
  const qint64 now = clock.Now();
  const QString mail = QStringLiteral("bench@example.jp");
  const QString fileId = QStringLiteral("0123456789abcdef0123456789abcdef");
  const server::Ticket ticket{
      QStringLiteral("ticket"), mail,    QStringLiteral("upload"), fileId, QStringLiteral("計画"),
      QStringLiteral("date"),   now + 60};
  const server::SignInOutcome signedIn =
      storage->AddAccount(mail, PasswordDigest(QStringLiteral("pw")), now) ==
                  server::StoreResult::kOk &&
              storage->IssueTicket(ticket) == server::StoreResult::kOk &&
              storage->CreateWithTicket(ticket, now, StorableOutline()) == server::StoreResult::kOk
          ? server::SignIn(*storage, mail, QStringLiteral("pw"), QStringLiteral("127.0.0.1"), now)
          : server::SignInOutcome{};
  if (signedIn.result != server::SignInResult::kSignedIn) {
    state.SkipWithError("cannot prepare the database");
    return;
  }
  server::PageRequest request;
  request.method = "GET";
  request.path = "/outline/" + fileId.toLatin1();
  request.cookie = QByteArray(server::kSessionCookie) + '=' + signedIn.token.toLatin1();
  for (auto _ : state) {
    const server::PageReply reply = server::HandlePageRequest(request, *storage, clock);
    if (reply.status != 200) {
      state.SkipWithError("the page was not served");
      return;
    }
    benchmark::DoNotOptimize(reply.body.size());
  }
}
BENCHMARK(BM_OutlinePageRequest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm::bench

int main(int argc, char** argv) {
  // The SQL driver is a plugin, and Qt loads plugins only with an application.
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
