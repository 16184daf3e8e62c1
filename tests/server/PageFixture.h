// What the browser page tests share: a small outline file with chapter
// styles of its own, checked and struck-through nodes and a body holding
// markup, and requests as a browser sends them to the page functions.
#pragma once

#include <QUrl>

#include "ServiceFixture.h"
#include "model/OutlineFile.h"
#include "model/TreeStore.h"
#include "platform/MemorySettingsStore.h"
#include "server/BrowserPages.h"

namespace qm::server::test {

// 本 (body "まえがき")
//   序章 (checked, body "一行目\r\n二行目")
//   古い案 (struck through)
//   次章
//     節 (body "<script>alert(1)</script>")
//     <b>"引用"&'符号'</b>
// Level 1 numbered 第一章：, level 2 as 1. and so on.
inline QByteArray SampleOutlineBytes() {
  MemorySettingsStore settings;
  qm::test::FakeClock clock;
  CTreeStore store(settings, clock);
  store.AddRoot(QStringLiteral("本"));
  store.SetBody(0, QStringLiteral("まえがき"));
  store.InsertChild(0, QStringLiteral("序章"), {}, QStringLiteral("一行目\r\n二行目"), kFlagChecked,
                    0);
  store.InsertChild(0, QStringLiteral("古い案"), {}, {}, kFlagStruck, 0);
  const int next = store.InsertChild(0, QStringLiteral("次章"), {}, {}, 0, 0);
  store.InsertChild(next, QStringLiteral("節"), {}, QStringLiteral("<script>alert(1)</script>"), 0,
                    0);
  store.InsertChild(next, QStringLiteral("<b>\"引用\"&'符号'</b>"), {}, {}, 0, 0);
  CChapterStyles& styles = store.Styles();
  while (styles.Count() > 0) styles.Remove(0);
  styles.Append({QStringLiteral("第"), kNumberKanji, QStringLiteral("章："), {}});
  styles.Append({QString(), kNumberDecimal, QStringLiteral(". "), {}});
  return Encoded(WriteOutlineText(store));
}

// The sign-in form's body as a browser sends it.
inline QByteArray SignInBody(const QString& mail, const QString& password) {
  return "mail=" + QUrl::toPercentEncoding(mail) + "&password=" + QUrl::toPercentEncoding(password);
}

class PageTest : public ServiceTest {
 protected:
  static constexpr char kAddress[] = "192.0.2.7";

  PageReply Page(const char* method, const QByteArray& path, const QByteArray& cookie = {},
                 const QByteArray& body = {}, const QString& address = kAddress) {
    PageRequest request;
    request.method = method;
    request.path = path;
    request.cookie = cookie;
    request.host = "outlines.example.com";
    if (QByteArray(method) == "POST") {
      request.origin = "https://outlines.example.com";
      request.fetchSite = "same-origin";
      request.contentType = "application/x-www-form-urlencoded";
    }
    request.body = body;
    request.address = address;
    return HandlePageRequest(request, *m_storage, m_clock);
  }

  PageReply SignInAs(const QString& mail, const QString& password,
                     const QString& address = kAddress) {
    return Page("POST", "/signin", {}, SignInBody(mail, password), address);
  }

  static QByteArray Header(const PageReply& reply, const QByteArray& name) {
    for (const auto& [headerName, value] : reply.headers) {
      if (headerName.compare(name, Qt::CaseInsensitive) == 0) return value;
    }
    return {};
  }

  // The "name=value" a reply's Set-Cookie sets, as a browser sends it back.
  static QByteArray CookieOf(const PageReply& reply) {
    const QByteArray setCookie = Header(reply, "Set-Cookie");
    return setCookie.left(setCookie.indexOf(';'));
  }

  // Signs the first account in; the cookie to send, or "" when it failed.
  QByteArray SignedInCookie() {
    const PageReply reply = SignInAs(kMail, QString::fromUtf8(kPassword));
    return reply.status == 303 ? CookieOf(reply) : QByteArray();
  }

  static QString Text(const PageReply& reply) { return QString::fromUtf8(reply.body); }
};

}  // namespace qm::server::test
