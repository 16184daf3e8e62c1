// The tree pane's and the body pane's settings command.
#include "app/SettingsCommands.h"

#include "app/SettingsSheet.h"
#include "editing/BodyPane.h"
#include "res/CommandIds.h"

namespace qm {

SettingsTargets MakeSettingsTargets(std::shared_ptr<SettingsSheet> sheet, CQEditView& body) {
  auto tree = std::make_unique<CommandSet<int>>();
  tree->Add(kCmdSettings, [sheet] { sheet->Run(); });

  auto bodySet = std::make_unique<CommandSet<int>>();
  bodySet->Add(kCmdSettings, [sheet, &body] {
    body.ApplyFirstLineTitle();
    sheet->Run();
    body.Focus();
  });
  return SettingsTargets{std::move(tree), std::move(bodySet)};
}

}  // namespace qm
