// The request key and web paths: the texts both ends of the service must agree on.
#include <gtest/gtest.h>

#include "net/RequestKey.h"
#include "net/WebPath.h"

namespace qm {
namespace {

TEST(RequestKeyTest, DateTextHasNoLeadingZeros) {
  EXPECT_EQ(TicketDateText(QDateTime(QDate(2010, 3, 7), QTime(9, 5, 3))), u"2010/3/7 9:5:3");
  EXPECT_EQ(TicketDateText(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 0))),
            u"2026/12/31 23:59:0");
}

TEST(RequestKeyTest, KeyIsTheDigestOfTheDigestDateAndSalt) {
  // md5("secret") and md5 of it + date + "ke\t=lun", worked out by md5sum.
  EXPECT_EQ(PasswordDigest(QStringLiteral("secret")), u"5ebe2294ecd0e0f08eab7690d2a6ee69");
  EXPECT_EQ(RequestKey(QStringLiteral("secret"), QStringLiteral("2010/3/7 9:5:3")),
            u"c55ea11c564f3e48249821ff57458268");
}

TEST(RequestKeyTest, JapanesePasswordIsDigestedInTheCodePage) {
  // "あ" is 0x82 0xA0 in the code page; UTF-8 would give another digest.
  EXPECT_EQ(PasswordDigest(QStringLiteral("あ")), u"8f03c3a6dbec1d0f1a5af60947b7b052");
}

TEST(WebPathTest, PartsOfAWebPath) {
  EXPECT_TRUE(IsWebPath(u"net:12;題名"));
  EXPECT_FALSE(IsWebPath(u"NET:12;x"));
  EXPECT_FALSE(IsWebPath(u"/tmp/net:1;x"));
  EXPECT_TRUE(IsNewWebPath(u"net:;新しい"));
  EXPECT_FALSE(IsNewWebPath(u"net:1;x"));
  EXPECT_EQ(WebPathFileId(u"net:12;a;b"), u"12");
  EXPECT_EQ(WebPathTitle(u"net:12;a;b"), u"a;b");
  EXPECT_EQ(WebPathFileId(u"net:12"), u"");
  EXPECT_EQ(WebPathTitle(u"net:12"), u"net:12");
  EXPECT_EQ(MakeWebPath(QStringLiteral("7"), QStringLiteral("x;y")), u"net:7;x;y");
}

}  // namespace
}  // namespace qm
