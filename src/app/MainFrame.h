// CMainFrame: the main frame's behaviour — how the client area is split
// between the tree pane and the body pane, per orientation; the tree only /
// text only / both views; the window's place on the desktop; and the
// frame's settings commands (split orientation, reading mode, soft-key
// menu, initial folder, help).
//
// Orientation follows the window's shape, as it followed the screen's on
// the handheld: landscape when the window is wider than high. View/SplPos 1
// gives rows, 0 columns, 2 (automatic) rows in portrait and columns in
// landscape, re-evaluated whenever the window changes shape. The tree
// pane's size is kept per orientation (View/RowLand, RowPort, ColumLand,
// ColumPort): stored when the orientation changes and when the frame goes,
// and brought back when the window takes that orientation again. A chosen
// split orientation takes effect with the next window; the menu ticks the
// choice stored. The window itself is the FrameHost; settings store,
// prompt and host must outlive the frame. Commands() is the frame's target
// for the command router.
#pragma once

#include <QString>
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
  // The title with the document's name and the modified marker the window
  // shows while the document differs from its file.
  static QString WindowTitleFor(const QString& documentTitle);

  // Puts the window where it was when it last closed, or gives it three
  // quarters of the screen the first time.
  void RestorePlacement();
  // Creates the splitter and the first pane's size from the settings,
  // moving values of older versions (View/Row, View/Colum) into the
  // orientation's values first.
  void CreateClient();
  // Saves the tree pane's size for the orientation of this moment and the
  // window's place.
  void OnDestroy();
  // The window changed size; a change of shape turns the orientation.
  void OnSize(QSize client);

  void ShowTreeOnly();
  void ShowTextOnly();
  void ShowBoth();
  // 0 columns, 1 rows: written for the next window, with a message; 2
  // (automatic) takes effect at once.
  void SetSplitOrientation(int setting);
  void ToggleReadingMode();
  void ToggleSoftKeyMenu();
  void ChooseInitialFolder();
  // Opens the manual; says so when it cannot.
  void ShowHelp();

  bool IsLandscape() const;
  bool SplitsInRows() const { return m_rows; }

  CommandTarget& Commands();

 private:
  // The stored tree pane size for the layout, in the given orientation.
  const IntSetting& FirstSizeSetting(bool rows, bool landscape) const;
  int StoredFirstSize() const;
  void StoreFirstSize() const;
  // Rows or columns as the current split setting wants them now.
  bool WantsRows() const;
  void Tell(const QString& text);

  SettingsStore& m_settings;
  Prompt& m_prompt;
  FrameHost& m_host;
  bool m_rows = false;
  bool m_landscape = false;
  bool m_created = false;
  // The split setting in force for this window (View/SplPos when it opened,
  // or automatic once chosen).
  int m_splitSetting = kSplitAutomatic;
  std::unique_ptr<CommandTarget> m_commands;
};

}  // namespace qm
