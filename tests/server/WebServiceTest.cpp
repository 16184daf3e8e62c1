// The service's endpoints over a real database file, without sockets: the
// account proof, tickets, per-account files, bounds and reply forms.
#include <gtest/gtest.h>

#include "ServiceFixture.h"
#include "res/ServerStrings.h"
#include "server/ServiceLimits.h"

namespace qm::server::test {
namespace {

using WebServiceTest = ServiceTest;

TEST_F(WebServiceTest, SaveListReadAndUpdateRoundTrip) {
  const QString title = QStringLiteral("買い物メモ");
  const QByteArray first = Encoded(QStringLiteral("[Quillmap]\r\n一つ目\r\n")) + '\x1a';
  const ServiceReply saveas = Ask("saveas", &title);
  EXPECT_EQ(saveas.contentType, kXmlContentType);
  const IssuedTicket ticket = TicketOf(saveas);
  EXPECT_EQ(ticket.key.size(), 32);
  EXPECT_EQ(ticket.fileId.size(), 32);
  EXPECT_EQ(Element(saveas, "title"), title);
  const ServiceReply stored = Upload(kUploadPath, ticket, first);
  EXPECT_EQ(stored.contentType, kTextContentType);
  EXPECT_EQ(Decoded(stored.body), u"0\nOK");

  const ServiceReply list = Ask("list");
  EXPECT_EQ(Count(list, "file"), 1);
  EXPECT_EQ(Element(list, "title"), title);
  EXPECT_EQ(Element(list, "fileid"), ticket.fileId);
  EXPECT_FALSE(Element(list, "update").isEmpty());
  EXPECT_EQ(Count(list, "error"), 0);

  const ServiceReply read = Ask("read", nullptr, &ticket.fileId);
  EXPECT_EQ(Element(read, "title"), title);
  const ServiceReply downloaded = Download(TicketOf(read));
  EXPECT_EQ(downloaded.contentType, kFileContentType);
  EXPECT_EQ(downloaded.body, first);

  const QString renamed = QStringLiteral("買い物メモ2");
  const QByteArray second = Encoded(QStringLiteral("[Quillmap]\r\n二つ目\r\n"));
  const ServiceReply save = Ask("save", &renamed, &ticket.fileId);
  EXPECT_EQ(Decoded(Upload(kUpdatePath, TicketOf(save), second).body), u"0\nOK");
  EXPECT_EQ(Fetch(ticket.fileId), second);
  const ServiceReply after = Ask("list");
  EXPECT_EQ(Count(after, "file"), 1);
  EXPECT_EQ(Element(after, "title"), renamed);
}

TEST_F(WebServiceTest, ListOfAnAccountWithoutFilesHasNoFileElement) {
  const ServiceReply list = Ask("list");
  EXPECT_EQ(Count(list, "file"), 0);
  EXPECT_EQ(Count(list, "error"), 0);
  EXPECT_FALSE(Element(list, "date").isEmpty());
}

TEST_F(WebServiceTest, WrongPasswordAndUnknownAccountGetTheSameRefusal) {
  const ServiceReply wrong = AskAccount("list", kMail, "guess", ClientDate());
  EXPECT_EQ(Element(wrong, "error"), u"2");
  EXPECT_EQ(Element(wrong, "errormes"), res::kServerWrongAccount);
  EXPECT_TRUE(wrong.account.isEmpty());
  const ServiceReply unknown = AskAccount("list", "c@example.com", "guess", ClientDate());
  EXPECT_EQ(Decoded(unknown.body), Decoded(wrong.body));
  // The other account's password does not open this one.
  EXPECT_EQ(Element(AskAccount("list", kMail, kOtherPassword, ClientDate()), "error"), u"2");
}

TEST_F(WebServiceTest, DateOutsideTheWindowOrMalformedIsRefused) {
  const QString password = QString::fromUtf8(kPassword);
  // The window is measured from the server's clock in UTC.
  const auto utcDate = [&](qint64 offset) {
    return TicketDateText(QDateTime::fromSecsSinceEpoch(m_clock.Now() + offset, Qt::UTC));
  };
  const qint64 day = kDateWindowSeconds;
  EXPECT_EQ(Element(AskAccount("list", kMail, password, utcDate(-day - 1)), "error"), u"3");
  EXPECT_EQ(Element(AskAccount("list", kMail, password, utcDate(day + 1)), "error"), u"3");
  EXPECT_EQ(Count(AskAccount("list", kMail, password, utcDate(-day)), "error"), 0);
  EXPECT_EQ(Count(AskAccount("list", kMail, password, utcDate(day)), "error"), 0);
  for (const QString& date : {QStringLiteral("2026/13/1 0:0:0"), QStringLiteral("yesterday"),
                              QStringLiteral("2026/12/9 9:5:3 "), QString()}) {
    const ServiceReply reply = AskAccount("list", kMail, password, date);
    EXPECT_EQ(Element(reply, "error"), u"3") << date.toStdString();
    EXPECT_EQ(Element(reply, "errormes"), res::kServerBadDate);
  }
  // The window's local time is within the window whatever its zone.
  for (const int zoneHours : {-12, 0, 9, 14}) {
    const QString date = TicketDateText(
        QDateTime::fromSecsSinceEpoch(m_clock.Now() + zoneHours * 3600 + 30, Qt::UTC));
    EXPECT_EQ(Count(AskAccount("list", kMail, password, date), "error"), 0) << zoneHours;
  }
}

TEST_F(WebServiceTest, ReplayedKeyIsRefusedAndTheNextSecondIsNot) {
  const QString password = QString::fromUtf8(kPassword);
  const QString date = ClientDate();
  EXPECT_EQ(Count(AskAccount("list", kMail, password, date), "error"), 0);
  const ServiceReply replay = AskAccount("list", kMail, password, date);
  EXPECT_EQ(Element(replay, "error"), u"4");
  EXPECT_EQ(Element(replay, "errormes"), res::kServerReplayedKey);
  // Another account may send the same date: keys are remembered per account.
  EXPECT_EQ(Count(AskAccount("list", kOtherMail, kOtherPassword, date), "error"), 0);
  m_clock.Advance(1);
  EXPECT_EQ(Count(AskAccount("list", kMail, password, ClientDate()), "error"), 0);
}

TEST_F(WebServiceTest, TicketServesOneRequestOnly) {
  const QString title = QStringLiteral("memo");
  const IssuedTicket ticket = TicketOf(Ask("saveas", &title));
  EXPECT_EQ(Decoded(Upload(kUploadPath, ticket, "one").body), u"0\nOK");
  const ServiceReply replay = Upload(kUploadPath, ticket, "two");
  EXPECT_EQ(Decoded(replay.body), QStringLiteral("6\n") + res::kServerBadTicket.toString());
  EXPECT_EQ(Fetch(ticket.fileId), "one");

  const IssuedTicket read = TicketOf(Ask("read", nullptr, &ticket.fileId));
  EXPECT_EQ(Download(read).body, "one");
  EXPECT_EQ(Decoded(Download(read).body), QStringLiteral("6\n") + res::kServerBadTicket.toString());
}

TEST_F(WebServiceTest, TicketExpiresAndKeepsToItsPurposeDateAndFile) {
  const QString title = QStringLiteral("memo");
  const QString fileId = SaveNew(title, "kept");
  ASSERT_FALSE(fileId.isEmpty());

  const IssuedTicket late = TicketOf(Ask("save", &title, &fileId));
  m_clock.Advance(kTicketLifetimeSeconds + 1);
  EXPECT_EQ(Decoded(Upload(kUpdatePath, late, "late").body).left(2), u"6\n");

  // A read ticket does not update, nor a ticket of one file another.
  const IssuedTicket read = TicketOf(Ask("read", nullptr, &fileId));
  EXPECT_EQ(Decoded(Upload(kUpdatePath, read, "x").body).left(2), u"6\n");
  const QString otherId = SaveNew(QStringLiteral("other"), "other");
  IssuedTicket wrongFile = TicketOf(Ask("save", &title, &otherId));
  wrongFile.fileId = fileId;
  EXPECT_EQ(Decoded(Upload(kUpdatePath, wrongFile, "x").body).left(2), u"6\n");
  IssuedTicket wrongDate = TicketOf(Ask("save", &title, &fileId));
  wrongDate.date += u'1';
  EXPECT_EQ(Decoded(Upload(kUpdatePath, wrongDate, "x").body).left(2), u"6\n");
  EXPECT_EQ(Fetch(fileId), "kept");
  EXPECT_EQ(Fetch(otherId), "other");
}

TEST_F(WebServiceTest, AnotherAccountsFileIsRefusedAndUnchanged) {
  const QString title = QStringLiteral("private");
  const QString fileId = SaveNew(title, "mine");
  ASSERT_FALSE(fileId.isEmpty());
  m_clock.Advance(1);
  const QString date = ClientDate();
  const ServiceReply read = AskAccount("read", kOtherMail, kOtherPassword, date, nullptr, &fileId);
  EXPECT_EQ(Element(read, "error"), u"5");
  EXPECT_EQ(Element(read, "errormes"), res::kServerNoSuchFile);
  m_clock.Advance(1);
  const ServiceReply save =
      AskAccount("save", kOtherMail, kOtherPassword, ClientDate(), &title, &fileId);
  EXPECT_EQ(Element(save, "error"), u"5");
  // The owner's own ticket, presented under the other account's name.
  const IssuedTicket owners = TicketOf(Ask("save", &title, &fileId));
  EXPECT_EQ(Decoded(Upload(kUpdatePath, owners, "stolen", kOtherMail).body).left(2), u"6\n");
  EXPECT_EQ(Count(AskAccount("list", kOtherMail, kOtherPassword, ClientDate(1)), "file"), 0);
  EXPECT_EQ(Fetch(fileId), "mine");
}

TEST_F(WebServiceTest, FileOverTheLimitIsRefusedAndNothingStored) {
  const QString title = QStringLiteral("big");
  const IssuedTicket ticket = TicketOf(Ask("saveas", &title));
  const ServiceReply refused = Upload(kUploadPath, ticket, QByteArray(kMaxFileBytes + 1, 'x'));
  EXPECT_EQ(Decoded(refused.body), QStringLiteral("7\n") + res::kServerFileTooLarge.toString());
  EXPECT_EQ(Count(Ask("list"), "file"), 0);
  // The refusal spent nothing: the ticket still takes a file at the limit.
  EXPECT_EQ(Decoded(Upload(kUploadPath, ticket, QByteArray(kMaxFileBytes, 'x')).body), u"0\nOK");
}

TEST_F(WebServiceTest, TitleIsEscapedInEveryReply) {
  const QString title = QStringLiteral("a&b<c>\"d'e 日本");
  const QString escaped = QStringLiteral("a&amp;b&lt;c&gt;&quot;d&apos;e 日本");
  const ServiceReply saveas = Ask("saveas", &title);
  EXPECT_EQ(Element(saveas, "title"), escaped);
  ASSERT_EQ(Decoded(Upload(kUploadPath, TicketOf(saveas), "x").body), u"0\nOK");
  const ServiceReply list = Ask("list");
  EXPECT_EQ(Element(list, "title"), escaped);
  // Nothing of the title opens or closes an element.
  EXPECT_EQ(Decoded(list.body).count(u'<'), Decoded(list.body).count(u'>'));
}

TEST_F(WebServiceTest, TitleWithControlCharactersOrTooLongIsRefused) {
  for (const QString& title : {QStringLiteral("a\x01"
                                              "b"),
                               QString(kMaxTitleLength + 1, u'x')}) {
    const ServiceReply reply = Ask("saveas", &title);
    EXPECT_EQ(Element(reply, "error"), u"8");
  }
  const QString longest(kMaxTitleLength, u'x');
  EXPECT_EQ(Count(Ask("saveas", &longest), "error"), 0);
}

TEST_F(WebServiceTest, DownloadOffersASafeName) {
  const QString hostile = QStringLiteral("../..\\.\"evil\"; Set-Cookie: x");
  const QString fileId = SaveNew(hostile, "x");
  const ServiceReply download = Download(TicketOf(Ask("read", nullptr, &fileId)));
  const QString name = download.attachmentName;
  EXPECT_TRUE(name.endsWith(u".qmp"));
  EXPECT_FALSE(name.startsWith(u'.'));
  for (const QChar c : name) {
    EXPECT_TRUE(c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.') << name.toStdString();
  }
  // A title of nothing but Japanese falls back to the file id.
  const QString japanese = SaveNew(QStringLiteral("日本語"), "y");
  EXPECT_EQ(Download(TicketOf(Ask("read", nullptr, &japanese))).attachmentName,
            japanese + QStringLiteral(".qmp"));
}

TEST_F(WebServiceTest, MalformedRequestsAreRefusedInTheirEndpointsForm) {
  const QByteArray form = "application/x-www-form-urlencoded";
  // Missing fields, an unknown mode, a field sent twice.
  EXPECT_EQ(Element(Send(kAccountPath, form, "mode=list"), "error"), u"1");
  EXPECT_EQ(Element(Ask("delete"), "error"), u"1");
  const QString date = ClientDate(5);
  const QByteArray twice = UrlEncoded({{"mode", "list"},
                                       {"mail", kMail},
                                       {"mail", kOtherMail},
                                       {"pass", RequestKey(QString::fromUtf8(kPassword), date)},
                                       {"date", date}});
  EXPECT_EQ(Element(Send(kAccountPath, form, twice), "error"), u"1");
  EXPECT_EQ(Element(Ask("read"), "error"), u"1");  // read without a file id
  // The file store answers in its own form.
  EXPECT_EQ(Decoded(Send(kUploadPath, form, "mail=a").body),
            QStringLiteral("1\n") + res::kServerBadRequest.toString());
  const QString title = QStringLiteral("t");
  const IssuedTicket ticket = TicketOf(Ask("saveas", &title));
  const QByteArray noFile = UrlEncoded(
      {{"mail", kMail}, {"key", ticket.key}, {"date", ticket.date}, {"fileid", ticket.fileId}});
  EXPECT_EQ(Decoded(Send(kUploadPath, form, noFile).body).left(3), u"10\n");
  EXPECT_EQ(Send("/qmp/other.php", form, "").status, 404);
}

TEST_F(WebServiceTest, CodeAndMessageReplyIsInTheCodePage) {
  const ServiceReply refused = Send(kUploadPath, "text/plain", "");
  EXPECT_EQ(refused.contentType, "text/plain; charset=Shift_JIS");
  // The bytes are the code page's, not UTF-8: a reader that decodes them by
  // the charset the reply names gets the message back.
  EXPECT_EQ(refused.body, Encoded(QStringLiteral("1\n") + res::kServerBadRequest.toString()));
  EXPECT_NE(refused.body, (QStringLiteral("1\n") + res::kServerBadRequest.toString()).toUtf8());
}

}  // namespace
}  // namespace qm::server::test
