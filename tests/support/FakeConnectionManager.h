// FakeConnectionManager: a connection manager whose link requests go through
// the statuses a test delivers, one at a time, from any thread.
//
// The quick check answers checkAnswer at once (none: it times out). The
// worker's request reports each status given to Deliver as one change.
// Everything it records is read under its lock.
#pragma once

#include <QList>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "platform/ConnectionManager.h"

namespace qm::test {

class FakeConnectionManager : public ConnectionManager {
 public:
  struct Counts {
    int maps = 0;
    int checks = 0;
    int requests = 0;  // requests that raise a link (not checks)
    int releases = 0;  // releases of those
    bool lastKeepCached = false;
    QList<quint32> reported;  // statuses of ReportLinkFailure
    QList<QString> mapped;    // addresses asked for
  };

  // Settings; change them between calls, not during one.
  bool raisesLinks = true;
  bool mapSucceeds = true;
  bool requestSucceeds = true;
  bool statusReadFails = false;
  std::optional<quint32> checkAnswer;

  void Deliver(quint32 status) {
    {
      std::lock_guard lock(m_mutex);
      m_pending.push_back(status);
    }
    m_changed.notify_all();
  }

  Counts Snapshot() const {
    std::lock_guard lock(m_mutex);
    return m_counts;
  }

  bool RaisesLinks() const override { return raisesLinks; }

  bool MapAddress(const QString& address, QByteArray* destination) override {
    std::lock_guard lock(m_mutex);
    ++m_counts.maps;
    m_counts.mapped.append(address);
    if (!mapSucceeds) return false;
    *destination = QByteArray(16, '\x42');
    return true;
  }

  std::unique_ptr<LinkRequest> RequestLink(const QByteArray&,
                                           const LinkRequestOptions& options) override {
    std::lock_guard lock(m_mutex);
    if (options.checkOnly) {
      ++m_counts.checks;
      return std::make_unique<Check>(checkAnswer);
    }
    if (!requestSucceeds) return nullptr;
    ++m_counts.requests;
    return std::make_unique<Request>(*this);
  }

  void ReportLinkFailure(quint32 status) override {
    std::lock_guard lock(m_mutex);
    m_counts.reported.append(status);
  }

 private:
  class Check : public LinkRequest {
   public:
    explicit Check(std::optional<quint32> answer) : m_answer(answer) {}
    bool WaitForChange(int) override { return m_answer.has_value(); }
    bool ReadStatus(quint32* status) override {
      if (!m_answer) return false;
      *status = *m_answer;
      return true;
    }
    void Release(bool) override {}

   private:
    std::optional<quint32> m_answer;
  };

  class Request : public LinkRequest {
   public:
    explicit Request(FakeConnectionManager& owner) : m_owner(owner) {}
    bool WaitForChange(int timeoutMs) override {
      std::unique_lock lock(m_owner.m_mutex);
      if (!m_owner.m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                      [this] { return !m_owner.m_pending.empty(); })) {
        return false;
      }
      m_status = m_owner.m_pending.front();
      m_owner.m_pending.pop_front();
      return true;
    }
    bool ReadStatus(quint32* status) override {
      std::lock_guard lock(m_owner.m_mutex);
      if (m_owner.statusReadFails) return false;
      *status = m_status;
      return true;
    }
    void Release(bool keepCached) override {
      std::lock_guard lock(m_owner.m_mutex);
      ++m_owner.m_counts.releases;
      m_owner.m_counts.lastKeepCached = keepCached;
    }

   private:
    FakeConnectionManager& m_owner;
    quint32 m_status = 0;
  };

  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<quint32> m_pending;
  Counts m_counts;
};

}  // namespace qm::test
