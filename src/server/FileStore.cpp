// The file store: each request presents the ticket the account endpoint
// issued and spends it on one upload, update or download.
#include "res/ServerStrings.h"
#include "server/ServiceLimits.h"
#include "server/ServiceReplies.h"
#include "server/ServiceRules.h"

namespace qm::server {
namespace {

ServiceReply Refuse(ServiceError error) {
  switch (error) {
    case kErrorNoSuchFile:
      return CodeServiceReply(error, res::kServerNoSuchFile);
    case kErrorBadTicket:
      return CodeServiceReply(error, res::kServerBadTicket);
    case kErrorFileTooLarge:
      return CodeServiceReply(error, res::kServerFileTooLarge);
    case kErrorInternal:
      return CodeServiceReply(error, res::kServerInternalError);
    case kErrorNoFilePart:
      return CodeServiceReply(error, res::kServerNoFilePart);
    default:
      return CodeServiceReply(kErrorBadRequest, res::kServerBadRequest);
  }
}

ServiceReply RefuseFor(StoreResult result) {
  switch (result) {
    case StoreResult::kNoTicket:
      return Refuse(kErrorBadTicket);
    case StoreResult::kNotFound:
      return Refuse(kErrorNoSuchFile);
    default:
      return Refuse(kErrorInternal);
  }
}

}  // namespace

ServiceReply HandleFileStoreRequest(const ServiceRequest& request, Storage& storage,
                                    const Clock& clock) {
  FormRequest form;
  switch (ParseForm(request, form)) {
    case FormParse::kOk:
      break;
    case FormParse::kFileTooLarge:
      return Refuse(kErrorFileTooLarge);
    default:
      return Refuse(kErrorBadRequest);
  }
  for (const char* required : {"mail", "key", "date", "fileid"}) {
    if (form.Find(required) == nullptr) return Refuse(kErrorBadRequest);
  }
  const bool download = request.path == kDownloadPath;
  const bool upload = request.path == kUploadPath;
  Ticket presented;
  presented.key = form.Text("key");
  presented.mail = form.Text("mail");
  presented.purpose = download ? QStringLiteral("read")
                      : upload ? QStringLiteral("upload")
                               : QStringLiteral("update");
  presented.fileId = form.Text("fileid");
  presented.date = form.Text("date");
  const qint64 now = clock.Now();

  if (download) {
    QByteArray content;
    QString title;
    const StoreResult result = storage.ReadWithTicket(presented, now, content, title);
    if (result != StoreResult::kOk) return RefuseFor(result);
    ServiceReply reply;
    reply.contentType = kFileContentType;
    reply.body = std::move(content);
    reply.attachmentName = DownloadName(title, presented.fileId);
    reply.account = presented.mail;
    return reply;
  }

  if (!form.hasFile) return Refuse(kErrorNoFilePart);
  const StoreResult result = upload ? storage.CreateWithTicket(presented, now, form.file)
                                    : storage.UpdateWithTicket(presented, now, form.file);
  if (result != StoreResult::kOk) return RefuseFor(result);
  ServiceReply reply = CodeServiceReply(kOk, res::kServerOk);
  reply.account = presented.mail;
  return reply;
}

}  // namespace qm::server
