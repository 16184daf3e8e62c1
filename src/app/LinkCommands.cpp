// The tree pane's link-file commands bound to CLinkFiles.
#include "app/LinkCommands.h"

#include "editing/LinkFiles.h"
#include "res/CommandIds.h"

namespace qm {
namespace {

struct LinkState {
  bool hasNode;
};

}  // namespace

std::unique_ptr<CommandTarget> MakeLinkTreeCommands(CLinkFiles& links) {
  auto set = std::make_unique<CommandSet<LinkState>>(
      [&links] { return LinkState{links.HasSelectedNode()}; });
  const auto rule = [](const LinkState& s) { return EnabledIf(s.hasNode); };
  set->Add(
      kCmdOpenLinkFile, [&links] { links.OpenLinkFile(); }, rule);
  set->Add(
      kCmdLinkToNode, [&links] { links.CopyLinkToNode(); }, rule);
  return set;
}

}  // namespace qm
