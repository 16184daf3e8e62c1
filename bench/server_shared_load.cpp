// Load on two quillmap-server processes sharing one PostgreSQL database (a
// throwaway cluster, as the tests start): CLIENTS clients, each under its
// own account and sent to the two servers in turn, list their files and
// download one for SECONDS. Prints requests per second, the slowest answer
// and the failures. Then lists an account of LISTED outlines, through
// Storage and through a server, and prints the time each list took.
//
// Usage: qm_server_shared_load [CLIENTS [SECONDS [LISTED [FILE_BYTES]]]]   (50 30 1000 20000)
#include <httplib.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "net/RequestKey.h"
#include "server/ServiceRules.h"
#include "server/Storage.h"
#include "server/WebService.h"
#include "support/PostgresCluster.h"
#include "support/ServerProcess.h"

namespace {

using FormFields = QList<std::pair<QByteArray, QByteArray>>;

std::string Form(const FormFields& fields) {
  QByteArray body;
  for (const auto& [name, value] : fields) {
    if (!body.isEmpty()) body += '&';
    body += name + '=' + value.toPercentEncoding();
  }
  return body.toStdString();
}

QByteArray Element(const std::string& body, const char* name) {
  const QRegularExpression pattern(QStringLiteral("<%1>(.*?)</%1>").arg(QLatin1String(name)));
  return pattern.match(QString::fromLatin1(body.data(), qsizetype(body.size())))
      .captured(1)
      .toLatin1();
}

// One account's requests, each at a second of its own: a key is good once.
class Account {
 public:
  Account(int port, QByteArray mail, QDateTime start)
      : m_client("127.0.0.1", port), m_mail(std::move(mail)), m_start(std::move(start)) {
    m_client.set_read_timeout(60);
  }

  httplib::Result Ask(FormFields extra) {
    const QString date = qm::TicketDateText(m_start.addSecs(-m_next++));
    FormFields fields{{"mode", extra.takeFirst().second},
                      {"mail", m_mail},
                      {"pass", qm::RequestKey(QStringLiteral("pw"), date).toLatin1()},
                      {"date", date.toLatin1()}};
    fields += extra;
    return m_client.Post(qm::server::kAccountPath, Form(fields),
                         "application/x-www-form-urlencoded");
  }

  httplib::Result Download(const std::string& ticketReply, const QByteArray& fileId) {
    return m_client.Post(qm::server::kDownloadPath,
                         Form({{"mail", m_mail},
                               {"key", Element(ticketReply, "key")},
                               {"date", Element(ticketReply, "date")},
                               {"fileid", fileId}}),
                         "application/x-www-form-urlencoded");
  }

