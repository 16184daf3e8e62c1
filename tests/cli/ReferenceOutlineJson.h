// ReferenceDump: what `quillmap-cli dump` printed when it built the whole
// outline as a QJsonObject and let QJsonDocument write it. The streaming
// writer must give these bytes exactly, so the tests keep this as the
// measure to compare with.
#pragma once

#include <QByteArray>

namespace qm {

class CTreeStore;

namespace test {

// The compact JSON of the store (no line end). Recounts the chapters first.
QByteArray ReferenceDump(CTreeStore& store);

}  // namespace test
}  // namespace qm
