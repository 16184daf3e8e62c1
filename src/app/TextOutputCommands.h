// The tree pane's text output commands: output to a file, text copy and
// the output format dialog, bound to their behaviour.
//
// The document, settings store, clock, prompt, dialogs and clipboard must
// outlive the target.
#pragma once

#include <memory>

#include "app/CommandTarget.h"

namespace qm {

class CQuillmapDoc;
class Clipboard;
class Clock;
class FileDialogs;
class TextOutputDialogs;
class Prompt;
class SettingsStore;

std::unique_ptr<CommandTarget> MakeTextOutputCommands(CQuillmapDoc& doc, SettingsStore& settings,
                                                      const Clock& clock, Prompt& prompt,
                                                      TextOutputDialogs& dialogs,
                                                      FileDialogs& files, Clipboard& clipboard);

}  // namespace qm
