// SingleInstance: QLocalServer and QLocalSocket with a one-line message.
#include "gui/SingleInstance.h"

#include <unistd.h>

#include <QLocalSocket>

namespace qm {

SingleInstance::SingleInstance(QString name) : m_name(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultName() {
  return QStringLiteral("quillmap-%1").arg(static_cast<qulonglong>(getuid()));
}

bool SingleInstance::HandOffToRunning(const QString& file, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(m_name);
  if (!socket.waitForConnected(timeoutMs)) return false;
  // The file travels as UTF-8 ending in a line feed; an empty line only
  // brings the window forward.
  socket.write(file.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  socket.disconnectFromServer();
  return true;
}

bool SingleInstance::Listen(FileHandler onFile) {
  m_server = std::make_unique<QLocalServer>();
  m_server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!m_server->listen(m_name)) {
    // Nobody answered HandOffToRunning, so a listener left from a crash.
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name)) return false;
  }
  QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(),
                   [server = m_server.get(), onFile] {
                     while (QLocalSocket* socket = server->nextPendingConnection()) {
                       QObject::connect(socket, &QLocalSocket::disconnected, socket,
                                        &QObject::deleteLater);
                       QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, onFile] {
                         while (socket->canReadLine()) {
                           const QByteArray line = socket->readLine();
                           onFile(QString::fromUtf8(line.chopped(1)));
                         }
                       });
                     }
                   });
  return true;
}

}  // namespace qm
