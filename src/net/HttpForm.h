// CHttpForm: one HTTP POST of the web outline service's client: a url-encoded
// form answered with text (PostForm), a multipart form carrying one file
// (PostMultipart), or a url-encoded form answered with a file (PostDownload).
//
// Every text sent is converted to bytes with the code page. The transport
// reports its own failures through the Prompt given at construction, once:
// an address that cannot be parsed as the address followed by
// res::kAddressParseFailed (nothing is sent); a connection failure as
// res::kConnectionErrorPrefix followed by the transport's text (PostDownload
// shows the text alone). A status of 300 or above, a file to upload that
// cannot be read, and a transfer the user cancelled fail without a message.
//
// A form may send once: build a new one per request. The client, wait and
// prompt must outlive the form. Not thread-safe; use on the thread that runs
// the client's event loop.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

#include "net/HttpClient.h"
#include "net/TransferWait.h"
#include "platform/Prompt.h"

namespace qm {

// The url-encoding of bytes: A-Z, a-z, 0-9, "-", "." and "_" stay; a space
// becomes "+"; every other byte becomes "%" and two upper-case hex digits.
QByteArray UrlEncode(QByteArrayView bytes);

class ReplySink;  // how a reply is taken in; HttpForm.cpp

class CHttpForm {
 public:
  using Param = std::pair<QString, QString>;

  static constexpr QByteArrayView kBoundary = "-7da1091f160a20";
  // Longest text reply taken; a longer one fails (a message is a few lines).
  static constexpr qsizetype kMaxReplyBytes = 16 * 1024 * 1024;
  // Longest transport text shown after res::kConnectionErrorPrefix, and alone by PostDownload.
  static constexpr qsizetype kMaxErrorText = 255;
  static constexpr qsizetype kMaxDownloadErrorText = 2047;

  CHttpForm(const QString& address, HttpClient& client, TransferWait& wait, Prompt& prompt);
  CHttpForm(const CHttpForm&) = delete;
  CHttpForm& operator=(const CHttpForm&) = delete;

  // Appends a parameter; parameters are sent in the order added.
  void AddParam(const QString& name, const QString& value);

  // The url-encoded body of the parameters: name=value pairs joined by "&".
  QByteArray FormBody() const;
  // The multipart body of the parameters followed by the file part
  // ("qmp.txt", the bytes unchanged) and the closing boundary.
  QByteArray MultipartBody(QByteArrayView fileBytes) const;

  // Sends the url-encoded form. On success returns true and Reply() holds
  // the reply body decoded by its declared charset (the code page without
  // one). On failure returns false.
  bool PostForm();

  // Sends the parameters and the file at filePath as a multipart form. On
  // success returns true and Reply() holds the reply text (carriage returns
  // dropped). On failure returns false.
  bool PostMultipart(const QString& filePath);

  // Sends the url-encoded form and saves the file the server answers with in
  // folder. The file is named by the reply's "filename=" header when it has
  // one, else by the address's last path segment, either made safe by
  // SafeDownloadName, so it is always created directly inside folder. The
  // body is written to a new file as it arrives, which takes the final name
  // (replacing a file of that name) only once the reply is complete. On
  // success returns the file's path. On failure returns an empty text and
  // nothing is left in folder; when the server answered with text/plain
  // instead, Reply() holds that text (carriage returns dropped).
  QString PostDownload(const QString& folder);

  const QString& Address() const { return m_address; }
  const QString& Reply() const { return m_reply; }
  const QList<Param>& Params() const { return m_params; }

 private:
  enum class ErrorStyle { Prefixed, Alone };

  // True when the address is an http or https address with a host; else
  // reports it and returns false.
  bool CheckAddress();
  HttpHeaders BaseHeaders() const;
  // Runs request into sink and waits. True when the reply arrived whole with
  // a status below 300; otherwise false after any report the failure calls for.
  bool Run(const HttpRequest& request, ReplySink& sink, ErrorStyle style);
  void ReportTransportError(const QString& text, ErrorStyle style);

  QString m_address;
  QString m_reply;
  QList<Param> m_params;
  HttpClient& m_client;
  TransferWait& m_wait;
  Prompt& m_prompt;
};

}  // namespace qm
