// CWebFileClient: the client of the web outline service, for one user action
// (a list, an open, a save), created, used and destroyed inside it.
//
// Every operation first asks the account endpoint (account host +
// "/qmp/qmpfile.php") for a ticket: it checks the account and answers with a
// key and a date, which the following request to the file store (service
// host + "/qmpupload", "/qmpdownload" or "/qmpupdate") presents. The password
// itself never leaves the machine; only the request key does.
//
// Failures: the transport and the connection keeper report their own
// failures (see HttpForm.h, ConnKeeper.h). A refusal by the service sets
// ErrorCode and ErrorMessage and reports nothing: the caller shows
// ErrorMessage when it is not empty. Not thread-safe.
//
// The service refuses a ticket request whose key it has seen (error
// kReplayedTicketError), and the key depends on the second the request is
// dated with. So a client never dates two requests with the same second:
// one made in a second already used is dated one second on (the service
// accepts dates within a day of its clock). Clients of one program share
// the seconds they used through ShareTicketSeconds. A refusal as a replay
// means another program dated a request with that second: RequestTicket
// asks again with the next one, up to kReplayRetries times.
#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "net/ConnKeeper.h"
#include "net/HttpClient.h"
#include "net/TransferWait.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"

namespace qm {

struct XmlNode;

// One web file of the account, as the list reply names it.
class CWebFileEntry {
 public:
  QString title;
  QString fileId;
  QString update;  // the service's update time, as received
};

// What a client talks through. Everything must outlive the client.
struct WebServices {
  HttpClient& http;
  TransferWait& wait;
  Prompt& prompt;
  const Clock& clock;
  CConnKeeper& keeper;
};

// A file store reply read: the code before the first line feed, the message
// after it, each without trailing white space; without a line feed the code
// is empty and the message the whole reply. code is the decimal number at the
// start of the code text (0 without one; a number too large for 32 bits
// saturates, so it can never read as 0).
struct CodeAndMessage {
  int code = 0;
  QString message;
};
CodeAndMessage ParseCodeAndMessage(QStringView reply);

// The decimal number at the start of text (white space, a sign, digits, as
// atoi reads), saturated to the 32-bit range; 0 when text has none.
int LeadingNumber(QStringView text);

// The largest file an upload sends; anything larger is refused before a
// request is made.
inline constexpr qint64 kMaxUploadBytes = 999999;
bool ExceedsUploadLimit(const QString& localPath);
// The service's answer to a ticket request whose key and date it saw before.
inline constexpr int kReplayedTicketError = 4;
// How often a ticket request refused as a replay is asked again. Other
// runs of the program in quick succession (a script's, say) may each have
// taken a second ahead of the clock, so a new run walks past them; each
// step is one short request.
inline constexpr int kReplayRetries = 30;

// Creates a new empty file named "vorelnet" + six random characters + suffix
// in folder, exclusively, so no other process can hold or plant the name. On
// success returns its path; the caller owns the file and deletes it. On
// failure returns an empty text.
QString MakeTempWebFileName(const QString& folder, const QString& suffix = QString());

class CWebFileClient {
 public:
  // accountHost and serviceHost: scheme, host and port ("http://localhost:8642").
  // Downloads are written into tempFolder.
  CWebFileClient(const QString& accountHost, const QString& serviceHost, WebServices services,
                 const QString& tempFolder);
  CWebFileClient(const CWebFileClient&) = delete;
  CWebFileClient& operator=(const CWebFileClient&) = delete;
  ~CWebFileClient();

  void SetAccount(const QString& mail, const QString& password);
  // Title and file id from a web path ("net:" + file id + ";" + title).
  void SetFromWebPath(const QString& webPath);
  // "net:" + FileId() + ";" + Title().
  QString WebPath() const;

  // Asks for a ticket in mode ("list", "read", "saveas", "save"); a given
  // title or file id becomes the current one and is sent. On success returns
  // true: Key() and Date() hold the ticket, and the reply's title and file id
  // (or, for a list, Files()) are taken. On failure returns false; when the
  // service refused, ErrorCode() and ErrorMessage() say why, and otherwise
  // they are 0 and empty (the failure has been reported).
  bool RequestTicket(const QString& mode, const std::optional<QString>& title,
                     const std::optional<QString>& fileId);

  // Dates tickets no earlier than next, and leaves next at the second after
  // the last one used. next must outlive the client.
  void ShareTicketSeconds(qint32& next) { m_nextSecond = &next; }

  // Fills Files() with the account's web files, in the service's order.
  bool ListFiles();

  // Downloads the web file fileId (the current one when not given) into the
  // temporary folder. On success returns the local path of the file; the
  // caller deletes it. On failure returns an empty text.
  QString DownloadFile(const std::optional<QString>& fileId = std::nullopt);

  // Stores the file at localPath as a new web file titled title (the current
  // title when not given). On success returns true and FileId() is the new
  // web file's id. On failure returns false. A file over kMaxUploadBytes is
  // refused before anything is sent: ErrorMessage() is then
  // res::kUploadSizeLimit and ErrorCode() 0; the same holds for UploadUpdate.
  bool UploadNew(const QString& localPath, const std::optional<QString>& title = std::nullopt);

  // Writes the file at localPath over the web file fileId (the current one
  // when not given), titled title (the current one when not given).
  bool UploadUpdate(const QString& localPath, const std::optional<QString>& title = std::nullopt,
                    const std::optional<QString>& fileId = std::nullopt);

  // Reads Reply() as a file store answer into ErrorCode() and ErrorMessage();
  // true when the code is 0.
  bool ParseResult();

  int ErrorCode() const { return m_errorCode; }
  const QString& ErrorMessage() const { return m_errorMessage; }
  const QString& Title() const { return m_title; }
  const QString& FileId() const { return m_fileId; }
  const QList<CWebFileEntry>& Files() const { return m_files; }
  const QString& Key() const { return m_key; }
  const QString& Date() const { return m_date; }
  const QString& Reply() const { return m_reply; }
  const QString& AccountAddress() const { return m_accountAddress; }
  void SetReply(const QString& reply) { m_reply = reply; }

 private:
  // The text after the first "." of localPath's file name (not its folder's).
  static QString FileExtension(const QString& localPath);
  bool AskForTicket(const QString& mode, const std::optional<QString>& title,
                    const std::optional<QString>& fileId);
  void TakeTicketReply(const XmlNode& root);
  // True (with the message set) when localPath is too large to upload.
  bool RefuseOversized(const QString& localPath);
  bool Upload(const QString& localPath, const QString& store, bool isNew);

  QString m_accountAddress;
  QString m_serviceHost;
  WebServices m_services;
  QString m_tempFolder;
  QString m_mail;
  QString m_password;
  QString m_date;
  QString m_key;
  QString m_title;
  QString m_fileId;
  QString m_reply;
  int m_errorCode = 0;
  QString m_errorMessage;
  QList<CWebFileEntry> m_files;
  qint32 m_ownNextSecond = 0;
  qint32* m_nextSecond = &m_ownNextSecond;
};

}  // namespace qm
