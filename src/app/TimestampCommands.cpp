// The timestamp and category commands bound to CTimestamps and CCategorySettings.
#include "app/TimestampCommands.h"

#include <utility>

#include "editing/CategoryEditor.h"
#include "editing/Timestamps.h"
#include "model/TreeStore.h"
#include "res/CommandIds.h"

namespace qm {

std::unique_ptr<CommandTarget> MakeTimestampCommands(CQuillmapDoc& doc, CQTreeView& tree,
                                                     SettingsStore& settings, Prompt& prompt,
                                                     TimestampDialogs& dialogs) {
  // Shared by the actions and the state reader, so it lives as long as the set.
  auto timestamps = std::make_shared<CTimestamps>(doc, tree, settings, prompt, dialogs);
  auto set = std::make_unique<CommandSet<int>>([timestamps] { return timestamps->DisplayMode(); });
  const std::pair<int, int> modes[] = {
      {kCmdTimeDisplayNone, CTreeStore::kTimeDisplayNone},
      {kCmdTimeDisplayUpdated, CTreeStore::kTimeDisplayUpdated},
      {kCmdTimeDisplayCreated, CTreeStore::kTimeDisplayCreated},
  };
  for (const auto& [id, mode] : modes) {
    set->Add(
        id, [timestamps, mode] { timestamps->SetDisplayMode(mode); },
        [mode](const int& shown) { return CheckedIf(shown == mode); });
  }
  set->Add(kCmdLatestUpdated, [timestamps] { timestamps->ShowLatestUpdated(); });
  return set;
}

std::unique_ptr<CommandTarget> MakeCategoryCommands(CQuillmapDoc& doc, CQTreeView& tree,
                                                    SettingsStore& settings, Prompt& prompt,
                                                    CategoryDialogs& dialogs) {
  auto categories = std::make_shared<CCategorySettings>(doc, tree, settings, prompt, dialogs);
  auto set = std::make_unique<CommandSet<int>>();
  set->Add(kCmdCategories, [categories] { categories->Run(); });
  return set;
}

}  // namespace qm
