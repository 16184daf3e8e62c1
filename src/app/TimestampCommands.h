// The document's commands for timestamps and categories: the three
// timestamp display modes (a radio group), the latest-updated list and the
// category settings.
//
// The document, tree pane, settings store, prompt and dialogs must outlive
// the targets; each target owns the behaviour object behind its commands.
#pragma once

#include <memory>

#include "app/CommandTarget.h"

namespace qm {

class CQTreeView;
class CQuillmapDoc;
class CategoryDialogs;
class TimestampDialogs;
class Prompt;
class SettingsStore;

// Display modes none / updated / created (checked: the mode shown now) and
// the latest-updated list.
std::unique_ptr<CommandTarget> MakeTimestampCommands(CQuillmapDoc& doc, CQTreeView& tree,
                                                     SettingsStore& settings, Prompt& prompt,
                                                     TimestampDialogs& dialogs);
// The category settings dialog.
std::unique_ptr<CommandTarget> MakeCategoryCommands(CQuillmapDoc& doc, CQTreeView& tree,
                                                    SettingsStore& settings, Prompt& prompt,
                                                    CategoryDialogs& dialogs);

}  // namespace qm
