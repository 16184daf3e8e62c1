// The replies and form reading the endpoints share.
#pragma once

#include <QStringView>

#include "server/FormBody.h"
#include "server/WebService.h"

namespace qm::server {

// An account endpoint reply: the XML bytes as they stand.
ServiceReply XmlServiceReply(QByteArray xml);
// The account endpoint's refusal: "error" and "errormes".
ServiceReply XmlErrorServiceReply(int code, QStringView message);
// The file store's reply: the code, a line feed and the message, in the code page.
ServiceReply CodeServiceReply(int code, QStringView message);

// Reads the body as the form its content type names (multipart or else
// url-encoded).
FormParse ParseForm(const ServiceRequest& request, FormRequest& form);

// The date text the server hands out with a ticket: its own local time now.
QString ServerDateText(qint64 now);

ServiceReply HandleAccountRequest(const ServiceRequest& request, Storage& storage,
                                  const Clock& clock);
ServiceReply HandleFileStoreRequest(const ServiceRequest& request, Storage& storage,
                                    const Clock& clock);

}  // namespace qm::server
