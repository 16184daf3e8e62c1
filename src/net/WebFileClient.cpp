// CWebFileClient: the ticket request, its XML reply, and the three file
// store requests.
#include "net/WebFileClient.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <limits>

#include "net/HttpForm.h"
#include "net/RequestKey.h"
#include "net/WebPath.h"
#include "net/XmlReader.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "res/NetStrings.h"

namespace qm {
namespace {

QString WithoutTrailingSpace(QStringView text) {
  qsizetype end = text.size();
  while (end > 0 && text[end - 1].isSpace()) --end;
  return text.first(end).toString();
}

QString WithoutTrailingSlash(QString address) {
  while (address.endsWith(u'/')) address.chop(1);
  return address;
}

QString FirstText(const XmlNode& from, QStringView name) {
  const std::vector<const XmlNode*> found = FindXmlElements(from, name);
  return found.empty() ? QString() : XmlText(*found.front());
}

}  // namespace

int LeadingNumber(QStringView text) {
  qsizetype at = 0;
  while (at < text.size() && text[at].isSpace()) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
    negative = text[at] == u'-';
    ++at;
  }
  qint64 value = 0;
  constexpr qint64 kLimit = qint64{std::numeric_limits<int>::max()} + 1;
  while (at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
    value = std::min(kLimit, value * 10 + (text[at].unicode() - u'0'));
    ++at;
  }
  if (negative) return static_cast<int>(-value);
  return static_cast<int>(std::min<qint64>(value, std::numeric_limits<int>::max()));
}

CodeAndMessage ParseCodeAndMessage(QStringView reply) {
  const qsizetype lineFeed = reply.indexOf(u'\n');
  const QStringView code = lineFeed < 0 ? QStringView() : reply.first(lineFeed);
  const QStringView message = lineFeed < 0 ? reply : reply.sliced(lineFeed + 1);
  return {LeadingNumber(WithoutTrailingSpace(code)), WithoutTrailingSpace(message)};
}

bool ExceedsUploadLimit(const QString& localPath) {
  return QFileInfo(localPath).size() > kMaxUploadBytes;
}

QString MakeTempWebFileName(const QString& folder, const QString& suffix) {
  QTemporaryFile file(QDir(folder).filePath(QStringLiteral("vorelnetXXXXXX") + suffix));
  file.setAutoRemove(false);
  if (!file.open()) return QString();
  return file.fileName();
}

CWebFileClient::CWebFileClient(const QString& accountHost, const QString& serviceHost,
                               WebServices services, const QString& tempFolder)
    : m_accountAddress(WithoutTrailingSlash(accountHost) + QStringLiteral("/qmp/qmpfile.php")),
      m_serviceHost(WithoutTrailingSlash(serviceHost)),
      m_services(services),
      m_tempFolder(tempFolder) {}

CWebFileClient::~CWebFileClient() = default;

void CWebFileClient::SetAccount(const QString& mail, const QString& password) {
  m_mail = mail;
  m_password = password;
}

void CWebFileClient::SetFromWebPath(const QString& webPath) {
  m_title = WebPathTitle(webPath);
  m_fileId = WebPathFileId(webPath);
}

QString CWebFileClient::WebPath() const { return MakeWebPath(m_fileId, m_title); }

bool CWebFileClient::RequestTicket(const QString& mode, const std::optional<QString>& title,
                                   const std::optional<QString>& fileId) {
  for (int retry = 0;; ++retry) {
    if (AskForTicket(mode, title, fileId)) return true;
    // Each retry is dated with the next second.
    if (m_errorCode != kReplayedTicketError || retry == kReplayRetries) return false;
  }
}

