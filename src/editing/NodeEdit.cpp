// NodeEdit: the OK rule of the node edit dialog.
#include "editing/NodeEdit.h"

#include "model/DirData.h"
#include "res/Strings.h"

namespace qm {

std::optional<QString> ValidateNodeEdit(const NodeEditResult& result) {
  if (CDirData::SanitizeLine(result.title).isEmpty()) return res::kNoTitleEntered.toString();
  return std::nullopt;
}

}  // namespace qm
