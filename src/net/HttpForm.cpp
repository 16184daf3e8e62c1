// CHttpForm: building the three kinds of request and taking in their replies.
#include "net/HttpForm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QUrl>
#include <cstdio>

#include "net/HttpReply.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "res/NetStrings.h"
#include "res/Strings.h"

namespace qm {
namespace {

constexpr QByteArrayView kAccept = "text/*";
constexpr QByteArrayView kUserAgent = "Mozilla/4.0*";
constexpr QByteArrayView kFormContentType = "application/x-www-form-urlencoded";

bool IsUnreserved(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
         (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_';
}

QString WithoutCarriageReturns(QString text) {
  text.remove(u'\r');
  return text;
}

}  // namespace

// Takes in one reply: its status and, by the request's kind, its text or the
// file it carries. Stops the transfer when what arrives cannot be kept.
class ReplySink : public HttpSink {
 public:
  void OnResponse(int status, const HttpHeaders& headers) override {
    m_responded = true;
    m_status = status;
    m_contentType = HeaderValue(headers, "Content-Type");
    Begin(headers);
  }

  bool OnBody(QByteArrayView chunk) override {
    if (m_status >= 300) return false;  // refused: nothing of it is used
    return Take(chunk);
  }

  bool Refused() const { return m_responded && m_status >= 300; }
  // Called once the reply has arrived whole; false when its result cannot be
  // kept, with StopReason saying why.
  virtual bool Complete() { return true; }
  // What to tell the user when the sink stopped the transfer; empty for nothing.
  QString StopReason() const { return m_stopReason; }
  QString Text() const { return DecodeTextReply(m_contentType, m_text); }

 protected:
  virtual void Begin(const HttpHeaders&) {}
  virtual bool Take(QByteArrayView chunk) { return Collect(chunk); }

  bool Collect(QByteArrayView chunk) {
    if (m_text.size() + chunk.size() > CHttpForm::kMaxReplyBytes) {
      m_stopReason = res::kReplyTooLarge.toString();
      return false;
    }
    m_text.append(chunk);
    return true;
  }

  bool m_responded = false;
  int m_status = 0;
  QByteArray m_contentType;
  QByteArray m_text;
  QString m_stopReason;
};

namespace {

// A download: a text/plain reply is a message and is collected; anything
// else is the file, streamed into a new temporary file in the folder that
// takes its final name once complete.
class DownloadSink : public ReplySink {
 public:
  DownloadSink(const QString& folder, const QString& fallbackName)
      : m_folder(folder), m_fallbackName(fallbackName) {}

  bool IsText() const { return m_isText; }
  const QString& Path() const { return m_path; }

  bool Complete() override {
    if (m_isText) return true;
    if (m_file == nullptr) return Fail();  // a reply without a body still makes a file
    if (!m_file->flush()) return Fail();
    m_file->close();
    if (std::rename(QFile::encodeName(m_file->fileName()).constData(),
                    QFile::encodeName(m_path).constData()) != 0) {
      return Fail();
    }
    m_file->setAutoRemove(false);
    return true;
  }

 protected:
  void Begin(const HttpHeaders& headers) override {
    if (m_status >= 300) return;
    m_isText = MediaTypeOf(m_contentType) == "text/plain";
    if (m_isText) return;
    QString name = SafeDownloadName(DownloadNameFromHeaders(headers));
    if (name.isEmpty()) name = m_fallbackName;
    if (name.isEmpty()) return;
    m_path = PathInFolder(m_folder, name);
    // Created exclusively under a fresh name: nothing already in the folder,
    // a planted link included, is ever written through.
    m_file = std::make_unique<QTemporaryFile>(
        QDir(m_folder).filePath(QStringLiteral(".vorelnet-XXXXXX.part")));
    if (!m_file->open()) m_file.reset();
  }

  bool Take(QByteArrayView chunk) override {
    if (m_isText) return Collect(chunk);
    if (m_file == nullptr) return Fail();
    // Flushed unit by unit: the reply is on the disk as it arrives, and a
    // full disk stops the transfer at once.
    if (m_file->write(chunk.data(), chunk.size()) != chunk.size() || !m_file->flush()) {
      return Fail();
    }
    return true;
  }

 private:
  bool Fail() {
    m_stopReason = res::kCannotWrite.toString();
    if (!m_path.isEmpty()) m_stopReason += u'：' + m_path;
    m_file.reset();
    return false;
  }

  QString m_folder;
  QString m_fallbackName;
  QString m_path;
  bool m_isText = false;
  std::unique_ptr<QTemporaryFile> m_file;
};

}  // namespace

QByteArray UrlEncode(QByteArrayView bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  QByteArray encoded;
  encoded.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsUnreserved(byte)) {
      encoded.append(c);
    } else if (byte == ' ') {
      encoded.append('+');
    } else {
      encoded.append('%');
      encoded.append(kHex[byte >> 4]);
      encoded.append(kHex[byte & 0x0F]);
    }
  }
  return encoded;
}

