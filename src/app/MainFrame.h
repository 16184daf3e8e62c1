// CMainFrame: the main frame's behaviour — how the client area is split
// between the tree pane and the body pane, per screen orientation; the tree
// only / text only / both views; and the frame's settings commands (split
// orientation, reading mode, soft-key menu, initial folder, help).
//
// The orientation is fixed when the panes are created: View/SplPos 1 gives
// rows, 0 columns, 2 (automatic) rows in portrait and columns in landscape.
// The tree pane's size is kept per orientation (View/RowLand, RowPort,
// ColumLand, ColumPort) and saved when the frame is destroyed. The window
// itself is the FrameHost; settings store, prompt and host must outlive the
// frame. Commands() is the frame's target for the command router.
#pragma once

#include <memory>

#include "app/CommandTarget.h"
#include "app/FrameHost.h"

namespace qm {

class Prompt;
class SettingsStore;
struct IntSetting;

class CMainFrame {
 public:
  static constexpr int kSplitColumns = 0;
  static constexpr int kSplitRows = 1;
  static constexpr int kSplitAutomatic = 2;

  CMainFrame(SettingsStore& settings, Prompt& prompt, FrameHost& host);
  ~CMainFrame();

  // The window title, as it always was.
  static QString WindowTitle();

  // Creates the splitter and the first pane's size from the settings,
  // moving values of older versions (View/Row, View/Colum) into the
  // orientation's values first.
  void CreateClient();
  // Saves the tree pane's size for the orientation of this moment.
  void OnDestroy();
  // A change of width means the screen turned: the tree pane takes the size
  // kept for the new orientation.
  void OnSize(QSize client);

  void ShowTreeOnly();
  void ShowTextOnly();
  void ShowBoth();
  // 0 columns, 1 rows: written for the next window, with a message; 2
  // (automatic) takes effect in the menu at once.
  void SetSplitOrientation(int setting);
  void ToggleReadingMode();
  void ToggleSoftKeyMenu();
  void ChooseInitialFolder();
  void ShowHelp();

  bool IsLandscape() const;
  bool SplitsInRows() const { return m_rows; }
  int SplitSetting() const { return m_splitSetting; }

  CommandTarget& Commands();

 private:
  // The stored tree pane size for the layout, in the current screen orientation.
  const IntSetting& FirstSizeSetting(bool rows) const;
  int StoredFirstSize() const;

  SettingsStore& m_settings;
  Prompt& m_prompt;
  FrameHost& m_host;
  bool m_rows = false;
  bool m_created = false;
  int m_splitSetting = kSplitAutomatic;
  int m_lastWidth = -1;
  std::unique_ptr<CommandTarget> m_commands;
};

}  // namespace qm