 private:
  httplib::Client m_client;
  QByteArray m_mail;
  QDateTime m_start;
  int m_next = 0;
};

// Whether the request failed; the first few failures are told on stderr.
bool Refused(const httplib::Result& reply) {
  const bool refused =
      !reply || reply->status != 200 || reply->body.find("<error>") != std::string::npos;
  static std::atomic<int> told{0};
  if (refused && told++ < 5) {
    std::fprintf(stderr, "failed: %s\n",
                 reply ? (std::to_string(reply->status) + " " + reply->body.substr(0, 200)).c_str()
                       : httplib::to_string(reply.error()).c_str());
  }
  return refused;
}

// Stores a file for mail straight through Storage; its id.
QString StoreFile(qm::server::Storage& storage, const QString& mail, const QByteArray& content,
                  qint64 now) {
  const qm::server::Ticket ticket{qm::server::RandomToken(),
                                  mail,
                                  QStringLiteral("upload"),
                                  qm::server::RandomToken(),
                                  QStringLiteral("load"),
                                  QStringLiteral("date"),
                                  now + 60};
  if (storage.IssueTicket(ticket) != qm::server::StoreResult::kOk) return {};
  if (storage.CreateWithTicket(ticket, now, content) != qm::server::StoreResult::kOk) return {};
  return ticket.fileId;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int clients = argc > 1 ? std::atoi(argv[1]) : 50;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  const int listed = argc > 3 ? std::atoi(argv[3]) : 1000;
  const int fileBytes = argc > 4 ? std::atoi(argv[4]) : 20000;

  qm::test::PostgresCluster cluster;
  if (!cluster.Start()) {
    std::fprintf(stderr, "%s\n", qPrintable(cluster.Error()));
    return 1;
  }
  const QString db = cluster.Url();
  const qint64 now = QDateTime::currentSecsSinceEpoch();
  std::vector<QByteArray> fileIds;
  {
    QString error;
    const auto storage = qm::server::Storage::Open(db, &error);
    if (!storage) {
      std::fprintf(stderr, "%s\n", qPrintable(error));
      return 1;
    }
    const QByteArray content(fileBytes, 'x');
    for (int c = 0; c < clients; ++c) {
      const QString mail = QStringLiteral("user%1@example.com").arg(c);
      storage->AddAccount(mail, qm::PasswordDigest(QStringLiteral("pw")), 0);
      fileIds.push_back(StoreFile(*storage, mail, content, now).toLatin1());
    }
    storage->AddAccount(QStringLiteral("many@example.com"),
                        qm::PasswordDigest(QStringLiteral("pw")), 0);
    for (int f = 0; f < listed; ++f) {
      StoreFile(*storage, QStringLiteral("many@example.com"), "[Quillmap]\r\n", now - f);
    }
  }
  qm::test::ServerProcess servers[2];
  for (qm::test::ServerProcess& server : servers) {
    QString error;
    if (!server.Start(QStringLiteral(QM_SERVER_EXE), db, &error)) {
      std::fprintf(stderr, "%s\n", qPrintable(error));
      return 1;
    }
  }

  const QDateTime start = QDateTime::currentDateTime();
  std::atomic<int> failures{0};
  std::atomic<qint64> requests{0};
  std::atomic<int> finished{0};
  std::vector<qint64> slowest(size_t(clients), 0);
  QElapsedTimer wall;
  wall.start();
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, c] {
      Account account(servers[c % 2].Port(), QStringLiteral("user%1@example.com").arg(c).toLatin1(),
                      start);
      const auto timed = [&](auto request) {
        QElapsedTimer one;
        one.start();
        httplib::Result reply = request();
        slowest[size_t(c)] = std::max(slowest[size_t(c)], one.nsecsElapsed() / 1000);
        ++requests;
        return reply;
      };
      while (wall.elapsed() < qint64(seconds) * 1000) {
        if (Refused(timed([&] { return account.Ask({{"mode", "list"}}); }))) ++failures;
        const httplib::Result read = timed([&] {
          return account.Ask({{"mode", "read"}, {"fileid", fileIds[size_t(c)]}});
        });
        if (Refused(read)) {
          ++failures;
          continue;
        }
        const httplib::Result download =
            timed([&] { return account.Download(read->body, fileIds[size_t(c)]); });
        if (Refused(download) || download->body.size() != size_t(fileBytes)) ++failures;
      }
      ++finished;
    });
  }
  // Each line a server logs must be read off its pipe, or the server stalls.
  while (finished < clients) {
    for (qm::test::ServerProcess& server : servers) server.Drain(20);
  }
  for (std::thread& thread : threads) thread.join();
  const double elapsed = double(wall.nsecsElapsed()) / 1e9;
  std::printf(
      "two servers, one PostgreSQL: %lld requests from %d clients in %.1f s: %.0f requests/s,"
      " slowest %.1f ms, %d failed\n",
      static_cast<long long>(requests.load()), clients, elapsed, double(requests) / elapsed,
      double(*std::max_element(slowest.begin(), slowest.end())) / 1000, failures.load());

  // The list of one account with many outlines: the query alone, then the
  // whole request (key check, list, XML) through a server.
  {
    QString error;
    const auto storage = qm::server::Storage::Open(db, &error);
    QList<qm::server::FileEntry> files;
    qint64 best = -1;
    for (int i = 0; i < 5 && storage; ++i) {
      QElapsedTimer one;
      one.start();
      storage->ListFiles(QStringLiteral("many@example.com"), files);
      const qint64 us = one.nsecsElapsed() / 1000;
      best = best < 0 ? us : std::min(best, us);
    }
    Account many(servers[0].Port(), "many@example.com", start);
    qint64 bestRequest = -1;
    int entries = 0;
    for (int i = 0; i < 5; ++i) {
      QElapsedTimer one;
      one.start();
      const httplib::Result reply = many.Ask({{"mode", "list"}});
      const qint64 us = one.nsecsElapsed() / 1000;
      if (Refused(reply)) {
        ++failures;
        continue;
      }
      entries = int(QByteArray::fromStdString(reply->body).count("<file>"));
      bestRequest = bestRequest < 0 ? us : std::min(bestRequest, us);
    }
    std::printf(
        "list of %lld outlines: query %.1f ms, request through a server %.1f ms"
        " (%d entries; best of 5)\n",
        static_cast<long long>(files.size()), double(best) / 1000, double(bestRequest) / 1000,
        entries);
  }
  int stopped = 0;
  for (qm::test::ServerProcess& server : servers) stopped |= server.Stop();
  return failures == 0 && stopped == 0 ? 0 : 1;
}