CHttpForm::CHttpForm(const QString& address, HttpClient& client, TransferWait& wait, Prompt& prompt)
    : m_address(address), m_client(client), m_wait(wait), m_prompt(prompt) {}

void CHttpForm::AddParam(const QString& name, const QString& value) {
  m_params.append({name, value});
}

QByteArray CHttpForm::FormBody() const {
  CodePage codePage;
  QByteArray body;
  for (const Param& param : m_params) {
    if (!body.isEmpty()) body.append('&');
    body.append(codePage.Encode(param.first));
    body.append('=');
    body.append(UrlEncode(codePage.Encode(param.second)));
  }
  return body;
}

QByteArray CHttpForm::MultipartBody(QByteArrayView fileBytes) const {
  CodePage codePage;
  QByteArray body;
  for (const Param& param : m_params) {
    body += "--" + kBoundary.toByteArray() + "\r\nContent-Disposition: form-data; name=\"" +
            codePage.Encode(param.first) + "\"\r\n\r\n" + codePage.Encode(param.second) + "\r\n";
  }
  body += "--" + kBoundary.toByteArray() + "\r\n";
  body += "Content-Disposition: form-data; name=\"file\"; filename=\"qmp.txt\"\r\n";
  body += "Content-Type: application/octet-stream\r\n\r\n";
  body += fileBytes;
  body += "\r\n--" + kBoundary.toByteArray() + "--\r\n\r\n";
  return body;
}

bool CHttpForm::CheckAddress() {
  const QUrl url(m_address, QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  if (url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty()) {
    return true;
  }
  m_prompt.Ask(m_address + res::kAddressParseFailed.toString(), PromptButtons::Ok,
               PromptIcon::Error);
  return false;
}

HttpHeaders CHttpForm::BaseHeaders() const {
  return {{"Accept", kAccept.toByteArray()}, {"User-Agent", kUserAgent.toByteArray()}};
}

void CHttpForm::ReportTransportError(const QString& text, ErrorStyle style) {
  if (style == ErrorStyle::Alone) {
    m_prompt.Ask(text.left(kMaxDownloadErrorText), PromptButtons::Ok, PromptIcon::Error);
  } else {
    m_prompt.Ask(res::kConnectionErrorPrefix.toString() + text.left(kMaxErrorText),
                 PromptButtons::Ok, PromptIcon::Error);
  }
}

bool CHttpForm::Run(const HttpRequest& request, ReplySink& sink, ErrorStyle style) {
  const std::unique_ptr<HttpTransfer> transfer = m_client.Post(request, sink);
  if (!m_wait.Wait(*transfer)) return false;  // cancelled by the user
  const HttpOutcome outcome = transfer->Outcome();
  if (outcome.kind == HttpOutcome::Kind::Aborted || sink.Refused()) return false;
  switch (outcome.kind) {
    case HttpOutcome::Kind::Completed:
      if (sink.Complete()) return true;
      break;
    case HttpOutcome::Kind::Failed:
      ReportTransportError(outcome.error, style);
      return false;
    default:
      break;
  }
  if (!sink.StopReason().isEmpty()) {
    m_prompt.Ask(sink.StopReason(), PromptButtons::Ok, PromptIcon::Error);
  }
  return false;
}

bool CHttpForm::PostForm() {
  const QByteArray body = FormBody();
  m_reply.clear();
  if (!CheckAddress()) return false;
  HttpRequest request{m_address, BaseHeaders(), body};
  request.headers.append({"Content-Type", kFormContentType.toByteArray()});
  ReplySink sink;
  if (!Run(request, sink, ErrorStyle::Prefixed)) return false;
  m_reply = sink.Text();
  return true;
}

bool CHttpForm::PostMultipart(const QString& filePath) {
  m_reply.clear();
  if (!CheckAddress()) return false;
  const ReadResult file = ReadFile(filePath);
  if (!file) return false;
  HttpRequest request{m_address, BaseHeaders(), MultipartBody(file.bytes)};
  request.headers.append(
      {"Content-Type", "multipart/form-data; boundary=" + kBoundary.toByteArray()});
  ReplySink sink;
  if (!Run(request, sink, ErrorStyle::Prefixed)) return false;
  m_reply = WithoutCarriageReturns(sink.Text());
  return true;
}

QString CHttpForm::PostDownload(const QString& folder) {
  const qsizetype slash = m_address.lastIndexOf(u'/');
  if (slash < 0) return QString();
  const QString fallbackName = SafeDownloadName(m_address.sliced(slash + 1));
  const QByteArray body = FormBody();
  m_reply.clear();
  if (!CheckAddress()) return QString();
  HttpRequest request{m_address, BaseHeaders(), body};
  request.headers.append({"Content-Type", kFormContentType.toByteArray()});
  DownloadSink sink(folder, fallbackName);
  if (!Run(request, sink, ErrorStyle::Alone)) return QString();
  if (sink.IsText()) {
    m_reply = WithoutCarriageReturns(sink.Text());
    return QString();
  }
  return sink.Path();
}

}  // namespace qm
