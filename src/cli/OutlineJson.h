// WriteOutlineJson: an outline store as the JSON object `quillmap-cli dump`
// prints — its nodes, categories and chapter heading styles — written as it
// goes rather than built in memory. Scripts and later checks read this
// shape and these exact bytes; keep them stable.
#pragma once

namespace qm {

class CTreeStore;
class JsonWriter;

// Recounts the chapter characters first, so every node's "chapter" is
// current. Returns writer.Ok(): false when the writer's sink refused text,
// in which case writing stopped early and the output is incomplete.
bool WriteOutlineJson(CTreeStore& store, JsonWriter& writer);

}  // namespace qm
