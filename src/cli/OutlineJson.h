// OutlineToJson: an outline store as the JSON object `quillmap-cli dump`
// prints — its nodes, categories and chapter heading styles. Scripts and
// later checks read this shape; keep it stable.
#pragma once

#include <QJsonObject>

namespace qm {

class CTreeStore;

// Recounts the chapter characters first, so every node's "chapter" is current.
QJsonObject OutlineToJson(CTreeStore& store);

}  // namespace qm
