// The browser pages through the page functions: signing in and out, the
// limit on failed sign-ins, whose outlines a session sees, what the pages
// send with them, and the download.
#include <gtest/gtest.h>

#include "PageFixture.h"
#include "server/Sessions.h"

using namespace Qt::StringLiterals;

namespace qm::server::test {
namespace {

TEST_F(PageTest, SigningInSetsAProtectedSessionCookieAndListsTheOutlinesNewestFirst) {
  const QString older = SaveNew(QStringLiteral("古いメモ"), SampleOutlineBytes());
  m_clock.Advance(60);
  const QString newer = SaveNew(QStringLiteral("新しい<メモ>"), SampleOutlineBytes());
  ASSERT_FALSE(older.isEmpty());
  ASSERT_FALSE(newer.isEmpty());

  const PageReply form = Page("GET", "/");
  EXPECT_EQ(form.status, 200);
  EXPECT_TRUE(Text(form).contains(u"action=\"/signin\"")) << Text(form).toStdString();
  EXPECT_FALSE(Text(form).contains(u"古いメモ"));

  const PageReply signIn = SignInAs(kMail, QString::fromUtf8(kPassword));
  EXPECT_EQ(signIn.status, 303);
  EXPECT_EQ(Header(signIn, "Location"), "/");
  const QByteArray setCookie = Header(signIn, "Set-Cookie");
  EXPECT_TRUE(setCookie.startsWith(QByteArray(kSessionCookie) + '=')) << setCookie.toStdString();
  for (const char* attribute : {"; HttpOnly", "; Secure", "; SameSite=Strict", "; Path=/"}) {
    EXPECT_TRUE(setCookie.contains(attribute)) << setCookie.toStdString();
  }
  // 128 bits as 32 hexadecimal digits, and a fresh one each time.
  const QByteArray cookie = CookieOf(signIn);
  EXPECT_EQ(cookie.size(), qsizetype(sizeof(kSessionCookie)) + 32);
  EXPECT_NE(SignedInCookie(), cookie);

  const PageReply list = Page("GET", "/", cookie);
  const QString html = Text(list);
  EXPECT_EQ(list.status, 200);
  EXPECT_EQ(list.account, QString::fromLatin1(kMail));
  const qsizetype newerAt =
      html.indexOf(u"href=\"/outline/"_s + newer + u"\">新しい&lt;メモ&gt;</a>"_s);
  const qsizetype olderAt = html.indexOf(u"href=\"/outline/"_s + older + u"\">古いメモ</a>"_s);
  EXPECT_TRUE(newerAt >= 0 && olderAt > newerAt) << html.toStdString();
  EXPECT_TRUE(html.contains(u"action=\"/signout\"")) << html.toStdString();
}

TEST_F(PageTest, AWrongPasswordAndAnUnknownMailAreRefusedAlike) {
  const PageReply wrong = SignInAs(kMail, QStringLiteral("guess"));
  const PageReply unknown = SignInAs(QStringLiteral("nobody@example.com"), QStringLiteral("guess"));
  const PageReply otherPassword = SignInAs(kMail, QString::fromLatin1(kOtherPassword));
  for (const PageReply* reply : {&wrong, &unknown, &otherPassword}) {
    EXPECT_EQ(reply->status, 403);
    EXPECT_TRUE(Header(*reply, "Set-Cookie").isEmpty());
    EXPECT_TRUE(reply->account.isEmpty());
  }
  // The same page but for the mail typed back into the form.
  EXPECT_EQ(Text(wrong).replace(QString::fromLatin1(kMail), u"MAIL"_s),
            Text(unknown).replace(u"nobody@example.com"_s, u"MAIL"_s));
  // A form without its fields is a refusal too, not a server error.
  EXPECT_EQ(Page("POST", "/signin", {}, "mail=").status, 403);
}

TEST_F(PageTest, TheSixthFailureInARowIsRefusedUntilTheWindowPasses) {
  for (int i = 0; i < kMaxSignInFailures; ++i) {
    EXPECT_EQ(SignInAs(kMail, QStringLiteral("guess%1").arg(i)).status, 403) << i;
    m_clock.Advance(10);
  }
  // Now even the right password is not looked at.
  const PageReply limited = SignInAs(kMail, QString::fromUtf8(kPassword));
  EXPECT_EQ(limited.status, 429);
  EXPECT_EQ(Header(limited, "Retry-After"), "600");
  EXPECT_TRUE(Header(limited, "Set-Cookie").isEmpty());
  // From another address the account is still held shut...
  EXPECT_EQ(SignInAs(kMail, QString::fromUtf8(kPassword), "198.51.100.1").status, 429);
  // ...and from this address so is every other account.
  EXPECT_EQ(SignInAs(kOtherMail, QString::fromLatin1(kOtherPassword)).status, 429);
  // Knocking on meanwhile does not hold it shut any longer.
  m_clock.Advance(kSignInWindowSeconds - 40 + 1);
  EXPECT_EQ(SignInAs(kMail, QString::fromUtf8(kPassword)).status, 303);
}

TEST_F(PageTest, SignInLimitsAreSharedThroughTheDatabase) {
  // A second connection stands for a second server process.
  QString error;
  const auto second = Storage::OpenSqlite(DbPath(), &error);
  ASSERT_TRUE(second) << error.toStdString();
  for (int i = 0; i < kMaxSignInFailures; ++i) {
    Storage& storage = i % 2 == 0 ? *m_storage : *second;
    EXPECT_EQ(SignIn(storage, kMail, QStringLiteral("x"), kAddress, m_clock.Now()).result,
              SignInResult::kRefused);
  }
  EXPECT_EQ(
      SignIn(*second, kMail, QString::fromUtf8(kPassword), "203.0.113.9", m_clock.Now()).result,
      SignInResult::kLimited);
}

TEST_F(PageTest, AnOutlinePageShowsTheTreeWithStrictHeaders) {
  const QString id = SaveNew(QStringLiteral("本"), SampleOutlineBytes());
  const QByteArray cookie = SignedInCookie();
  const PageReply page = Page("GET", "/outline/" + id.toLatin1(), cookie);
  ASSERT_EQ(page.status, 200);
  EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
  const QString html = Text(page);
  EXPECT_TRUE(html.contains(u"第一章：序章")) << html.toStdString();
  EXPECT_TRUE(html.contains(u"一行目\n二行目"));
  EXPECT_TRUE(html.contains(u"\u2714</span>"));
  EXPECT_TRUE(html.contains(u"古い案</s>"));
  EXPECT_TRUE(html.contains(u"&lt;script&gt;alert(1)&lt;/script&gt;"));
  EXPECT_EQ(html.count(u"<script"_s), 0);
  EXPECT_TRUE(html.contains(u"href=\"/outline/"_s + id + u"/download\""_s)) << html.toStdString();

  const QByteArray policy = Header(page, "Content-Security-Policy");
  EXPECT_TRUE(policy.startsWith("default-src 'none'; style-src 'sha256-")) << policy.toStdString();
  EXPECT_FALSE(policy.contains("unsafe")) << policy.toStdString();
  EXPECT_FALSE(policy.contains("script-src")) << "the pages run no script";
  EXPECT_EQ(Header(page, "X-Content-Type-Options"), "nosniff");
  EXPECT_EQ(Header(page, "Referrer-Policy"), "no-referrer");
  EXPECT_EQ(Header(page, "Cache-Control"), "no-store");
}

TEST_F(PageTest, AnotherAccountsOutlineIsNotFoundJustAsAMissingOne) {
  const QString mine = SaveNew(QStringLiteral("mine"), SampleOutlineBytes());
  const QByteArray theirCookie = [&] {
    const PageReply reply = SignInAs(kOtherMail, QString::fromLatin1(kOtherPassword));
    return CookieOf(reply);
  }();
  ASSERT_FALSE(theirCookie.isEmpty());
  const PageReply other = Page("GET", "/outline/" + mine.toLatin1(), theirCookie);
  const PageReply missing = Page("GET", "/outline/0123456789abcdef0123456789abcdef", theirCookie);
  const PageReply otherDownload =
      Page("GET", "/outline/" + mine.toLatin1() + "/download", theirCookie);
  EXPECT_EQ(other.status, 404);
  EXPECT_EQ(otherDownload.status, 404);
  EXPECT_EQ(other.body, missing.body);
  EXPECT_EQ(otherDownload.body, missing.body);
  EXPECT_FALSE(Text(other).contains(u"mine"));
  // Ids that are no id at all go nowhere either.
  EXPECT_EQ(Page("GET", "/outline/..%2Fetc", theirCookie).status, 404);
  EXPECT_EQ(Page("GET", "/outline/a/b", theirCookie).status, 404);
}

TEST_F(PageTest, SignedOutTheOutlineAddressesLeadToTheSignInForm) {
  const QString id = SaveNew(QStringLiteral("本"), SampleOutlineBytes());
  for (const QByteArray& cookie :
       {QByteArray(), QByteArray("qm_session=0123456789abcdef0123456789abcdef"),
        QByteArray("qm_session=' OR 1=1 --")}) {
    for (const QByteArray& path :
         {"/outline/" + id.toLatin1(), "/outline/" + id.toLatin1() + "/download"}) {
      const PageReply reply = Page("GET", path, cookie);
      EXPECT_EQ(reply.status, 303) << path.toStdString();
      EXPECT_EQ(Header(reply, "Location"), "/");
      EXPECT_TRUE(reply.body.isEmpty());
    }
  }
}

TEST_F(PageTest, SigningOutEndsTheSessionForGood) {
  const QByteArray cookie = SignedInCookie();
  ASSERT_FALSE(cookie.isEmpty());
  const PageReply signOut = Page("POST", "/signout", "theme=dark; " + cookie);
  EXPECT_EQ(signOut.status, 303);
  EXPECT_TRUE(Header(signOut, "Set-Cookie").contains("Max-Age=0"));
  // The old cookie, sent again, no longer signs anybody in.
  EXPECT_TRUE(Text(Page("GET", "/", cookie)).contains(u"action=\"/signin\""));

  // Signing in again over a session ends that one: only the new cookie counts.
  const QByteArray first = SignedInCookie();
  const PageReply second =
      Page("POST", "/signin", first, SignInBody(kMail, QString::fromUtf8(kPassword)));
  ASSERT_EQ(second.status, 303);
  EXPECT_TRUE(Page("GET", "/", first).account.isEmpty());
  EXPECT_EQ(Page("GET", "/", CookieOf(second)).account, QString::fromLatin1(kMail));
}

TEST_F(PageTest, FormsFromAnotherSiteAreRefused) {
  const QByteArray cookie = SignedInCookie();
  const auto post = [&](const QByteArray& path, const QByteArray& origin,
                        const QByteArray& fetchSite, const QByteArray& body = {}) {
    PageRequest request{"POST",
                        path,
                        cookie,
                        "outlines.example.com",
                        origin,
                        fetchSite,
                        "application/x-www-form-urlencoded",
                        body,
                        kAddress};
    return HandlePageRequest(request, *m_storage, m_clock);
  };
  EXPECT_EQ(post("/signout", "https://evil.example", "cross-site").status, 403);
  EXPECT_EQ(post("/signout", "https://evil.example", {}).status, 403);
  EXPECT_EQ(post("/signout", "null", {}).status, 403);
  EXPECT_EQ(post("/signout", {}, "same-site").status, 403);
  const PageReply loginFromElsewhere = post("/signin", "https://evil.example", "cross-site",
                                            SignInBody(kMail, QString::fromUtf8(kPassword)));
  EXPECT_EQ(loginFromElsewhere.status, 403);
  EXPECT_TRUE(Header(loginFromElsewhere, "Set-Cookie").isEmpty());
  // None of them ended the session.
  EXPECT_EQ(Page("GET", "/", cookie).account, QString::fromLatin1(kMail));
  // Behind a proxy the browser's scheme is not the one seen here; the host decides.
  EXPECT_EQ(post("/signout", "http://outlines.example.com", {}).status, 303);
}

TEST_F(PageTest, ASessionEndsAfterItsIdleTimeAndWithItsAccount) {
  const QByteArray cookie = SignedInCookie();
  // Used now and then, it lasts past its first twelve hours...
  for (int i = 0; i < 3; ++i) {
    m_clock.Advance(kSessionIdleSeconds - 60);
    EXPECT_EQ(Page("GET", "/", cookie).account, QString::fromLatin1(kMail)) << i;
  }
  // ...but not a moment past twelve idle ones.
  m_clock.Advance(kSessionIdleSeconds + 1);
  EXPECT_TRUE(Page("GET", "/", cookie).account.isEmpty());

  const QByteArray again = SignedInCookie();
  ASSERT_EQ(m_storage->RemoveAccount(kMail), StoreResult::kOk);
  EXPECT_TRUE(Page("GET", "/", again).account.isEmpty());
  // Nor does an account added again under the same mail take it over.
  ASSERT_EQ(
      m_storage->AddAccount(kMail, PasswordDigest(QStringLiteral("new owner")), m_clock.Now()),
      StoreResult::kOk);
  EXPECT_TRUE(Page("GET", "/", again).account.isEmpty());
}

TEST_F(PageTest, TheDownloadIsTheStoredFileUnderASafeName) {
  const QByteArray bytes = SampleOutlineBytes();
  const QString id = SaveNew(QStringLiteral("../報告\"書.qmp"), bytes);
  const PageReply download =
      Page("GET", "/outline/" + id.toLatin1() + "/download", SignedInCookie());
  ASSERT_EQ(download.status, 200);
  EXPECT_EQ(download.body, bytes);
  EXPECT_EQ(download.contentType, "application/octet-stream");
  // The plain name for any reader, the title itself for a browser; neither
  // leaves the folder it is saved to.
  EXPECT_EQ(Header(download, "Content-Disposition"),
            "attachment; filename=\"________qmp.qmp\"; "
            "filename*=UTF-8''___%E5%A0%B1%E5%91%8A_%E6%9B%B8.qmp");
  const QString plain = SaveNew(QStringLiteral("  "), bytes);
  EXPECT_EQ(Header(Page("GET", "/outline/" + plain.toLatin1() + "/download", SignedInCookie()),
                   "Content-Disposition"),
            "attachment; filename=\"" + plain.toLatin1() + ".qmp\"");
  EXPECT_EQ(Header(download, "X-Content-Type-Options"), "nosniff");
}

TEST(PageClientAddressTest, TrustsTheForwardedAddressOnlyFromAProxyOnThisHost) {
  EXPECT_EQ(ClientAddress("203.0.113.5", "198.51.100.1"), u"203.0.113.5");
  EXPECT_EQ(ClientAddress("127.0.0.1", "10.0.0.1, 198.51.100.1"), u"198.51.100.1");
  EXPECT_EQ(ClientAddress("::1", " 2001:db8::1 "), u"2001:db8::1");
  EXPECT_EQ(ClientAddress("127.0.0.1", "not-an-address"), u"127.0.0.1");
  EXPECT_EQ(ClientAddress("127.0.0.1", ""), u"127.0.0.1");
}

}  // namespace
}  // namespace qm::server::test
