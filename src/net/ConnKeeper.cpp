// CConnKeeper: the quick check, the worker that raises and holds a link, and
// the user-interface thread's wait for it.
#include "net/ConnKeeper.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <thread>

#include "net/TransferWait.h"
#include "res/NetStrings.h"

namespace qm {

// Each worker has its own state, so a worker being stopped can never write
// into the status the next one reports.
struct CConnKeeper::Worker {
  std::atomic<quint32> status{0};
  std::atomic<bool> keepCached{false};
  std::atomic<bool> cancel{false};
  std::atomic<bool> done{false};
  std::thread thread;
};

namespace {

QString SchemeAndHost(const QString& address) {
  const QUrl url(address);
  if (!url.isValid() || url.host().isEmpty()) return address;
  return url.scheme() + QStringLiteral("://") + url.host();
}

}  // namespace

CConnKeeper::CConnKeeper(ConnectionManager& manager, Prompt& prompt)
    : m_manager(manager), m_prompt(prompt), m_pause(PauseWithoutUserInput) {}

CConnKeeper::~CConnKeeper() { ShutDown(); }

bool CConnKeeper::WorkerRunning() const { return m_worker != nullptr && !m_worker->done; }

quint32 CConnKeeper::WorkerStatus() const { return m_worker ? m_worker->status.load() : 0; }

bool CConnKeeper::EnsureConnection(const QString& hostAddress) {
  if (!m_manager.RaisesLinks()) return true;
  if (!m_mappingAddress.isEmpty() && QuickCheck()) return true;

  const QString address = SchemeAndHost(hostAddress);
  QByteArray destination;
  if (!m_manager.MapAddress(address, &destination)) return Fail();
  m_mappingAddress = address;

  StopWorker();
  m_worker = std::make_unique<Worker>();
  Worker& worker = *m_worker;
  worker.thread = std::thread([this, &worker, destination] { RunWorker(worker, destination); });

  for (int waited = 0;; waited += kPollMs) {
    m_pause(kPollMs);
    const quint32 status = worker.status;
    if (status == kLinkConnected) return true;
    // A worker that ended without a final status (it could not even ask)
    // and a link that never comes up count as failures: the wait must end.
    if ((status & kLinkFinalBit) != 0 || worker.done || waited + kPollMs >= kGiveUpMs) {
      if (!worker.done) StopWorker();
      return Fail();
    }
  }
}

bool CConnKeeper::QuickCheck() {
  QByteArray destination;
  if (!m_manager.MapAddress(m_mappingAddress, &destination)) return false;
  LinkRequestOptions options;
  options.maxLatencyMs = kCheckLatencyMs;
  options.checkOnly = true;
  const std::unique_ptr<LinkRequest> check = m_manager.RequestLink(destination, options);
  if (check == nullptr) return false;
  quint32 status = 0;
  const bool available = check->WaitForChange(kCheckWaitMs) && check->ReadStatus(&status) &&
                         (status == kLinkConnected || status == kLinkDisabled);
  check->Release(false);
  return available;
}

bool CConnKeeper::Fail() {
  m_prompt.Ask(res::kAutoConnectFailed.toString(), PromptButtons::Ok, PromptIcon::Error);
  return false;
}

void CConnKeeper::RunWorker(Worker& worker, QByteArray destination) {
  LinkRequestOptions options;
  const std::unique_ptr<LinkRequest> request = m_manager.RequestLink(destination, options);
  if (request == nullptr) {
    OnFailure(kLinkFailed);
    worker.keepCached = false;
    worker.status = kLinkFailed;
    OnFinished();
    worker.done = true;
    return;
  }
  OnConnecting();
  while (!worker.cancel) {
    if (!request->WaitForChange(kWorkerWaitMs)) continue;
    quint32 status = 0;
    if (!request->ReadStatus(&status)) {
      worker.status = kLinkFailed;
      break;
    }
    worker.status = status;
    bool keepCached = worker.keepCached;
    const int answer = OnStatus(status, &keepCached);
    worker.keepCached = keepCached;
    if (answer != 0) break;
  }
  OnFinished();
  request->Release(worker.keepCached);
  worker.done = true;
}

int CConnKeeper::OnStatus(quint32 status, bool* keepCached) {
  if ((status & kLinkFinalBit) == 0) {
    if (status == kLinkConnected) OnConnected();
    if ((status & kLinkWaitingBit) != 0) OnWaiting();
    return 0;
  }
  if (status == kLinkDisconnected) {
    *keepCached = true;
    return OnDisconnected();
  }
  *keepCached = false;
  return OnFailure(status);
}

int CConnKeeper::OnFailure(quint32 status) {
  m_manager.ReportLinkFailure(status);
  return 1;
}

void CConnKeeper::StopWorker() {
  if (m_worker == nullptr) return;
  m_worker->cancel = true;
  if (m_worker->thread.joinable()) m_worker->thread.join();
  m_worker.reset();
}

void CConnKeeper::Disconnect() { StopWorker(); }

void CConnKeeper::ShutDown() {
  StopWorker();
  m_mappingAddress.clear();
}

}  // namespace qm
