// The main of the benchmarks that also time a window. Built with the window
// layer (QM_BENCH_GUI), it runs them in an application, off screen unless
// QT_QPA_PLATFORM names another platform.
#include <benchmark/benchmark.h>

#ifdef QM_BENCH_GUI
#include <QApplication>
#endif

int main(int argc, char** argv) {
#ifdef QM_BENCH_GUI
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
