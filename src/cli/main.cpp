// quillmap-cli: the program's outline functions for scripts, without a display.
#include <QCoreApplication>
#include <cstdio>

#include "cli/CliRunner.h"
#include "platform/QSettingsStore.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  qm::QSettingsStore settings;
  qm::CliStreams streams;
  const int status = qm::RunCli(QCoreApplication::arguments().mid(1), settings, streams);
  std::fwrite(streams.out.constData(), 1, static_cast<size_t>(streams.out.size()), stdout);
  std::fwrite(streams.err.constData(), 1, static_cast<size_t>(streams.err.size()), stderr);
  return status;
}
