// AccountCheck: the one way the service proves who is asking, shared by the
// account endpoint (a request key bound to a date) and the browser sign-in
// (a password). Both compare a proof made from the stored password digest
// with the one presented, in time that does not depend on where they differ.
//
// An unknown account is checked against a stand-in digest and refused
// whatever was presented, so its answer takes as long as a wrong password's
// and the caller can say the same for both.
#pragma once

#include <QString>
#include <QStringView>
#include <functional>

#include "server/Storage.h"

namespace qm::server {

enum class AccountProof {
  kProven,
  kRefused,  // no such account, or a proof that does not match
  kFailed,   // the storage could not answer
};

// Makes the proof the account's stored digest stands for.
using ProofFromDigest = std::function<QString(const QString& digest)>;

AccountProof ProveAccount(Storage& storage, const QString& mail, QStringView presented,
                          const ProofFromDigest& proofFromDigest);

// ProveAccount for a password typed into the sign-in form.
AccountProof ProvePassword(Storage& storage, const QString& mail, const QString& password);

}  // namespace qm::server
