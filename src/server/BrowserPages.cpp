// The browser pages: sign-in, the list of outlines, an outline, its download.
#include "server/BrowserPages.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QHostAddress>
#include <QUrl>

#include "res/ServerPageStrings.h"
#include "server/BrowserStore.h"
#include "server/FormBody.h"
#include "server/OutlineHtml.h"
#include "server/ServiceRules.h"
#include "server/Sessions.h"

using namespace Qt::StringLiterals;

namespace qm::server {
namespace {

constexpr char kHtmlType[] = "text/html; charset=utf-8";
constexpr char kOutlinePrefix[] = "/outline/";
constexpr char kDownloadSuffix[] = "/download";

// The pages' one style sheet. It is allowed by its hash, not by
// 'unsafe-inline', so a style that somehow reached a page would not apply.
constexpr char16_t kStyle[] =
    u"body{font-family:sans-serif;margin:0 auto;max-width:60em;padding:0 1em;line-height:1.5}"
    u"header{display:flex;gap:1em;align-items:center;justify-content:space-between;"
    u"border-bottom:1px solid #ccc;padding:.5em 0;flex-wrap:wrap}"
    u"header form{display:inline}"
    u"label{display:block;margin:.5em 0}"
    u"input{display:block;font-size:1em;padding:.3em;min-width:18em}"
    u"button{font-size:1em;padding:.3em 1em}"
    u".e{color:#a00;font-weight:bold}"
    u"table{border-collapse:collapse}td,th{padding:.2em .8em;text-align:left}"
    u"tr:nth-child(even){background:#f4f4f4}"
    u".tree details,.tree .l{margin-left:1.2em}"
    u".tree>details,.tree>.l{margin-left:0}"
    u"summary{cursor:pointer}"
    u".l{padding-left:1.1em}"
    u".b{white-space:pre-wrap;color:#333;margin:.1em 0 .4em 1.1em;"
    u"border-left:2px solid #ddd;padding-left:.5em}"
    u".c{color:#070}"
    u"s{color:#777}";

QString StyleText() { return QString::fromUtf16(kStyle); }

QByteArray SecurityPolicy() {
  static const QByteArray policy = [] {
    const QByteArray hash =
        QCryptographicHash::hash(StyleText().toUtf8(), QCryptographicHash::Sha256).toBase64();
    return "default-src 'none'; style-src 'sha256-" + hash +
           "'; form-action 'self'; frame-ancestors 'none'; base-uri 'none'";
  }();
  return policy;
}

// What every answer carries: none of them may be framed, sniffed, cached or
// followed by a referrer naming an outline.
void AddCommonHeaders(PageReply& reply) {
  reply.headers.append(
      std::pair<QByteArray, QByteArray>{"Content-Security-Policy", SecurityPolicy()});
  reply.headers.append(std::pair<QByteArray, QByteArray>{"X-Content-Type-Options", "nosniff"});
  reply.headers.append(std::pair<QByteArray, QByteArray>{"Referrer-Policy", "no-referrer"});
  reply.headers.append(std::pair<QByteArray, QByteArray>{"X-Frame-Options", "DENY"});
  reply.headers.append(std::pair<QByteArray, QByteArray>{"Cache-Control", "no-store"});
}

// A whole page around main (HTML already escaped). account, when given,
// shows who is signed in and the sign-out button.
PageReply HtmlPage(int status, QStringView title, const QString& main,
                   const QString& account = {}) {
  QString html;
  html.reserve(main.size() + 2048);
  html +=
      u"<!DOCTYPE html><html lang=\"ja\"><head><meta charset=\"utf-8\">"
      u"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"><title>";
  AppendHtmlEscaped(html, title);
  html += u" - ";
  html += res::kPageSiteName;
  html += u"</title><style>";
  html += StyleText();
  html += u"</style></head><body><header><a href=\"/\">";
  html += res::kPageSiteName;
  html += u"</a>";
  if (!account.isEmpty()) {
    html += u"<span>";
    html += res::kPageSignedInAs;
    AppendHtmlEscaped(html, account);
    html += u" <form method=\"post\" action=\"/signout\"><button type=\"submit\">";
    html += res::kPageSignOut;
    html += u"</button></form></span>";
  }
  html += u"</header><main>";
  html += main;
  html += u"</main></body></html>";
  PageReply reply;
  reply.status = status;
  reply.contentType = kHtmlType;
  reply.body = html.toUtf8();
  reply.account = account;
  AddCommonHeaders(reply);
  return reply;
}

PageReply MessagePage(int status, QStringView title, QStringView message,
                      const QString& account = {}) {
  QString main = u"<h1>"_s + HtmlEscaped(title) + u"</h1><p>"_s + HtmlEscaped(message) +
                 u"</p><p><a href=\"/\">"_s + res::kPageBackToList.toString() + u"</a></p>"_s;
  return HtmlPage(status, title, main, account);
}

PageReply ServerError(const QString& account = {}) {
  return MessagePage(500, res::kPageErrorTitle, res::kPageServerError, account);
}

PageReply NotFound(const QString& account = {}) {
  return MessagePage(404, res::kPageNotFoundTitle, res::kPageNotFound, account);
}

PageReply Redirect(const QByteArray& location) {
  PageReply reply;
  reply.status = 303;
  reply.headers.append(std::pair<QByteArray, QByteArray>{"Location", location});
  AddCommonHeaders(reply);
  return reply;
}

// The title as a file name for a Content-Disposition filename*, UTF-8 and
// percent-encoded: path separators, quotes and control characters become
// "_", a leading dot too, so the name stays one file in the folder it is
// saved to. At most 64 characters, then ".qmp" unless the title ends so.
// Empty when the title leaves nothing to read.
QByteArray Utf8DownloadName(QStringView title) {
  constexpr qsizetype kMaxNameLength = 64;
  qsizetype length = std::min(title.size(), kMaxNameLength);
  if (length > 0 && length < title.size() && title[length - 1].isHighSurrogate()) --length;
  QString name;
  for (const QChar c : title.first(length)) {
    const char16_t u = c.unicode();
    const bool unsafe = u < 0x20 || u == 0x7F || u == u'/' || u == u'\\' || u == u'"';
    name += unsafe ? QChar(u'_') : c;
  }
  for (qsizetype i = 0; i < name.size() && name[i] == u'.'; ++i) name[i] = u'_';
  if (name.trimmed().isEmpty()) return {};
  if (!name.endsWith(QStringLiteral(".qmp"), Qt::CaseInsensitive)) name += QStringLiteral(".qmp");
  return QUrl::toPercentEncoding(name, "!#$&+^`|~");
}

QByteArray SessionCookie(const QString& token) {
  // No Max-Age: the browser forgets it when it closes, the server when the
  // session expires, whichever comes first.
  return QByteArray(kSessionCookie) + '=' + token.toLatin1() +
         "; Path=/; HttpOnly; Secure; SameSite=Strict";
}

QByteArray ClearedSessionCookie() {
  return QByteArray(kSessionCookie) + "=; Path=/; HttpOnly; Secure; SameSite=Strict; Max-Age=0";
}

PageReply SignInPage(int status, QStringView error, const QString& mail) {
  QString main = u"<h1>"_s + res::kPageSignInTitle.toString() + u"</h1>"_s;
  if (!error.isEmpty())
    main += u"<p class=\"e\" role=\"alert\">"_s + HtmlEscaped(error) + u"</p>"_s;
  main += u"<form method=\"post\" action=\"/signin\" accept-charset=\"UTF-8\"><label>";
  main += res::kPageMail;
  main += u"<input type=\"email\" name=\"mail\" autocomplete=\"username\" required value=\"";
  AppendHtmlEscaped(main, mail);
  main += u"\"></label><label>";
  main += res::kPagePassword;
  main +=
      u"<input type=\"password\" name=\"password\" autocomplete=\"current-password\" "
      u"required></label><button type=\"submit\">";
  main += res::kPageSignIn;
  main += u"</button></form>";
  return HtmlPage(status, res::kPageSignInTitle, main);
}

QString TimeText(qint64 seconds) {
  return QDateTime::fromSecsSinceEpoch(seconds).toLocalTime().toString(
      QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString OutlineAddress(const QString& fileId) {
  return QStringLiteral("/outline/") + QString::fromLatin1(QUrl::toPercentEncoding(fileId));
}

PageReply ListPage(Storage& storage, const QString& mail) {
  QList<FileEntry> files;
  if (storage.ListFiles(mail, files) != StoreResult::kOk) return ServerError(mail);
  QString main = u"<h1>"_s + res::kPageOutlines.toString() + u"</h1>"_s;
  if (files.isEmpty()) {
    main += u"<p>"_s + HtmlEscaped(res::kPageNoOutlines) + u"</p>"_s;
  } else {
    main += u"<table><thead><tr><th>"_s + res::kPageOutlines.toString() + u"</th><th>"_s +
            res::kPageUpdated.toString() + u"</th><th>"_s + res::kPageSize.toString() +
            u"</th></tr></thead><tbody>"_s;
    for (const FileEntry& file : files) {
      main += u"<tr><td><a href=\"";
      AppendHtmlEscaped(main, OutlineAddress(file.fileId));
      main += u"\">";
      AppendHtmlEscaped(main, file.title.isEmpty() ? file.fileId : file.title);
      main += u"</a></td><td>"_s + TimeText(file.updated) + u"</td><td>"_s +
              res::kPageBytes.toString().arg(file.size) + u"</td></tr>"_s;
    }
    main += u"</tbody></table>";
  }
  return HtmlPage(200, res::kPageOutlines, main, mail);
}

// A file id as the service hands them out, and nothing that could be
// taken for another path: letters, digits, "-" and "_".
bool IsFileIdShaped(QStringView id) {
  if (id.isEmpty() || id.size() > 64) return false;
  for (const QChar c : id) {
    const char16_t u = c.unicode();
    const bool plain = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                       (u >= u'0' && u <= u'9') || u == u'-' || u == u'_';
    if (!plain) return false;
  }
  return true;
}

PageReply OutlinePage(Storage& storage, const QString& mail, const QString& fileId, bool download) {
  FileEntry file;
  QByteArray content;
  BrowserStore store(storage);
  switch (store.ReadFile(mail, fileId, file, content)) {
    case StoreResult::kOk:
      break;
    case StoreResult::kNotFound:
      return NotFound(mail);
    default:
      return ServerError(mail);
  }
  if (download) {
    PageReply reply;
    reply.contentType = "application/octet-stream";
    reply.body = content;
    reply.account = mail;
    AddCommonHeaders(reply);
    QByteArray disposition =
        "attachment; filename=\"" + DownloadName(file.title, file.fileId).toLatin1() + '"';
    // Browsers save under the title as it is written, kanji and all; the
    // plain name stays for any reader that does not know this form.
    if (const QByteArray name = Utf8DownloadName(file.title); !name.isEmpty()) {
      disposition += "; filename*=UTF-8''" + name;
    }
    reply.headers.append(std::pair<QByteArray, QByteArray>{"Content-Disposition", disposition});
    return reply;
  }
  const QString downloadLink = u"<p><a href=\""_s + HtmlEscaped(OutlineAddress(fileId)) +
                               u"/download\" download>"_s + res::kPageDownload.toString() +
                               u"</a> \u30FB "_s + res::kPageUpdated.toString() + u" "_s +
                               TimeText(file.updated) + u"</p>"_s;
  RenderedOutline outline;
  if (!RenderOutlineHtml(content, file.title, outline)) {
    return HtmlPage(200, file.title,
                    u"<h1>"_s + HtmlEscaped(file.title) + u"</h1><p class=\"e\">"_s +
                        HtmlEscaped(res::kPageUnreadable) + u"</p>"_s + downloadLink,
                    mail);
  }
  return HtmlPage(200, file.title.isEmpty() ? outline.title : file.title,
                  downloadLink + outline.html, mail);
}

// True when a browser says the form came from these pages themselves.
bool FromOwnOrigin(const PageRequest& request) {
  if (!request.fetchSite.isEmpty()) {
    return request.fetchSite == "same-origin" || request.fetchSite == "none";
  }
  if (request.origin.isEmpty()) return true;
  // Behind a proxy the scheme seen here may differ from the browser's, so
  // the host and port are compared.
  const QUrl origin(QString::fromLatin1(request.origin));
  if (!origin.isValid() || (origin.scheme() != u"http" && origin.scheme() != u"https")) {
    return false;
  }
  QString authority = origin.host();
  if (origin.port() >= 0) authority += u':' + QString::number(origin.port());
  return authority.compare(QString::fromLatin1(request.host), Qt::CaseInsensitive) == 0;
}

PageReply HandleSignIn(const PageRequest& request, Storage& storage, qint64 now) {
  FormRequest form;
  if (ParseUrlEncoded(request.body, form) != FormParse::kOk) {
    return MessagePage(400, res::kPageErrorTitle, res::kPageBadRequest);
  }
  // The form is sent in the page's own encoding, UTF-8.
  const QByteArray* mailField = form.Find("mail");
  const QByteArray* passwordField = form.Find("password");
  const QString mail = mailField != nullptr ? QString::fromUtf8(*mailField).trimmed() : QString();
  const QString password = passwordField != nullptr ? QString::fromUtf8(*passwordField) : QString();
  if (mail.isEmpty() || password.isEmpty()) {
    return SignInPage(403, res::kPageWrongAccount, mail);
  }
  const SignInOutcome outcome = SignIn(storage, mail, password, request.address, now);
  switch (outcome.result) {
    case SignInResult::kSignedIn: {
      // The browser's previous session, if any, ends here: a cookie planted
      // before sign-in never becomes a signed-in one.
      SignOut(storage, QString::fromLatin1(CookieValue(request.cookie, kSessionCookie)));
      PageReply reply = Redirect("/");
      reply.headers.append(
          std::pair<QByteArray, QByteArray>{"Set-Cookie", SessionCookie(outcome.token)});
      reply.account = mail;
      return reply;
    }
    case SignInResult::kRefused:
      return SignInPage(403, res::kPageWrongAccount, mail);
    case SignInResult::kLimited: {
      PageReply reply = SignInPage(429, res::kPageTooManyAttempts, mail);
      reply.headers.append(std::pair<QByteArray, QByteArray>{
          "Retry-After", QByteArray::number(kSignInWindowSeconds)});
      return reply;
    }
    case SignInResult::kFailed:
      break;
  }
  return ServerError();
}

}  // namespace

QByteArray CookieValue(QByteArrayView header, QByteArrayView name) {
  for (QByteArrayView rest = header; !rest.isEmpty();) {
    const qsizetype end = rest.indexOf(';');
    QByteArrayView pair = (end < 0 ? rest : rest.first(end)).trimmed();
    rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
    const qsizetype equals = pair.indexOf('=');
    if (equals < 0 || pair.first(equals).trimmed() != name) continue;
    return pair.sliced(equals + 1).trimmed().toByteArray();
  }
  return {};
}

QString ClientAddress(const QString& peer, QByteArrayView forwardedFor) {
  const QHostAddress peerAddress(peer);
  if (!peerAddress.isLoopback() || forwardedFor.trimmed().isEmpty()) return peer;
  const qsizetype comma = forwardedFor.lastIndexOf(',');
  const QByteArrayView last = forwardedFor.sliced(comma + 1).trimmed();
  // Only an address is taken; anything else counts as the proxy itself.
  const QHostAddress forwarded(QString::fromLatin1(last));
  return forwarded.isNull() ? peer : forwarded.toString();
}

PageReply HandlePageRequest(const PageRequest& request, Storage& storage, const Clock& clock) {
  const qint64 now = clock.Now();
  const bool post = request.method == "POST";
  if (post && (request.path == "/signin" || request.path == "/signout") &&
      !FromOwnOrigin(request)) {
    return MessagePage(403, res::kPageErrorTitle, res::kPageForbiddenOrigin);
  }
  const QString token = QString::fromLatin1(CookieValue(request.cookie, kSessionCookie));
  if (post && request.path == "/signin") return HandleSignIn(request, storage, now);
  if (post && request.path == "/signout") {
    if (SignOut(storage, token) != StoreResult::kOk) return ServerError();
    PageReply reply = Redirect("/");
    reply.headers.append(std::pair<QByteArray, QByteArray>{"Set-Cookie", ClearedSessionCookie()});
    return reply;
  }
  if (request.method != "GET") return NotFound();

  QString mail;
  switch (SignedInAccount(storage, token, now, mail)) {
    case StoreResult::kOk:
      break;
    case StoreResult::kNotFound:
      mail.clear();
      break;
    default:
      return ServerError();
  }
  if (request.path == "/") {
    return mail.isEmpty() ? SignInPage(200, {}, {}) : ListPage(storage, mail);
  }
  if (!request.path.startsWith(kOutlinePrefix)) return NotFound(mail);
  QByteArrayView rest = QByteArrayView(request.path).sliced(qsizetype(sizeof(kOutlinePrefix) - 1));
  const bool download = rest.endsWith(kDownloadSuffix);
  if (download) rest.chop(qsizetype(sizeof(kDownloadSuffix) - 1));
  const QString fileId = QString::fromLatin1(rest);
  if (!IsFileIdShaped(fileId)) return NotFound(mail);
  if (mail.isEmpty()) return Redirect("/");
  return OutlinePage(storage, mail, fileId, download);
}

}  // namespace qm::server
