// Times the window on a large outline, off screen: opening a 100,000-node
// file until the tree is shown, and moving the selection (which writes the
// body back and loads the next one). Prints the figures with their targets.
//
// Usage: qm_window_bench [NODES]   (default 100000)
#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "OutlineGenerator.h"
#include "editing/QuillmapDoc.h"
#include "gui/DesktopApp.h"
#include "gui/MainWindow.h"
#include "platform/MemorySettingsStore.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int nodes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;

  QTemporaryDir dir;
  qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
  const QString path = dir.filePath(QStringLiteral("outline.qmp"));
  {
    qm::bench::StoreHost host;
    qm::CTreeStore store(host.settings, host.clock);
    qm::bench::GenerateOutline(store, nodes);
    QString error;
    if (!qm::bench::WriteSampleFile(store, path, &error)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(error));
      return 1;
    }
  }

  // Reading the file alone, for how much of the open is the window's own.
  double loadMs = 0;
  {
    qm::bench::StoreHost host;
    qm::CTreeStore store(host.settings, host.clock);
    QElapsedTimer loadTimer;
    loadTimer.start();
    store.Load(path, 0);
    loadMs = static_cast<double>(loadTimer.nsecsElapsed()) / 1e6;
  }

  qm::MemorySettingsStore settings;
  qm::DesktopApp program(settings);
  QElapsedTimer timer;
  timer.start();
  program.Start(path, false);
  QApplication::processEvents();  // until the tree has been laid out and painted
  const double openMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;

  qm::CTreeStore& store = program.Document().Store();
  QRandomGenerator random(7);
  std::vector<double> selectMs;
  for (int i = 0; i < 100; ++i) {
    const int index = static_cast<int>(random.bounded(store.GetCount()));
    timer.restart();
    store.Select(index);
    QApplication::processEvents();
    selectMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(selectMs.begin(), selectMs.end());
  std::printf("nodes: %d\n", store.GetCount());
  std::printf("open until shown: %.0f ms (target < 800 ms), of which reading the file: %.0f ms\n",
              openMs, loadMs);
  std::printf("selection change: median %.2f ms, worst %.2f ms (target < 20 ms)\n",
              selectMs[selectMs.size() / 2], selectMs.back());
  return 0;
}
