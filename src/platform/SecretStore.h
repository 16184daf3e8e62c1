// SecretStore: the desktop's keeper of secrets (its keyring), where the web
// account's password is kept instead of the settings file when there is one.
//
// Each call waits for the keyring's answer; a keyring that does not answer
// in time counts as unavailable. Implementations: the desktop's keyring in
// the window, a fake in tests. Not thread-safe: the user-interface thread
// owns it.
#pragma once

#include <QString>

namespace qm {

class SecretStore {
 public:
  enum class Status {
    Ok,
    NotFound,     // the keyring works but holds nothing under the key
    Unavailable,  // no keyring, or it refused or did not answer
  };
  struct ReadResult {
    Status status = Status::Unavailable;
    QString secret;  // when Ok
  };

  virtual ~SecretStore() = default;
  SecretStore(const SecretStore&) = delete;
  SecretStore& operator=(const SecretStore&) = delete;

  virtual ReadResult Read(const QString& key) = 0;
  // Ok or Unavailable.
  virtual Status Write(const QString& key, const QString& secret) = 0;
  // Ok (also when nothing was kept under key) or Unavailable.
  virtual Status Remove(const QString& key) = 0;

 protected:
  SecretStore() = default;
};

}  // namespace qm
