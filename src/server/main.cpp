// quillmap-server: a self-hostable web outline service for the window's
// "ネット" menu, and its administration.
#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

#include "server/ServerCommandLine.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // The data folder follows the desktop program's settings store.
  QCoreApplication::setOrganizationName(QStringLiteral("Vorel"));
  QCoreApplication::setApplicationName(QStringLiteral("Quillmap"));
  qm::SystemClock clock;
  qm::server::ServerIo io;
  io.readLine = []() -> std::optional<QByteArray> {
    std::string line;
    if (!std::getline(std::cin, line)) return std::nullopt;
    return QByteArray::fromStdString(line);
  };
  io.out = [](const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
  };
  io.err = [](const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
  };
  return qm::server::RunServerCommand(QCoreApplication::arguments().mid(1),
                                      qm::server::DefaultDatabasePath(), clock, io);
}
