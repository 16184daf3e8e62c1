// Load on a real quillmap-server: CLIENTS clients at once, each sending
// REQUESTS list requests under its own account, then one save and one read
// of a file of FILE_BYTES. Prints requests per second and the slowest
// answer; exits 1 when any request failed.
//
// Usage: qm_server_load [CLIENTS [REQUESTS [FILE_BYTES]]]   (20 10 900000)
#include <httplib.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "net/RequestKey.h"
#include "server/Storage.h"
#include "server/WebService.h"
#include "support/ServerProcess.h"

namespace {

constexpr char kBoundary[] = "-7da1091f160a20";

std::string Form(const QList<std::pair<QByteArray, QByteArray>>& fields) {
  QByteArray body;
  for (const auto& [name, value] : fields) {
    if (!body.isEmpty()) body += '&';
    body += name + '=' + value.toPercentEncoding();
  }
  return body.toStdString();
}

// A ticket request of one account at a date of its own.
httplib::Result Ask(httplib::Client& client, const QByteArray& mail, const QDateTime& at,
                    QList<std::pair<QByteArray, QByteArray>> extra) {
  const QString date = qm::TicketDateText(at);
  QList<std::pair<QByteArray, QByteArray>> fields{
      {"mode", extra.takeFirst().second},
      {"mail", mail},
      {"pass", qm::RequestKey(QStringLiteral("pw"), date).toLatin1()},
      {"date", date.toLatin1()}};
  fields += extra;
  return client.Post(qm::server::kAccountPath, Form(fields), "application/x-www-form-urlencoded");
}

QByteArray Element(const std::string& body, const char* name) {
  const QRegularExpression pattern(QStringLiteral("<%1>(.*?)</%1>").arg(QLatin1String(name)));
  return pattern.match(QString::fromLatin1(body.data(), qsizetype(body.size())))
      .captured(1)
      .toLatin1();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int clients = argc > 1 ? std::atoi(argv[1]) : 20;
  const int requests = argc > 2 ? std::atoi(argv[2]) : 10;
  const int fileBytes = argc > 3 ? std::atoi(argv[3]) : 900000;

  QTemporaryDir dir;
  const QString db = dir.filePath(QStringLiteral("load.sqlite"));
  {
    QString error;
    const auto storage = qm::server::Storage::OpenSqlite(db, &error);
    if (!storage) {
      std::fprintf(stderr, "%s\n", qPrintable(error));
      return 1;
    }
    for (int c = 0; c < clients; ++c) {
      storage->AddAccount(QStringLiteral("user%1@example.com").arg(c),
                          qm::PasswordDigest(QStringLiteral("pw")), 0);
    }
  }
  qm::test::ServerProcess server;
  QString error;
  if (!server.Start(QStringLiteral(QM_SERVER_EXE), db, &error)) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
  }

  // Every request of an account carries its own second: a key is good once.
  const QDateTime start = QDateTime::currentDateTime();
  std::atomic<int> failures{0};
  std::vector<qint64> slowest(size_t(clients), 0);
  QElapsedTimer wall;
  wall.start();
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, c] {
      httplib::Client client("127.0.0.1", server.Port());
      const QByteArray mail = QStringLiteral("user%1@example.com").arg(c).toLatin1();
      for (int r = 0; r < requests; ++r) {
        QElapsedTimer one;
        one.start();
        const auto reply = Ask(client, mail, start.addSecs(-r), {{"mode", "list"}});
        slowest[size_t(c)] = std::max(slowest[size_t(c)], one.nsecsElapsed() / 1000);
        if (!reply || reply->status != 200 || reply->body.find("<error>") != std::string::npos) {
          ++failures;
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  const double seconds = double(wall.nsecsElapsed()) / 1e9;
  const int total = clients * requests;
  std::printf(
      "list: %d requests from %d clients in %.3f s: %.0f requests/s, slowest %.1f ms,"
      " %d failed\n",
      total, clients, seconds, total / seconds,
      double(*std::max_element(slowest.begin(), slowest.end())) / 1000, failures.load());

  // One save as new and one read back of a file near the size limit.
  httplib::Client client("127.0.0.1", server.Port());
  const QByteArray mail = "user0@example.com";
  const QByteArray file(fileBytes, 'x');
  QElapsedTimer trip;
  trip.start();
  const auto saveas =
      Ask(client, mail, start.addSecs(-requests - 1), {{"mode", "saveas"}, {"title", "load"}});
  if (!saveas) return 1;
  const QByteArray fileId = Element(saveas->body, "fileid");
  QByteArray multipart;
  for (const auto& [name, value] :
       QList<std::pair<QByteArray, QByteArray>>{{"mail", mail},
                                                {"key", Element(saveas->body, "key")},
                                                {"date", Element(saveas->body, "date")},
                                                {"fileid", fileId}}) {
    multipart += QByteArray("--") + kBoundary + "\r\nContent-Disposition: form-data; name=\"" +
                 name + "\"\r\n\r\n" + value + "\r\n";
  }
  multipart += QByteArray("--") + kBoundary +
               "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"qmp.txt\"\r\n\r\n" +
               file + "\r\n--" + kBoundary + "--\r\n\r\n";
  const auto upload = client.Post(qm::server::kUploadPath, multipart.toStdString(),
                                  "multipart/form-data; boundary=-7da1091f160a20");
  const auto read =
      Ask(client, mail, start.addSecs(-requests - 2), {{"mode", "read"}, {"fileid", fileId}});
  bool roundTrip = upload && upload->body == "0\nOK" && read;
  if (roundTrip) {
    const auto download = client.Post(qm::server::kDownloadPath,
                                      Form({{"mail", mail},
                                            {"key", Element(read->body, "key")},
                                            {"date", Element(read->body, "date")},
                                            {"fileid", fileId}}),
                                      "application/x-www-form-urlencoded");
    roundTrip = download && download->body == file.toStdString();
  }
  std::printf("save and read back of %d bytes: %.1f ms, %s\n", fileBytes,
              double(trip.nsecsElapsed()) / 1e6, roundTrip ? "same bytes" : "FAILED");
  const int stopped = server.Stop();
  return failures == 0 && roundTrip && stopped == 0 ? 0 : 1;
}
