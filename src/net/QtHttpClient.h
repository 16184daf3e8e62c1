// QtHttpClient: the HTTP port over QtNetwork.
//
// Requests go through the system's proxy settings. HTTPS verifies the
// server's certificate; a certificate problem fails the transfer with Qt's
// text for it and is never ignored. Redirects are not followed: a 3xx status
// reaches the caller like any other status. A transfer that receives nothing
// for kStallTimeoutMs fails. Lives on one thread with an event loop; every
// transfer it starts must end or be destroyed before it is.
#pragma once

#include <QNetworkAccessManager>

#include "net/HttpClient.h"

namespace qm {

class QtHttpClient : public HttpClient {
 public:
  static constexpr int kStallTimeoutMs = 60000;

  QtHttpClient();
  ~QtHttpClient() override;

  std::unique_ptr<HttpTransfer> Post(const HttpRequest& request, HttpSink& sink) override;

 private:
  QNetworkAccessManager m_manager;
};

}  // namespace qm
