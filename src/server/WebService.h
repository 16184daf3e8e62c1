// WebService: the service's four endpoints as plain functions of a request
// and a Storage, without sockets, so that tests and fuzzers reach every rule
// the listener does. The listener (HttpServer) only moves bytes.
//
// Every reply is HTTP 200 unless the path is unknown: the window reports
// nothing for a refused status, so refusals travel inside the reply, as
// "error"/"errormes" elements or as a code and message.
#pragma once

#include <QByteArray>
#include <QString>

#include "platform/Clock.h"
#include "server/Storage.h"

namespace qm::server {

struct ServiceRequest {
  QByteArray path;         // "/qmp/qmpfile.php", "/qmpupload", "/qmpdownload" or "/qmpupdate"
  QByteArray contentType;  // as sent
  QByteArray body;         // whole, already bounded by the listener
};

struct ServiceReply {
  int status = 200;
  QByteArray contentType;
  QByteArray body;
  QString attachmentName;  // set for a download: the name its header offers
  QString account;         // the account the request proved to be, for the log
};

inline constexpr char kAccountPath[] = "/qmp/qmpfile.php";
inline constexpr char kUploadPath[] = "/qmpupload";
inline constexpr char kDownloadPath[] = "/qmpdownload";
inline constexpr char kUpdatePath[] = "/qmpupdate";

// Answers one request. storage and clock are used for this call only.
ServiceReply HandleServiceRequest(const ServiceRequest& request, Storage& storage,
                                  const Clock& clock);

// The content types of the replies: the code page is named so that any
// reader decodes the bytes as they were written.
inline constexpr char kXmlContentType[] = "text/xml; charset=Shift_JIS";
inline constexpr char kTextContentType[] = "text/plain; charset=Shift_JIS";
inline constexpr char kFileContentType[] = "application/octet-stream";

}  // namespace qm::server
