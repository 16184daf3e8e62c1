// PostgresCluster: a throwaway PostgreSQL server for tests. It lives in a
// temporary folder of its own, takes connections only on a Unix socket in
// that folder (no TCP at all), trusts every local user, and is stopped and
// removed with the object.
//
// The programs come from the newest /usr/lib/postgresql/*/bin. initdb will
// not run as root, so as root the folder is given to the "postgres" system
// user and every program runs as that user through runuser.
//
// A test process that dies without running the destructor (a sanitizer
// abort, a ctest timeout) would leave the server running; a small watcher
// process stops it and removes the folder once the test process is gone.
//
// Not thread-safe; one object per cluster.
#pragma once

#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVersionNumber>
#include <memory>

namespace qm::test {

class PostgresCluster {
 public:
  PostgresCluster() = default;
  PostgresCluster(const PostgresCluster&) = delete;
  PostgresCluster& operator=(const PostgresCluster&) = delete;
  ~PostgresCluster() { Stop(); }

  // The bin folder of the newest installed PostgreSQL, "" when there is none.
  static QString FindBinaries() {
    QString best;
    QVersionNumber bestVersion;
    const QDir root(QStringLiteral("/usr/lib/postgresql"));
    for (const QString& entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
      const QString bin = root.filePath(entry + QStringLiteral("/bin"));
      const QVersionNumber version = QVersionNumber::fromString(entry);
      if (QFile::exists(bin + QStringLiteral("/initdb")) && !version.isNull() &&
          version > bestVersion) {
        best = bin;
        bestVersion = version;
      }
    }
    return best;
  }

  // Creates the cluster, starts it and creates database; false with Error()
  // saying why (what the failing program printed included).
  bool Start(const QString& database = QStringLiteral("quillmap")) {
    m_bin = FindBinaries();
    if (m_bin.isEmpty()) {
      return Fail(QStringLiteral(
          "no PostgreSQL server programs under /usr/lib/postgresql/*/bin (install the "
          "postgresql package; scripts/bootstrap.sh does)"));
    }
    m_asRoot = ::geteuid() == 0;
    // As root the folder must be reachable by the postgres user, which a
    // TMPDIR under root's home may not be.
    m_dir = std::make_unique<QTemporaryDir>((m_asRoot ? QStringLiteral("/tmp") : QDir::tempPath()) +
                                            QStringLiteral("/qmpg-XXXXXX"));
    if (!m_dir->isValid()) return Fail(QStringLiteral("no temporary folder"));
    if (m_asRoot) {
      const passwd* user = ::getpwnam("postgres");
      if (user == nullptr) {
        return Fail(QStringLiteral("running as root, and there is no postgres user to run as"));
      }
      if (::chown(QFile::encodeName(m_dir->path()).constData(), user->pw_uid, user->pw_gid) != 0) {
        return Fail(QStringLiteral("cannot give the folder to the postgres user"));
      }
    }
    m_port = FreePortNumber();
    if (m_port <= 0) return Fail(QStringLiteral("no free port number"));

    if (!Run(QStringLiteral("initdb"),
             {QStringLiteral("-D"), DataDir(), QStringLiteral("-A"), QStringLiteral("trust"),
              QStringLiteral("-U"), QStringLiteral("postgres"), QStringLiteral("-E"),
              QStringLiteral("UTF8"), QStringLiteral("--locale=C"), QStringLiteral("--no-sync")})) {
      return false;
    }
    StartWatcher();
    // fsync off: the tests kill the service, never the database server.
    const QString options = QStringLiteral("-c listen_addresses='' -k %1 -p %2 -c fsync=off")
                                .arg(m_dir->path())
                                .arg(m_port);
    // Set first: a start that timed out may still leave a server to stop.
    m_running = true;
    if (!Run(QStringLiteral("pg_ctl"),
             {QStringLiteral("-D"), DataDir(), QStringLiteral("-l"),
              m_dir->filePath(QStringLiteral("server.log")), QStringLiteral("-w"),
              QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("-o"), options,
              QStringLiteral("start")})) {
      m_error += ServerLog();
      return false;
    }
    return Run(QStringLiteral("createdb"),
               {QStringLiteral("-h"), m_dir->path(), QStringLiteral("-p"), QString::number(m_port),
                QStringLiteral("-U"), QStringLiteral("postgres"), database});
  }

