// ConnectionManager: the platform's manager of network links, for hosts that
// raise a link (modem, mobile data) only on request and drop it when nobody
// holds it. The web client's connection keeper (net/ConnKeeper.h) drives it.
//
// Statuses are the manager's own numbers: kLinkConnected; kLinkDisconnected;
// any value with kLinkFinalBit set is a final failure or end (kLinkFailed,
// kLinkCancelled, kLinkDisabled, ...); any value with kLinkWaitingBit set is
// a waiting state.
//
// AlwaysConnected, the default on a desktop, says the host needs none of
// this: a link is always there, and nothing else of the port is called.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>

namespace qm {

inline constexpr quint32 kLinkConnected = 0x10;
inline constexpr quint32 kLinkDisconnected = 0x20;
inline constexpr quint32 kLinkFailed = 0x21;
inline constexpr quint32 kLinkCancelled = 0x22;
inline constexpr quint32 kLinkDisabled = 0x23;  // could be raised, but the check did not
inline constexpr quint32 kLinkFinalBit = 0x20;
inline constexpr quint32 kLinkWaitingBit = 0x40;
inline constexpr quint32 kLinkPriorityUserInteractive = 0x8000;

struct LinkRequestOptions {
  int maxLatencyMs = 0;  // 0: no limit
  quint32 priority = kLinkPriorityUserInteractive;
  // Only ask whether a link exists or could be raised; never raise one.
  bool checkOnly = false;
};

// One pending or held request for a link. Its functions may be called from
// any one thread at a time (the keeper's worker thread holds it).
class LinkRequest {
 public:
  virtual ~LinkRequest() = default;
  LinkRequest(const LinkRequest&) = delete;
  LinkRequest& operator=(const LinkRequest&) = delete;

  // Waits at most timeoutMs for the request's status to change. Returns true
  // when it changed since the last call, false after the time-out.
  virtual bool WaitForChange(int timeoutMs) = 0;
  // On success returns true with *status the current status. On failure
  // returns false.
  virtual bool ReadStatus(quint32* status) = 0;
  // Gives the request up; the link may then drop unless keepCached. Called
  // once, last.
  virtual void Release(bool keepCached) = 0;

 protected:
  LinkRequest() = default;
};

class ConnectionManager {
 public:
  virtual ~ConnectionManager() = default;
  ConnectionManager(const ConnectionManager&) = delete;
  ConnectionManager& operator=(const ConnectionManager&) = delete;

  // False when the host needs no link raised: every web request may go ahead.
  virtual bool RaisesLinks() const = 0;
  // On success returns true with *destination the network that reaches
  // address (scheme and host). On failure returns false.
  virtual bool MapAddress(const QString& address, QByteArray* destination) = 0;
  // Asks for a link to destination. Returns null when the request cannot be
  // made.
  virtual std::unique_ptr<LinkRequest> RequestLink(const QByteArray& destination,
                                                   const LinkRequestOptions& options) = 0;
  // Shows the platform's own report of a failed link attempt with status.
  // May be called from the keeper's worker thread.
  virtual void ReportLinkFailure(quint32 status) = 0;

 protected:
  ConnectionManager() = default;
};

class AlwaysConnected : public ConnectionManager {
 public:
  AlwaysConnected() = default;
  bool RaisesLinks() const override { return false; }
  bool MapAddress(const QString&, QByteArray*) override { return false; }
  std::unique_ptr<LinkRequest> RequestLink(const QByteArray&, const LinkRequestOptions&) override {
    return nullptr;
  }
  void ReportLinkFailure(quint32) override {}
};

}  // namespace qm