bool CWebFileClient::AskForTicket(const QString& mode, const std::optional<QString>& title,
                                  const std::optional<QString>& fileId) {
  // Every operation starts here: an earlier refusal must not be shown again
  // after a failure of this one that reports itself.
  m_errorCode = 0;
  m_errorMessage.clear();
  CHttpForm form(m_accountAddress, m_services.http, m_services.wait, m_services.prompt);
  form.AddParam(QStringLiteral("mode"), mode);
  form.AddParam(QStringLiteral("mail"), m_mail);
  const qint32 second = std::max(m_services.clock.Now(), *m_nextSecond);
  *m_nextSecond = second + 1;
  m_date = TicketDateText(QDateTime::fromSecsSinceEpoch(second));
  form.AddParam(QStringLiteral("pass"), RequestKey(m_password, m_date));
  form.AddParam(QStringLiteral("date"), m_date);
  if (title) {
    m_title = *title;
    form.AddParam(QStringLiteral("title"), m_title);
  }
  if (fileId) {
    m_fileId = *fileId;
    form.AddParam(QStringLiteral("fileid"), m_fileId);
  }
  if (!m_services.keeper.EnsureConnection(m_accountAddress)) return false;
  if (!form.PostForm()) return false;

  CodePage codePage;
  const QByteArray bytes = codePage.Encode(
      QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n") + form.Reply());
  const std::unique_ptr<XmlNode> document = ReadXml(bytes);
  const XmlNode* root = document->FirstChild();
  if (root == nullptr) return true;  // nothing read: no error element, so a ticket without key

  const std::vector<const XmlNode*> errors = FindXmlElements(*root, u"error");
  if (!errors.empty()) {
    m_errorCode = LeadingNumber(XmlText(*errors.front()));
    const std::vector<const XmlNode*> messages = FindXmlElements(*root, u"errormes");
    if (!messages.empty()) m_errorMessage = XmlText(*messages.front());
    return false;
  }
  TakeTicketReply(*root);
  return true;
}

void CWebFileClient::TakeTicketReply(const XmlNode& root) {
  const std::vector<const XmlNode*> date = FindXmlElements(root, u"date");
  if (!date.empty()) m_date = XmlText(*date.front());
  const std::vector<const XmlNode*> key = FindXmlElements(root, u"key");
  if (!key.empty()) m_key = XmlText(*key.front());
  const std::vector<const XmlNode*> files = FindXmlElements(root, u"file");
  if (files.empty()) {
    const std::vector<const XmlNode*> title = FindXmlElements(root, u"title");
    if (!title.empty()) m_title = XmlText(*title.front());
    const std::vector<const XmlNode*> fileId = FindXmlElements(root, u"fileid");
    if (!fileId.empty()) m_fileId = XmlText(*fileId.front());
    return;
  }
  m_files.clear();
  for (const XmlNode* file : files) {
    m_files.append(
        {FirstText(*file, u"title"), FirstText(*file, u"fileid"), FirstText(*file, u"update")});
  }
}

bool CWebFileClient::ListFiles() { return RequestTicket(QStringLiteral("list"), {}, {}); }

QString CWebFileClient::DownloadFile(const std::optional<QString>& fileId) {
  const QString id = fileId ? *fileId : m_fileId;
  if (!RequestTicket(QStringLiteral("read"), {}, id)) return QString();
  CHttpForm form(m_serviceHost + QStringLiteral("/qmpdownload"), m_services.http, m_services.wait,
                 m_services.prompt);
  form.AddParam(QStringLiteral("mail"), m_mail);
  form.AddParam(QStringLiteral("key"), m_key);
  form.AddParam(QStringLiteral("date"), m_date);
  form.AddParam(QStringLiteral("fileid"), m_fileId);
  const QString path = form.PostDownload(m_tempFolder);
  m_reply = form.Reply();
  if (!ParseResult()) {
    if (!path.isEmpty()) QFile::remove(path);
    return QString();
  }
  return path;
}

QString CWebFileClient::FileExtension(const QString& localPath) {
  const QString name = FileNameOf(localPath);
  const qsizetype dot = name.indexOf(u'.');
  return dot < 0 ? QString() : name.sliced(dot + 1);
}

bool CWebFileClient::Upload(const QString& localPath, const QString& store, bool isNew) {
  CHttpForm form(m_serviceHost + store, m_services.http, m_services.wait, m_services.prompt);
  form.AddParam(QStringLiteral("mail"), m_mail);
  form.AddParam(QStringLiteral("key"), m_key);
  form.AddParam(QStringLiteral("date"), m_date);
  form.AddParam(QStringLiteral("fileid"), m_fileId);
  if (isNew) form.AddParam(QStringLiteral("pub"), QStringLiteral("1"));
  form.AddParam(QStringLiteral("fileext"), FileExtension(localPath));
  // A request that failed has no answer to read; it must not pass for one
  // that the service accepted.
  if (!form.PostMultipart(localPath)) return false;
  m_reply = form.Reply();
  return ParseResult();
}

bool CWebFileClient::RefuseOversized(const QString& localPath) {
  m_errorCode = 0;
  m_errorMessage.clear();
  if (!ExceedsUploadLimit(localPath)) return false;
  m_errorMessage = res::kUploadSizeLimit.toString();
  return true;
}

bool CWebFileClient::UploadNew(const QString& localPath, const std::optional<QString>& title) {
  if (RefuseOversized(localPath)) return false;
  const QString useTitle = title ? *title : m_title;
  if (!RequestTicket(QStringLiteral("saveas"), useTitle, {})) return false;
  return Upload(localPath, QStringLiteral("/qmpupload"), true);
}

bool CWebFileClient::UploadUpdate(const QString& localPath, const std::optional<QString>& title,
                                  const std::optional<QString>& fileId) {
  if (RefuseOversized(localPath)) return false;
  const QString useTitle = title ? *title : m_title;
  const QString useId = fileId ? *fileId : m_fileId;
  if (!RequestTicket(QStringLiteral("save"), useTitle, useId)) return false;
  return Upload(localPath, QStringLiteral("/qmpupdate"), false);
}

bool CWebFileClient::ParseResult() {
  const CodeAndMessage result = ParseCodeAndMessage(m_reply);
  m_errorCode = result.code;
  m_errorMessage = result.message;
  return m_errorCode == 0;
}

}  // namespace qm