  // Stops the server (fast: open connections are cut) and removes the folder.
  void Stop() {
    if (m_running) {
      Run(QStringLiteral("pg_ctl"),
          {QStringLiteral("-D"), DataDir(), QStringLiteral("-m"), QStringLiteral("fast"),
           QStringLiteral("-w"), QStringLiteral("stop")});
      m_running = false;
    }
    if (m_watcher > 0) {
      ::kill(pid_t(m_watcher), SIGKILL);
      m_watcher = 0;
    }
    m_dir.reset();
  }

  // Restarts the server in place: every open connection is cut.
  bool Restart() {
    return Run(QStringLiteral("pg_ctl"),
               {QStringLiteral("-D"), DataDir(), QStringLiteral("-m"), QStringLiteral("fast"),
                QStringLiteral("-w"), QStringLiteral("restart")});
  }

  // The --db URL of database, as user postgres through the socket.
  QString Url(const QString& database = QStringLiteral("quillmap")) const {
    return QStringLiteral("postgresql://postgres@localhost:%1/%2?host=%3")
        .arg(m_port)
        .arg(database, m_dir ? m_dir->path() : QString());
  }
  QString SocketDir() const { return m_dir ? m_dir->path() : QString(); }
  int Port() const { return m_port; }
  QString Error() const { return m_error; }

 private:
  QString DataDir() const { return m_dir->filePath(QStringLiteral("data")); }

  QString ServerLog() const {
    QFile log(m_dir->filePath(QStringLiteral("server.log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
  }

  bool Fail(const QString& why) {
    m_error = why;
    return false;
  }

  // Only a name for the socket (nothing listens on TCP); a free TCP port
  // keeps it apart from a system server's default socket name all the same.
  static int FreePortNumber() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
  }

  QStringList Command(const QString& program, const QStringList& arguments) const {
    const QStringList command = QStringList{m_bin + u'/' + program} + arguments;
    return m_asRoot ? QStringList{QStringLiteral("runuser"), QStringLiteral("-u"),
                                  QStringLiteral("postgres"), QStringLiteral("--")} +
                          command
                    : command;
  }

  bool Run(const QString& program, const QStringList& arguments) {
    const QStringList command = Command(program, arguments);
    QProcess process;
    // The postgres user may not be allowed into the test's own folder.
    process.setWorkingDirectory(m_dir->path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.front(), command.mid(1));
    if (!process.waitForStarted(10000)) {
      return Fail(command.join(u' ') + QStringLiteral(": ") + process.errorString());
    }
    const bool finished = process.waitForFinished(120000);
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
      if (!finished) process.kill();
      return Fail(command.join(u' ') + QStringLiteral(" failed:\n") +
                  QString::fromLocal8Bit(process.readAll()));
    }
    return true;
  }

  // Waits (in a process of its own) for this process to end, then stops the
  // server if it still runs and removes the folder.
  void StartWatcher() {
    QStringList stop =
        Command(QStringLiteral("pg_ctl"),
                {QStringLiteral("-D"), DataDir(), QStringLiteral("-m"), QStringLiteral("immediate"),
                 QStringLiteral("-w"), QStringLiteral("stop")});
    for (QString& word : stop) word = u'\'' + word + u'\'';
    const QString script =
        QStringLiteral(
            "while kill -0 %1 2>/dev/null; do sleep 1; done; %2 >/dev/null 2>&1; rm -rf '%3'")
            .arg(::getpid())
            .arg(stop.join(u' '), m_dir->path());
    qint64 pid = 0;
    if (QProcess::startDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script},
                                QStringLiteral("/"), &pid)) {
      m_watcher = pid;
    }
  }

  QString m_bin;
  bool m_asRoot = false;
  std::unique_ptr<QTemporaryDir> m_dir;
  int m_port = 0;
  bool m_running = false;
  qint64 m_watcher = 0;
  QString m_error;
};

}  // namespace qm::test
