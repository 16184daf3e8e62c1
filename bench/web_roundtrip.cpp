// The window's web round trip on a real quillmap-server over loopback: an
// outline of NODES nodes saved to the service as a new web file and opened
// again, through the document and WebAccess with the real transport — what
// "ネットのファイルとして保存" and "クイルマップ for Webから開く" do once their
// dialogs are answered. ROUNDS rounds; prints each phase's best and median.
//
// The outside reference, timed in the same run: curl sending the same file
// to the same server's file store as a multipart form (the service reads it
// whole, then refuses it for want of a ticket) — the floor of moving these
// bytes through HTTP to this server once.
//
// Usage: qm_web_roundtrip [NODES [ROUNDS]]   (10000 5)
// Exits 1 when a round fails or the outline differs after the round trip.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "editing/QuillmapDoc.h"
#include "editing/WebAccess.h"
#include "model/TreeStore.h"
#include "net/QtHttpClient.h"
#include "net/TransferWait.h"
#include "net/WebAccount.h"
#include "platform/Clock.h"
#include "platform/ConnectionManager.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "support/FakeDialogs.h"
#include "support/FakePrompt.h"
#include "support/ServerProcess.h"

namespace {

using namespace qm;

const QString kMail = QStringLiteral("bench@example.jp");
const QString kPassword = QStringLiteral("pw");

// A wide, shallow outline below the top node: a hundred chapters and the
// rest as their items, each with a one-line body. Node paths are written
// whole in the file, so a shallow outline is what fits under the service's
// 1 MB limit at 10,000 nodes.
void FillOutline(CTreeStore& store, int nodes) {
  const int below = nodes - 1;
  const int chapters = std::clamp(below / 100, std::min(below, 1), 100);
  int made = 1;
  for (int c = 0; c < chapters; ++c) {
    // The chapter itself and its items.
    const int share = below / chapters + (c < below % chapters ? 1 : 0);
    const int chapter = store.InsertChild(0, QStringLiteral("章%1").arg(c), {}, {}, 0, 0);
    for (int i = 1; i < share; ++i) {
      store.InsertChild(chapter, QStringLiteral("項目%1").arg(i), {},
                        QStringLiteral("本文 %1").arg(++made), 0, 0);
    }
    ++made;
  }
}

QStringList Titles(const CTreeStore& store) {
  QStringList titles;
  for (int i = 0; i < store.GetCount(); ++i) titles << store.GetTitle(i);
  return titles;
}

void Report(const char* what, std::vector<qint64> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-34s best %5lld ms   median %5lld ms\n", what, static_cast<long long>(ms.front()),
              static_cast<long long>(ms[ms.size() / 2]));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int nodes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

  QTemporaryDir dir;
  const QString database = dir.filePath(QStringLiteral("service.sqlite"));
  test::ServerProcess server;
  QString error;
  if (!test::ServerProcess::AddUser(QM_SERVER_EXE, database, kMail, kPassword) ||
      !server.Start(QM_SERVER_EXE, database, &error)) {
    std::fprintf(stderr, "the server did not start: %s\n", qPrintable(error));
    return 1;
  }

  MemorySettingsStore settings;
  Write(settings, settings::kWebAccountHost, server.BaseUrl());
  Write(settings, settings::kWebServiceHost, server.BaseUrl());
  StoreWebAccount(settings, {kMail, kPassword});
  SystemClock clock;
  test::FakePrompt prompt;
  test::FakeDialogs dialogs;
  QtHttpClient http;
  EventLoopTransferWait wait;
  AlwaysConnected connections;
  WebAccess web({settings, http, wait, connections, prompt, clock, dialogs, dir.path()});
  CQuillmapDoc doc(settings, clock, prompt, dialogs);
  doc.SetWebAccess(&web);

  doc.NewDocument();
  FillOutline(doc.Store(), nodes);
  const QStringList titles = Titles(doc.Store());
  const QString local = dir.filePath(QStringLiteral("outline.qmp"));
  if (!doc.SaveDocument(local)) return 1;
  const qint64 bytes = QFileInfo(local).size();
  std::printf("outline: %d nodes, %lld bytes; server %s\n", doc.Store().GetCount(),
              static_cast<long long>(bytes), qPrintable(server.BaseUrl()));

  std::vector<qint64> saves, opens, trips, curls;
  for (int round = 0; round < rounds; ++round) {
    QElapsedTimer timer;
    timer.start();
    if (!doc.SaveDocument(QStringLiteral("net:;round %1").arg(round))) {
      std::fprintf(stderr, "save failed: %s\n", qPrintable(prompt.Asked().join(u'\n')));
      return 1;
    }
    const qint64 saved = timer.elapsed();
    const QString webPath = doc.PathName();
    doc.NewDocument();
    timer.restart();
    if (!doc.OpenDocument(webPath) || Titles(doc.Store()) != titles) {
      std::fprintf(stderr, "open failed or differs: %s\n", qPrintable(prompt.Asked().join(u'\n')));
      return 1;
    }
    const qint64 opened = timer.elapsed();
    saves.push_back(saved);
    opens.push_back(opened);
    trips.push_back(saved + opened);

    QProcess curl;
    timer.restart();
    curl.start(QStringLiteral("curl"),
               {QStringLiteral("-s"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                QStringLiteral("-F"), QStringLiteral("file=@") + local,
                server.BaseUrl() + QStringLiteral("/qmpupload")});
    if (!curl.waitForFinished(30000) || curl.exitCode() != 0) {
      std::fprintf(stderr, "curl failed\n");
      return 1;
    }
    curls.push_back(timer.elapsed());
  }
  Report("save to the web (new web file)", saves);
  Report("open from the web", opens);
  Report("round trip", trips);
  Report("curl: the same file sent once", curls);
  server.Stop();
  return 0;
}
