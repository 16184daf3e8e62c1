// Dispatch by path, and the replies every endpoint shares.
#include "server/WebService.h"

#include <QDateTime>

#include "net/RequestKey.h"
#include "platform/CodePage.h"
#include "server/ServiceReplies.h"
#include "server/XmlReply.h"

namespace qm::server {

ServiceReply XmlServiceReply(QByteArray xml) {
  ServiceReply reply;
  reply.contentType = kXmlContentType;
  reply.body = std::move(xml);
  return reply;
}

ServiceReply XmlErrorServiceReply(int code, QStringView message) {
  return XmlServiceReply(XmlErrorReply(code, message));
}

ServiceReply CodeServiceReply(int code, QStringView message) {
  ServiceReply reply;
  reply.contentType = kTextContentType;
  CodePage codePage;
  reply.body = codePage.Encode(QString::number(code) + u'\n' + message.toString());
  return reply;
}

FormParse ParseForm(const ServiceRequest& request, FormRequest& form) {
  if (IsMultipartType(request.contentType)) {
    return ParseMultipart(request.contentType, request.body, form);
  }
  return ParseUrlEncoded(request.body, form);
}

QString ServerDateText(qint64 now) {
  return TicketDateText(QDateTime::fromSecsSinceEpoch(now).toLocalTime());
}

ServiceReply HandleServiceRequest(const ServiceRequest& request, Storage& storage,
                                  const Clock& clock) {
  if (request.path == kAccountPath) return HandleAccountRequest(request, storage, clock);
  if (request.path == kUploadPath || request.path == kDownloadPath || request.path == kUpdatePath) {
    return HandleFileStoreRequest(request, storage, clock);
  }
  ServiceReply reply;
  reply.status = 404;
  return reply;
}

}  // namespace qm::server
