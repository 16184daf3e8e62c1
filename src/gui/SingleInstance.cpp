// SingleInstance: QLocalServer and QLocalSocket with one line each way.
#include "gui/SingleInstance.h"

#include <unistd.h>

#include <QLocalSocket>
#include <QTimer>

namespace qm {
namespace {

// The running program's answer to a hand-over.
constexpr char kReceived[] = "ok\n";

}  // namespace

SingleInstance::SingleInstance(QString name) : m_name(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultName() {
  return QStringLiteral("quillmap-%1").arg(static_cast<qulonglong>(getuid()));
}

SingleInstance::HandOff SingleInstance::HandOffToRunning(const QString& file, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(m_name);
  if (!socket.waitForConnected(timeoutMs)) return HandOff::NobodyRunning;
  // The file travels as UTF-8 ending in a line feed; an empty line only
  // brings the window forward.
  socket.write(file.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(timeoutMs)) return HandOff::NotResponding;
  // A stuck program still accepts the connection (the system does that for
  // it), but it cannot answer.
  while (!socket.canReadLine()) {
    if (!socket.waitForReadyRead(timeoutMs)) return HandOff::NotResponding;
  }
  const bool received = socket.readLine() == kReceived;
  socket.disconnectFromServer();
  return received ? HandOff::Taken : HandOff::NotResponding;
}

bool SingleInstance::Listen(FileHandler onFile) {
  m_server = std::make_unique<QLocalServer>();
  m_server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!m_server->listen(m_name)) {
    // Nobody answered HandOffToRunning, so a listener left from a crash.
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name)) return false;
  }
  QObject::connect(
      m_server.get(), &QLocalServer::newConnection, m_server.get(),
      [server = m_server.get(), onFile] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
          QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
          QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, server, onFile] {
            while (socket->canReadLine()) {
              const QString file = QString::fromUtf8(socket->readLine().chopped(1));
              // Answered before the file is opened: opening may ask the
              // user about unsaved changes, for longer than the new start
              // waits.
              socket->write(kReceived);
              socket->flush();
              QTimer::singleShot(0, server, [onFile, file] { onFile(file); });
            }
          });
        }
      });
  return true;
}

}  // namespace qm
