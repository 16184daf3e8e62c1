// quillmap-cli: the program's outline functions for scripts, without a display.
#include <QCoreApplication>
#include <cstdio>
#include <optional>

#include "cli/CliRunner.h"
#include "cli/StandardOutput.h"
#include "platform/QSettingsStore.h"
#include "res/Strings.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  qm::QSettingsStore settings;
  qm::CliStreams streams;
  // What stdout could not take is a failure of the run, said on stderr.
  QString why;
  bool outputFailed = false;
  streams.drain = [&](QByteArrayView bytes) {
    outputFailed = !qm::WriteAll(stdout, bytes, &why);
    return !outputFailed;
  };
  // Read only when a verb asks (--password-stdin), never before.
  streams.readLine = []() -> std::optional<QByteArray> {
    QByteArray line;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') line += static_cast<char>(c);
    if (c == EOF && line.isEmpty()) return std::nullopt;
    if (line.endsWith('\r')) line.chop(1);
    return line;
  };
  int status = qm::RunCli(QCoreApplication::arguments().mid(1), settings, streams);
  if (outputFailed || !qm::WriteAll(stdout, streams.out, &why) || !qm::CloseStream(stdout, &why)) {
    streams.err += (qm::res::kCliCannotWriteOutput.toString() + why + u'\n').toUtf8();
    status = 1;
  }
  qm::WriteAll(stderr, streams.err);
  return status;
}
