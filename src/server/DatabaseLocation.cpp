// Reading --db.
#include "server/DatabaseLocation.h"

#include <QFileInfo>
#include <QUrl>
#include <QUrlQuery>

namespace qm::server {

QString DatabaseLocation::Shown() const {
  if (dialect == SqlDialect::kSqlite) return QFileInfo(path).absoluteFilePath();
  const bool socket = host.startsWith(u'/');
  QString shown = QStringLiteral("postgresql://");
  if (!user.isEmpty()) shown += user + u'@';
  if (!socket) shown += host;
  shown += u':' + QString::number(port) + u'/' + database;
  if (socket) shown += QStringLiteral("?host=") + host;
  return shown;
}

bool IsPostgresUrl(const QString& text) {
  return text.startsWith(u"postgresql://", Qt::CaseInsensitive) ||
         text.startsWith(u"postgres://", Qt::CaseInsensitive);
}

bool ParseDatabaseLocation(const QString& text, DatabaseLocation& location, QString* error) {
  location = DatabaseLocation();
  if (!IsPostgresUrl(text)) {
    location.path = text;
    return true;
  }
  const auto fail = [&](const QString& why) {
    if (error != nullptr) *error = why;
    return false;
  };
  const QUrl url(text, QUrl::StrictMode);
  if (!url.isValid()) return fail(QStringLiteral("not a valid URL"));
  location.dialect = SqlDialect::kPostgres;
  location.user = url.userName(QUrl::FullyDecoded);
  location.password = url.password(QUrl::FullyDecoded);
  location.host = url.host(QUrl::FullyDecoded);
  location.port = url.port(5432);
  if (location.port <= 0) return fail(QStringLiteral("no valid port"));
  const QString path = url.path(QUrl::FullyDecoded);
  location.database = path.mid(1);
  if (!path.startsWith(u'/') || location.database.isEmpty() || location.database.contains(u'/')) {
    return fail(QStringLiteral("no database name after the host"));
  }
  if (url.hasFragment()) return fail(QStringLiteral("a fragment is not part of a database URL"));
  const QUrlQuery query(url);
  for (const auto& [name, value] : query.queryItems(QUrl::FullyDecoded)) {
    if (name == u"host") {
      if (!value.startsWith(u'/')) {
        return fail(QStringLiteral("host= takes the folder of the server's Unix socket"));
      }
      location.host = value;
    } else if (name == u"port") {
      bool number = false;
      location.port = value.toInt(&number);
      if (!number || location.port <= 0 || location.port > 65535) {
        return fail(QStringLiteral("no valid port"));
      }
    } else {
      return fail(QStringLiteral("unknown parameter: ") + name);
    }
  }
  return true;
}

}  // namespace qm::server
