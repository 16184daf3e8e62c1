// LoopbackHttpServer: a tiny HTTP server on 127.0.0.1 for tests of the real
// HTTP client. It reads each request whole (headers and a body of the length
// Content-Length gives), records it, answers with the canned response bytes
// and closes the connection. It runs on the event loop of the thread that
// made it: a test runs the client's wait on that same thread.
#pragma once

#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace qm::test {

class LoopbackHttpServer {
 public:
  explicit LoopbackHttpServer(const QByteArray& response = QByteArray()) : m_response(response) {
    m_server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { Accept(); });
  }

  bool Listening() const { return m_server.isListening(); }
  quint16 Port() const { return m_server.serverPort(); }
  // "http://127.0.0.1:PORT" + path.
  QString Url(const QString& path = QString()) const {
    return QStringLiteral("http://127.0.0.1:%1").arg(Port()) + path;
  }
  void SetResponse(const QByteArray& response) { m_response = response; }
  // The last complete request, exactly as received.
  const QByteArray& LastRequest() const { return m_lastRequest; }
  int Requests() const { return m_requests; }

  // A response with the status line, the headers given (each "Name: value")
  // and Content-Length for body.
  static QByteArray Response(const QByteArray& statusLine, const QList<QByteArray>& headers,
                             const QByteArray& body) {
    QByteArray response = "HTTP/1.1 " + statusLine + "\r\n";
    for (const QByteArray& header : headers) response += header + "\r\n";
    response += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    response += "Connection: close\r\n\r\n" + body;
    return response;
  }

 private:
  void Accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
      QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
  }

  void Read(QTcpSocket* socket) {
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0) return;
    qsizetype length = 0;
    for (const QByteArray& line : buffer.first(headerEnd).split('\n')) {
      const QByteArray trimmed = line.trimmed();
      if (trimmed.toLower().startsWith("content-length:")) {
        length = trimmed.sliced(15).trimmed().toLongLong();
      }
    }
    if (buffer.size() < headerEnd + 4 + length) return;
    m_lastRequest = buffer;
    ++m_requests;
    m_buffers.remove(socket);
    socket->write(m_response);
    socket->disconnectFromHost();
  }

  QTcpServer m_server;
  QByteArray m_response;
  QByteArray m_lastRequest;
  int m_requests = 0;
  QHash<QTcpSocket*, QByteArray> m_buffers;
};

}  // namespace qm::test
