// The account endpoint: proves the account by its request key and date, and
// hands out what the mode asks for — the list of files, or a ticket for one
// file-store request.
#include <QDateTime>

#include "net/RequestKey.h"
#include "res/ServerStrings.h"
#include "server/AccountCheck.h"
#include "server/ServiceLimits.h"
#include "server/ServiceReplies.h"
#include "server/ServiceRules.h"
#include "server/XmlReply.h"

namespace qm::server {
namespace {

ServiceReply Refuse(ServiceError error) {
  switch (error) {
    case kErrorWrongAccount:
      return XmlErrorServiceReply(error, res::kServerWrongAccount);
    case kErrorBadDate:
      return XmlErrorServiceReply(error, res::kServerBadDate);
    case kErrorReplayedKey:
      return XmlErrorServiceReply(error, res::kServerReplayedKey);
    case kErrorNoSuchFile:
      return XmlErrorServiceReply(error, res::kServerNoSuchFile);
    case kErrorBadTitle:
      return XmlErrorServiceReply(error, res::kServerBadTitle);
    case kErrorInternal:
      return XmlErrorServiceReply(error, res::kServerInternalError);
    default:
      return XmlErrorServiceReply(kErrorBadRequest, res::kServerBadRequest);
  }
}

bool TitleAcceptable(const QString& title) {
  return title.size() <= kMaxTitleLength && !HasControlCharacter(title);
}

QString UpdateText(qint64 updated) {
  return QDateTime::fromSecsSinceEpoch(updated).toLocalTime().toString(
      QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

// Issues a ticket for purpose on fileId and answers with it.
ServiceReply TicketReply(Storage& storage, qint64 now, const QString& mail, const QString& purpose,
                         const QString& fileId, const QString& title) {
  Ticket ticket{RandomToken(),
                mail,
                purpose,
                fileId,
                title,
                ServerDateText(now),
                now + kTicketLifetimeSeconds};
  if (storage.IssueTicket(ticket) != StoreResult::kOk) return Refuse(kErrorInternal);
  XmlReply reply;
  reply.Add(u"key", ticket.key);
  reply.Add(u"date", ticket.date);
  reply.Add(u"title", title);
  reply.Add(u"fileid", fileId);
  return XmlServiceReply(reply.ToBytes());
}

ServiceReply ListReply(Storage& storage, qint64 now, const QString& mail) {
  QList<FileEntry> files;
  if (storage.ListFiles(mail, files) != StoreResult::kOk) return Refuse(kErrorInternal);
  XmlReply reply;
  reply.Add(u"date", ServerDateText(now));
  for (const FileEntry& file : files) {
    reply.Open(u"file");
    reply.Add(u"title", file.title);
    reply.Add(u"fileid", file.fileId);
    reply.Add(u"update", UpdateText(file.updated));
    reply.Close(u"file");
  }
  return XmlServiceReply(reply.ToBytes());
}

}  // namespace

ServiceReply HandleAccountRequest(const ServiceRequest& request, Storage& storage,
                                  const Clock& clock) {
  FormRequest form;
  if (ParseForm(request, form) != FormParse::kOk) return Refuse(kErrorBadRequest);
  for (const char* required : {"mode", "mail", "pass", "date"}) {
    if (form.Find(required) == nullptr) return Refuse(kErrorBadRequest);
  }
  const QString mode = form.Text("mode");
  if (mode != u"list" && mode != u"read" && mode != u"saveas" && mode != u"save") {
    return Refuse(kErrorBadRequest);
  }
  const qint64 now = clock.Now();
  const QString date = form.Text("date");
  const std::optional<qint64> sent = ParseRequestDate(date);
  if (!sent || !DateWithinWindow(*sent, now)) return Refuse(kErrorBadDate);

  const QString mail = form.Text("mail");
  const QString key = form.Text("pass");
  // An unknown account answers as a wrong password does, in as long.
  switch (ProveAccount(storage, mail, key, [&date](const QString& digest) {
    return RequestKeyFromDigest(digest, date);
  })) {
    case AccountProof::kProven:
      break;
    case AccountProof::kRefused:
      return Refuse(kErrorWrongAccount);
    case AccountProof::kFailed:
      return Refuse(kErrorInternal);
  }
  // Only a proven key is remembered, so nobody but the account can fill the table.
  switch (storage.RememberKey(mail, key, now + kUsedKeyMemorySeconds, now)) {
    case StoreResult::kOk:
      break;
    case StoreResult::kExists:
      return Refuse(kErrorReplayedKey);
    default:
      return Refuse(kErrorInternal);
  }

  ServiceReply reply = [&] {
    if (mode == u"list") return ListReply(storage, now, mail);
    const QString title = form.Text("title");
    if (mode == u"saveas") {
      if (form.Find("title") == nullptr) return Refuse(kErrorBadRequest);
      if (!TitleAcceptable(title)) return Refuse(kErrorBadTitle);
      return TicketReply(storage, now, mail, QStringLiteral("upload"), RandomToken(), title);
    }
    const QString fileId = form.Text("fileid");
    if (fileId.isEmpty()) return Refuse(kErrorBadRequest);
    FileEntry file;
    switch (storage.FindFile(mail, fileId, file)) {
      case StoreResult::kOk:
        break;
      case StoreResult::kNotFound:
        return Refuse(kErrorNoSuchFile);
      default:
        return Refuse(kErrorInternal);
    }
    if (mode == u"read")
      return TicketReply(storage, now, mail, QStringLiteral("read"), fileId, file.title);
    if (form.Find("title") == nullptr) return Refuse(kErrorBadRequest);
    if (!TitleAcceptable(title)) return Refuse(kErrorBadTitle);
    return TicketReply(storage, now, mail, QStringLiteral("update"), fileId, title);
  }();
  reply.account = mail;
  return reply;
}

}  // namespace qm::server
