// ServerProcess: a real quillmap-server for end-to-end tests. It serves a
// database of the test's choosing on a free loopback port: the server binds
// port 0 and the helper reads the port from its "listening on" line, so two
// tests never race for a port. Stop sends SIGTERM and waits, as a service
// manager would.
//
// Not thread-safe; one object per server. The destructor kills a server that
// is still running.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace qm::test {

class ServerProcess {
 public:
  ServerProcess() = default;
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;
  ~ServerProcess() {
    if (m_process.state() != QProcess::NotRunning) {
      m_process.kill();
      m_process.waitForFinished(5000);
    }
  }

  // Runs `program add-user mail --db dbPath` with password on standard input.
  // True when it exits with 0.
  static bool AddUser(const QString& program, const QString& dbPath, const QString& mail,
                      const QString& password) {
    QProcess process;
    process.start(program, {QStringLiteral("add-user"), mail, QStringLiteral("--db"), dbPath});
    if (!process.waitForStarted(10000)) return false;
    process.write(password.toUtf8() + '\n');
    process.closeWriteChannel();
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
  }

  // What one administration verb did.
  struct VerbResult {
    int exitCode = -1;  // -1 when it did not start or end normally in time
    QString out;
    QString err;
  };

  // Runs `program arguments...` with nothing on standard input.
  static VerbResult RunVerb(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    VerbResult result;
    if (!process.waitForStarted(10000)) return result;
    process.closeWriteChannel();
    if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit) {
      result.exitCode = process.exitCode();
    }
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
  }

  // Starts `program serve --db dbPath --listen 127.0.0.1:0` plus extra and
  // waits up to timeoutMs for it to listen. On failure *error (when given)
  // holds what the server said.
  bool Start(const QString& program, const QString& dbPath, QString* error = nullptr,
             const QStringList& extra = {}, int timeoutMs = 30000) {
    m_process.start(program,
                    QStringList{QStringLiteral("serve"), QStringLiteral("--db"), dbPath,
                                QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")} +
                        extra);
    if (!m_process.waitForStarted(timeoutMs)) return Fail(error);
    static const QRegularExpression listening(
        QStringLiteral("listening on (https?)://127\\.0\\.0\\.1:(\\d+)"));
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
      m_log += m_process.readAllStandardError();
      const QRegularExpressionMatch match = listening.match(QString::fromUtf8(m_log));
      if (match.hasMatch()) {
        m_scheme = match.captured(1);
        m_port = match.captured(2).toInt();
        return true;
      }
      if (m_process.state() == QProcess::NotRunning) return Fail(error);
      m_process.waitForReadyRead(100);
    }
    return Fail(error);
  }

  int Port() const { return m_port; }
  // "http://127.0.0.1:PORT".
  QString BaseUrl() const {
    return m_scheme + QStringLiteral("://127.0.0.1:") + QString::number(m_port);
  }

  // SIGTERM, then waits. The exit code, or -1 when it did not end normally
  // in time.
  int Stop(int timeoutMs = 15000) {
    m_process.terminate();
    if (!m_process.waitForFinished(timeoutMs) || m_process.exitStatus() != QProcess::NormalExit) {
      return -1;
    }
    m_log += m_process.readAllStandardError();
    return m_process.exitCode();
  }

  // SIGKILL, as a crash or the kernel's out-of-memory killer would end it;
  // waits until it is gone.
  void Kill() {
    m_process.kill();
    m_process.waitForFinished(15000);
  }

  // Takes in what the server wrote, waiting up to waitMs for it. A server
  // whose log nobody reads stops at its next line once the pipe is full, so
  // a long run calls this every now and then.
  void Drain(int waitMs = 0) {
    m_process.waitForReadyRead(waitMs);
    m_log += m_process.readAllStandardError();
  }

  // Everything the server wrote on its standard error so far.
  QString Log() {
    m_log += m_process.readAllStandardError();
    return QString::fromUtf8(m_log);
  }

 private:
  bool Fail(QString* error) {
    if (error != nullptr) {
      *error = m_process.errorString() + u' ' + Log();
    }
    return false;
  }

  QProcess m_process;
  QByteArray m_log;
  QString m_scheme;
  int m_port = 0;
};

}  // namespace qm::test
