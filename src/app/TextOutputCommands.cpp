// The text output commands' target.
#include "app/TextOutputCommands.h"

#include "editing/TextOutputActions.h"
#include "res/CommandIds.h"

namespace qm {
namespace {

// Owns the behaviour its commands run. The commands are always enabled:
// every outline has at least its root to write.
class TextOutputCommands : public CommandSet<int> {
 public:
  TextOutputCommands(CQuillmapDoc& doc, SettingsStore& settings, const Clock& clock, Prompt& prompt,
                     TextOutputDialogs& dialogs, FileDialogs& files, Clipboard& clipboard)
      : m_actions(doc, settings, clock, prompt, dialogs, files, clipboard) {
    Add(kCmdTextOutput, [this] { m_actions.OutputToFile(); });
    Add(kCmdTextCopy, [this] { m_actions.CopyToClipboard(); });
    Add(kCmdTextOutputFormat, [this] { m_actions.EditFormat(); });
  }

 private:
  TextOutputActions m_actions;
};

}  // namespace

std::unique_ptr<CommandTarget> MakeTextOutputCommands(CQuillmapDoc& doc, SettingsStore& settings,
                                                      const Clock& clock, Prompt& prompt,
                                                      TextOutputDialogs& dialogs,
                                                      FileDialogs& files, Clipboard& clipboard) {
  return std::make_unique<TextOutputCommands>(doc, settings, clock, prompt, dialogs, files,
                                              clipboard);
}

}  // namespace qm
