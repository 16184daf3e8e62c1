// Reading request bodies and the small rules of the service: what the
// window sends is read exactly, anything else is refused within bounds.
#include <gtest/gtest.h>

#include "ServiceFixture.h"
#include "server/FormBody.h"
#include "server/ServiceLimits.h"
#include "server/ServiceRules.h"
#include "server/XmlReply.h"

namespace qm::server::test {
namespace {

TEST(UrlEncodedFormTest, ReadsTheWindowsEncoding) {
  FormRequest form;
  ASSERT_EQ(ParseUrlEncoded(UrlEncoded({{"title", "a b&c=日本"}, {"mode", "list"}}), form),
            FormParse::kOk);
  ASSERT_EQ(form.fields.size(), 2);
  EXPECT_EQ(form.Text("title"), u"a b&c=日本");
  EXPECT_EQ(form.Text("mode"), u"list");
  EXPECT_EQ(form.Find("missing"), nullptr);
  EXPECT_FALSE(form.hasFile);
}

TEST(UrlEncodedFormTest, EdgesOfTheSyntax) {
  FormRequest form;
  // Empty pairs are skipped, a name without "=" has an empty value, and a
  // stray "%" stays as it is.
  ASSERT_EQ(ParseUrlEncoded("&&a&b=%4&c=%zz%41&", form), FormParse::kOk);
  ASSERT_NE(form.Find("a"), nullptr);
  EXPECT_TRUE(form.Find("a")->isEmpty());
  EXPECT_EQ(*form.Find("b"), "%4");
  EXPECT_EQ(*form.Find("c"), "%zzA");
  EXPECT_EQ(ParseUrlEncoded("", form), FormParse::kOk);
  EXPECT_TRUE(form.fields.isEmpty());
  EXPECT_EQ(ParseUrlEncoded("=value", form), FormParse::kMalformed);
  EXPECT_EQ(ParseUrlEncoded("a=1&a=2", form), FormParse::kMalformed);
}

TEST(UrlEncodedFormTest, BoundsFieldsAndTheirSize) {
  FormRequest form;
  QByteArray many;
  for (int i = 0; i <= kMaxFormFields; ++i) many += "f" + QByteArray::number(i) + "=x&";
  EXPECT_EQ(ParseUrlEncoded(many, form), FormParse::kTooManyFields);
  EXPECT_EQ(ParseUrlEncoded("a=" + QByteArray(kMaxFieldBytes + 1, 'x'), form),
            FormParse::kFieldTooLarge);
  EXPECT_EQ(ParseUrlEncoded("a=" + QByteArray(kMaxFieldBytes, 'x'), form), FormParse::kOk);
}

TEST(MultipartFormTest, ReadsTheWindowsUpload) {
  // A line that starts like the boundary but goes on is content.
  const QByteArray file = QByteArray("[Quillmap]\r\n--") + kBoundary + "x\r\n\x82\xa0";
  FormRequest form;
  ASSERT_EQ(
      ParseMultipart(MultipartType(),
                     MultipartBody({{"mail", "a@example.com"}, {"title", "日本"}}, file), form),
      FormParse::kOk);
  EXPECT_EQ(form.Text("mail"), u"a@example.com");
  EXPECT_EQ(form.Text("title"), u"日本");
  ASSERT_TRUE(form.hasFile);
  EXPECT_EQ(form.file, file);
}

TEST(MultipartFormTest, AcceptsAQuotedBoundaryAPreambleAndAnEmptyFile) {
  FormRequest form;
  const QByteArray body = "preamble\r\n" + MultipartBody({{"a", "1"}}, "");
  ASSERT_EQ(
      ParseMultipart(QByteArray("Multipart/Form-Data; boundary=\"") + kBoundary + "\"", body, form),
      FormParse::kOk);
  EXPECT_EQ(form.Text("a"), u"1");
  EXPECT_TRUE(form.hasFile);
  EXPECT_TRUE(form.file.isEmpty());
}

TEST(MultipartFormTest, RefusesWhatIsNotAWholeForm) {
  FormRequest form;
  const QByteArray whole = MultipartBody({{"a", "1"}}, "data");
  EXPECT_EQ(ParseMultipart("multipart/form-data", whole, form), FormParse::kMalformed);
  EXPECT_EQ(ParseMultipart("text/plain", whole, form), FormParse::kMalformed);
  EXPECT_EQ(ParseMultipart(MultipartType(), whole.left(whole.size() - 20), form),
            FormParse::kMalformed);
  EXPECT_EQ(ParseMultipart(MultipartType(), "", form), FormParse::kMalformed);
  // Two files, or a part without a name.
  QByteArray twoFiles = MultipartBody({}, "x");
  twoFiles.chop(QByteArray("--\r\n\r\n").size());
  twoFiles += "\r\nContent-Disposition: form-data; name=\"file\"\r\n\r\ny\r\n--" +
              QByteArray(kBoundary) + "--";
  EXPECT_EQ(ParseMultipart(MultipartType(), twoFiles, form), FormParse::kMalformed);
  QByteArray unnamed = whole;
  unnamed.replace("name=\"a\"", "x=\"a\"");
  EXPECT_EQ(ParseMultipart(MultipartType(), unnamed, form), FormParse::kMalformed);
}

TEST(MultipartFormTest, BoundsTheFile) {
  FormRequest form;
  EXPECT_EQ(
      ParseMultipart(MultipartType(), MultipartBody({}, QByteArray(kMaxFileBytes + 1, 'x')), form),
      FormParse::kFileTooLarge);
  EXPECT_EQ(
      ParseMultipart(MultipartType(), MultipartBody({}, QByteArray(kMaxFileBytes, 'x')), form),
      FormParse::kOk);
}

TEST(ServiceRulesTest, TokensAreRandomHex) {
  const QString a = RandomToken();
  const QString b = RandomToken();
  EXPECT_EQ(a.size(), 32);
  EXPECT_NE(a, b);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(a).hasMatch());
}

TEST(ServiceRulesTest, RequestDateReadsTheWindowsFormOnly) {
  EXPECT_EQ(ParseRequestDate(u"2010/3/7 9:5:3"),
            QDateTime(QDate(2010, 3, 7), QTime(9, 5, 3), Qt::UTC).toSecsSinceEpoch());
  EXPECT_TRUE(ParseRequestDate(u"2010/03/07 09:05:03").has_value());
  for (const char16_t* text : {u"2010/2/30 0:0:0", u"2010/3/7 24:0:0", u"10/3/7 9:5:3",
                               u"2010-3-7 9:5:3", u" 2010/3/7 9:5:3", u"2010/3/7"}) {
    EXPECT_FALSE(ParseRequestDate(text).has_value()) << QString::fromUtf16(text).toStdString();
  }
  EXPECT_TRUE(DateWithinWindow(1000 + kDateWindowSeconds, 1000));
  EXPECT_FALSE(DateWithinWindow(1000 + kDateWindowSeconds + 1, 1000));
}

TEST(ServiceRulesTest, DownloadNameIsPlainAndSafe) {
  EXPECT_EQ(DownloadName(u"report-2026_v2", u"id"), u"report-2026_v2.qmp");
  EXPECT_EQ(DownloadName(u"../..\\etc/passwd", u"id"), u"______etc_passwd.qmp");
  EXPECT_EQ(DownloadName(u".hidden", u"id"), u"_hidden.qmp");
  EXPECT_EQ(DownloadName(u"a\"b\r\nc", u"id"), u"a_b__c.qmp");
  EXPECT_EQ(DownloadName(u"日本語", u"0123abcd"), u"0123abcd.qmp");
  EXPECT_EQ(DownloadName(u"", u"../.x"), u"____x.qmp");
  EXPECT_EQ(DownloadName(u"", u""), u"outline.qmp");
  EXPECT_EQ(DownloadName(u"v1.2", u"id"), u"v1_2.qmp");
  EXPECT_EQ(DownloadName(QString(100, u'a'), u"id"), QString(64, u'a') + QStringLiteral(".qmp"));
}

TEST(XmlReplyTest, EscapesEveryMarkupCharacter) {
  EXPECT_EQ(XmlReply::Escape(u"&<>\"'\t\n\x01"
                             u"x"),
            u"&amp;&lt;&gt;&quot;&apos;\t\n\uFFFDx");
  EXPECT_EQ(XmlErrorReply(3, u"日時"),
            Encoded(QStringLiteral("<qmp><error>3</error><errormes>日時</errormes></qmp>")));
}

}  // namespace
}  // namespace qm::server::test
