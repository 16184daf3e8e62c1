// The settings command (設定) as command targets of the two panes. The tree
// pane runs the sheet; the body pane first lets its first line become the
// title, then runs the same sheet and takes the focus back, as it does for
// adding nodes.
#pragma once

#include <memory>

#include "app/CommandTarget.h"

namespace qm {

class CQEditView;
class SettingsSheet;

struct SettingsTargets {
  std::unique_ptr<CommandTarget> tree;
  std::unique_ptr<CommandTarget> body;
};

// The targets share ownership of sheet; body must outlive them.
SettingsTargets MakeSettingsTargets(std::shared_ptr<SettingsSheet> sheet, CQEditView& body);

}  // namespace qm
