// KeychainSecretStore: the desktop's keyring (the Secret Service of the
// session, through QtKeychain) as the program's SecretStore.
//
// Every call starts a keyring job and waits for it on a local event loop
// that holds user input off, at most kTimeoutMs: a keyring that asks the
// user to unlock it may take a while, one that hangs counts as unavailable.
// Not thread-safe: the user-interface thread owns it.
#pragma once

#include "platform/SecretStore.h"

namespace qm {

class KeychainSecretStore : public SecretStore {
 public:
  static constexpr int kTimeoutMs = 30000;

  KeychainSecretStore() = default;
  ReadResult Read(const QString& key) override;
  Status Write(const QString& key, const QString& secret) override;
  Status Remove(const QString& key) override;
};

}  // namespace qm
