// Web paths: cutting and making "net:id;title".
#include "net/WebPath.h"

namespace qm {

namespace {
constexpr QStringView kPrefix = u"net:";
}  // namespace

bool IsWebPath(QStringView name) { return name.startsWith(kPrefix); }

bool IsNewWebPath(QStringView name) { return name.startsWith(u"net:;"); }

QString WebPathTitle(QStringView webPath) {
  const qsizetype semicolon = webPath.indexOf(u';');
  return (semicolon < 0 ? webPath : webPath.sliced(semicolon + 1)).toString();
}

QString WebPathFileId(QStringView webPath) {
  const qsizetype semicolon = webPath.indexOf(u';');
  if (semicolon < 0) return QString();
  const qsizetype colon = webPath.indexOf(u':');
  if (colon < 0 || colon > semicolon) return QString();
  return webPath.sliced(colon + 1, semicolon - colon - 1).toString();
}

QString MakeWebPath(const QString& fileId, const QString& title) {
  return kPrefix.toString() + fileId + u';' + title;
}

}  // namespace qm
