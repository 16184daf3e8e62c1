// KeychainSecretStore: one keyring job per call, waited for.
#include "gui/KeychainSecretStore.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>

namespace qm {
namespace {

// The service name the keyring files the program's secrets under.
const QString kService = QStringLiteral("Quillmap");

// Starts job and waits for it to finish. False when it did not in time.
bool Run(QKeychain::Job& job) {
  // Never the settings file: a keyring that is missing must say so, so
  // that the caller keeps the password its own way and tells the user.
  job.setInsecureFallback(false);
  job.setAutoDelete(false);
  QEventLoop loop;
  bool finished = false;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
    finished = true;
    loop.quit();
  });
  QTimer::singleShot(KeychainSecretStore::kTimeoutMs, &loop, &QEventLoop::quit);
  job.start();
  if (!finished) loop.exec(QEventLoop::ExcludeUserInputEvents);
  return finished;
}

}  // namespace

SecretStore::ReadResult KeychainSecretStore::Read(const QString& key) {
  // On the heap: a job that did not finish in time may still report later,
  // so it is left to delete itself then.
  auto* job = new QKeychain::ReadPasswordJob(kService);
  job->setKey(key);
  if (!Run(*job)) {
    job->setAutoDelete(true);
    return {Status::Unavailable, {}};
  }
  ReadResult result;
  switch (job->error()) {
    case QKeychain::NoError:
      result = {Status::Ok, job->textData()};
      break;
    case QKeychain::EntryNotFound:
      result = {Status::NotFound, {}};
      break;
    default:
      result = {Status::Unavailable, {}};
      break;
  }
  delete job;
  return result;
}

SecretStore::Status KeychainSecretStore::Write(const QString& key, const QString& secret) {
  auto* job = new QKeychain::WritePasswordJob(kService);
  job->setKey(key);
  job->setTextData(secret);
  if (!Run(*job)) {
    job->setAutoDelete(true);
    return Status::Unavailable;
  }
  const Status status = job->error() == QKeychain::NoError ? Status::Ok : Status::Unavailable;
  delete job;
  return status;
}

SecretStore::Status KeychainSecretStore::Remove(const QString& key) {
  auto* job = new QKeychain::DeletePasswordJob(kService);
  job->setKey(key);
  if (!Run(*job)) {
    job->setAutoDelete(true);
    return Status::Unavailable;
  }
  const QKeychain::Error error = job->error();
  delete job;
  return error == QKeychain::NoError || error == QKeychain::EntryNotFound ? Status::Ok
                                                                          : Status::Unavailable;
}

}  // namespace qm
