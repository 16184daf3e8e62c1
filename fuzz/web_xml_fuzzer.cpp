// Fuzzes the XML reading of the account endpoint's replies: any bytes under
// any declared encoding read into a tree no deeper than the bound, whose
// lookups and texts are consistent.
//
// The first byte chooses a declaration to put in front (none, Shift_JIS,
// EUC-JP, UTF-8, or one naming an unknown encoding), so one corpus covers
// every decoding.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "net/XmlReader.h"

namespace {

// Replies are a few kilobytes; larger inputs only slow the search down.
constexpr size_t kMaxInput = 64 * 1024;

const char* const kDeclarations[] = {
    "",
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n",
    "<?xml version=\"1.0\" encoding=\"EUC-JP\"?>\r\n",
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n",
    "<?xml version=\"1.0\" encoding=\"x-unknown\"?>\r\n",
};

int Depth(const qm::XmlNode& node) {
  int deepest = 0;
  std::vector<std::pair<const qm::XmlNode*, int>> pending{{&node, 0}};
  while (!pending.empty()) {
    const auto [current, depth] = pending.back();
    pending.pop_back();
    if (depth > deepest) deepest = depth;
    for (const auto& child : current->children) pending.push_back({child.get(), depth + 1});
  }
  return deepest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > kMaxInput) return 0;
  const size_t choice = data[0] % std::size(kDeclarations);
  QByteArray bytes(kDeclarations[choice]);
  bytes.append(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));

  const std::unique_ptr<qm::XmlNode> document = qm::ReadXml(bytes);
  // Below the document: elements with content down to the bound, then one
  // more level of elements kept without it.
  if (Depth(*document) > qm::kMaxXmlDepth + 1) std::abort();
  const qm::XmlNode* root = document->FirstChild();
  if (root == nullptr) return 0;
  if (!document->children.empty() && document->children[0]->IsElement() == false) {
    for (const auto& child : document->children) {
      if (child->IsElement()) std::abort();  // an element would have been put first
    }
  }
  for (const char16_t* name : {u"error", u"key", u"file", u"title", u"a"}) {
    for (const qm::XmlNode* element : qm::FindXmlElements(*root, name)) {
      if (element->name != name || !element->IsElement()) std::abort();
      (void)qm::XmlText(*element);
    }
  }
  const QString text = qm::XmlText(*root);
  // Decoding references never makes a text longer.
  if (qm::DecodeXmlReferences(text).size() > text.size()) std::abort();
  (void)qm::DeclaredXmlEncoding(bytes);
  return 0;
}
