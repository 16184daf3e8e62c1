// SettingsSheet: the settings command ("設定") without its window — where
// the sheet's values start, the check OK makes, and how OK puts the values
// into effect in the running program and the settings store.
//
// Most values live in the settings store alone: the panes, the document and
// the application read them at each use, so writing them is what puts them
// into effect (the tree pane's add and double-tap choices, the single
// instance and Enter-opens-link flags, the body pane's input method and
// auto indent included). Only four things are held by the running program
// itself, and the sheet starts from and sets those there: the tree pane's
// indent and the body pane's colours (through the application host), the
// body pane's margins and tab stops (its editor), and the document's
// first-line-is-title option. The recent-file count and the title-bar OK
// button are built at start, so their changes count from the next start.
//
// Not thread-safe: the user-interface thread owns it. Every part passed in
// must outlive the sheet.
#pragma once

#include <QString>
#include <array>
#include <optional>

#include "app/SettingsDialogs.h"

namespace qm {

class ApplicationHost;
class CQEditView;
class CQuillmapDoc;
class EditControl;
class SettingsStore;

// Highest recent-file count the sheet accepts (the lowest is 0: no list).
inline constexpr int kMaxRecentFiles = 10;

// The check OK makes: nothing when values may be applied, else the message
// to show while the sheet stays open (a recent-file count outside 0 to 10).
std::optional<QString> ValidateSettings(const SettingsValues& values);

class SettingsSheet {
 public:
  struct Parts {
    CQuillmapDoc& document;
    CQEditView& body;
    EditControl& editor;  // the body pane's
    SettingsStore& settings;
    SettingsDialogs& dialogs;
    ApplicationHost& host;
  };

  explicit SettingsSheet(const Parts& parts);
  SettingsSheet(const SettingsSheet&) = delete;
  SettingsSheet& operator=(const SettingsSheet&) = delete;

  // The command: hands what was typed in the body to the document, shows
  // the sheet on Current() and applies what OK returns. Cancel changes
  // nothing.
  void Run();

  // The values the sheet opens on: the running program's own where it
  // holds them, else the store's with their defaults (a recent-file count
  // of 10 when none is stored).
  SettingsValues Current() const;
  // The colour chooser's custom colours, "ColorDlg"/"Custom0".."Custom15"
  // as decimal text; white where none is stored.
  std::array<int, kCustomColourCount> CustomColours() const;

  // OK: puts values into effect and writes them, in this order — body
  // colours; "System"/"bTextFile"; the first-line-is-title option when it
  // changed (switching it off asks whether to remove the first lines that
  // repeat the titles; either way the option is switched); "AutoFirst",
  // "FirstCursor", "OkFrame", the tree indent, "PasteDlg", "SplitDlg"; the
  // body margins; the colours and the add and double-tap choices,
  // "bIniFile", "SingleInstance"; the tab stops, then the rest of the text
  // editing, link file, recent-file and save dialog values. Last, every
  // view of the document shows the outline again.
  // REQUIRES: ValidateSettings(values) passes.
  void Apply(const SettingsValues& values);

 private:
  Parts m;
};

}  // namespace qm
