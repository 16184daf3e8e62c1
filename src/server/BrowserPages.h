// BrowserPages: the service's read-only pages for a browser, as functions of
// a request and a Storage without sockets, as WebService is for the window's
// endpoints. HttpServer only moves bytes.
//
//   GET  /                      the sign-in form, or the account's outlines
//   POST /signin                mail and password; a session cookie on success
//   POST /signout               ends the session
//   GET  /outline/ID            the outline as a foldable tree
//   GET  /outline/ID/download   the outline file's bytes as stored
//
// Pages are UTF-8 HTML with their style inline (allowed by its hash in the
// Content-Security-Policy) and no script. An outline that is not the
// signed-in account's answers exactly as a missing one, 404. Signed out, an
// outline's addresses redirect to the sign-in form.
//
// The session cookie is HttpOnly, SameSite=Strict and Secure (browsers keep
// Secure cookies from http://localhost too, so a loopback server works
// without TLS). The two POSTs are accepted only from the pages' own origin:
// a browser says where a form came from in Sec-Fetch-Site or Origin, and a
// request naming another site is refused; one naming none is not a
// browser's cross-site form.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

#include "platform/Clock.h"
#include "server/Storage.h"

namespace qm::server {

inline constexpr char kSessionCookie[] = "qm_session";

struct PageRequest {
  QByteArray method;     // "GET" or "POST"
  QByteArray path;       // without the query
  QByteArray cookie;     // the Cookie header as sent
  QByteArray host;       // the Host header
  QByteArray origin;     // the Origin header; empty when none came
  QByteArray fetchSite;  // the Sec-Fetch-Site header; empty when none came
  QByteArray contentType;
  QByteArray body;  // whole, already bounded by the listener
  QString address;  // the client's address (see ClientAddress)
};

struct PageReply {
  int status = 200;
  QByteArray contentType;
  QByteArray body;
  QList<std::pair<QByteArray, QByteArray>> headers;  // beyond the content type
  QString account;                                   // the signed-in account, for the log
};

PageReply HandlePageRequest(const PageRequest& request, Storage& storage, const Clock& clock);

// The address sign-in attempts are counted by: the peer's, or, when the peer
// is a proxy on this host (a loopback address), the last address of the
// X-Forwarded-For it added. A client on the host itself can claim any
// address this way; one elsewhere cannot.
QString ClientAddress(const QString& peer, QByteArrayView forwardedFor);

// The value of the named cookie in a Cookie header; empty when none.
QByteArray CookieValue(QByteArrayView header, QByteArrayView name);

}  // namespace qm::server
