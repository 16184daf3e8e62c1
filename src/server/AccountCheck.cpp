// Proving an account against its stored password digest.
#include "server/AccountCheck.h"

#include "net/RequestKey.h"
#include "server/ServiceRules.h"

namespace qm::server {

AccountProof ProveAccount(Storage& storage, const QString& mail, QStringView presented,
                          const ProofFromDigest& proofFromDigest) {
  QString digest;
  const StoreResult found = storage.PasswordDigestOf(mail, digest);
  if (found == StoreResult::kFailed) return AccountProof::kFailed;
  // The stand-in has the stored digest's length but no hexadecimal digit, so
  // no password's digest can equal it; the proof is made from it all the same.
  if (found != StoreResult::kOk) digest = QString(32, u'-');
  const bool matches = KeysEqual(proofFromDigest(digest), presented);
  return matches && found == StoreResult::kOk ? AccountProof::kProven : AccountProof::kRefused;
}

AccountProof ProvePassword(Storage& storage, const QString& mail, const QString& password) {
  return ProveAccount(storage, mail, PasswordDigest(password),
                      [](const QString& digest) { return digest; });
}

}  // namespace qm::server
