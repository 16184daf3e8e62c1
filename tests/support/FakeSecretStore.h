// FakeSecretStore: a keyring in memory that can be made unavailable, and
// counts what it was asked.
#pragma once

#include <QHash>

#include "platform/SecretStore.h"

namespace qm::test {

class FakeSecretStore : public SecretStore {
 public:
  ReadResult Read(const QString& key) override {
    ++reads;
    if (!available) return {Status::Unavailable, {}};
    const auto it = secrets.constFind(key);
    if (it == secrets.cend()) return {Status::NotFound, {}};
    return {Status::Ok, *it};
  }
  Status Write(const QString& key, const QString& secret) override {
    if (!available) return Status::Unavailable;
    secrets.insert(key, secret);
    return Status::Ok;
  }
  Status Remove(const QString& key) override {
    if (!available) return Status::Unavailable;
    secrets.remove(key);
    return Status::Ok;
  }

  bool available = true;
  int reads = 0;
  QHash<QString, QString> secrets;
};

}  // namespace qm::test
