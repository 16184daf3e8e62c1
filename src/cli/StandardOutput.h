// StandardOutput: what the command-line tool prints, written so that a
// failed write is noticed: a full disk or a closed pipe behind stdout must
// not end in exit status 0 with half a JSON.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdio>

namespace qm {

// Writes all of bytes to stream and flushes it. On success returns true. On
// failure returns false and *why (when given) holds the reason as
// FailureReason gives it.
bool WriteAll(std::FILE* stream, QByteArrayView bytes, QString* why = nullptr);
// Flushes and closes stream, which catches errors reported only on close.
bool CloseStream(std::FILE* stream, QString* why = nullptr);

}  // namespace qm
