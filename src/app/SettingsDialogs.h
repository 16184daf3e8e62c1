// SettingsDialogs: the settings sheet as the program sees it — every value
// its five pages edit, in one plain struct, and the port that shows the
// sheet.
//
// Implementations: the Qt sheet in the window, a scripted fake in tests.
// Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>
#include <array>
#include <optional>

namespace qm {

// Every value of the sheet, page by page. Flags are the check boxes; the
// lists hold the stored numbers (see each comment).
struct SettingsValues {
  // 表示.
  int treeIndent = 0;       // pixels per tree level (View/LevelWidth)
  bool splitDialog = true;  // System/SplitDlg
  bool pasteDialog = true;  // System/PasteDlg
  // 動作.
  bool addMove = true;            // View/AddMove
  bool addNoTitle = false;        // System/bAddNoTitle
  bool addUntitled = false;       // System/bAddIni
  bool firstLineIsTitle = false;  // the document's own option, saved with it
  bool autoFirst = true;          // System/AutoFirst
  bool firstCursor = true;        // System/FirstCursor; offered only with autoFirst
  bool singleInstance = false;    // System/SingleInstance
  int doubleTap = 0;              // System/DblClk: 0 standard, 1 always edit, 2 always link
  bool okFrame = false;           // System/OkFrame, from the next start
  int parentDoubleTap = 1;        // System/FolderDblClk: 0 edit dialog, 1 open or close
  // テキスト編集.
  int tabStop = 8;          // characters (View/TabNo)
  int editMargin = 3;       // pixels (View/EditSpace)
  bool imeOn = false;       // View/Ime
  bool autoIndent = false;  // View/AutoIndent
  // ファイル.
  bool linkCheck = false;                           // System/LinkCheck
  bool linkFromRoot = false;                        // System/LinkIniDir
  QString linkExtension = QStringLiteral("*.qmp");  // System/LinkExt
  int recentFiles = 10;                             // System/MRU, from the next start
  bool reopenLastFile = true;                       // System/bIniFile
  bool warnTextFile = false;                        // System/bTextFile
  bool standardSaveDialog = false;                  // System/PPCSaveDlg
  bool linkWithEnter = false;                       // System/LinkEnter
  // 色, 0x00BBGGRR.
  int textColour = 0x000000;  // Edit/TextColor
  int backColour = 0xFFFFFF;  // Edit/BackColor

  friend bool operator==(const SettingsValues&, const SettingsValues&) = default;
};

inline constexpr int kCustomColourCount = 16;

struct SettingsSheetRequest {
  SettingsValues values;
  // The colour chooser's own custom colours, 0x00BBGGRR; only offered, never
  // kept from the chooser.
  std::array<int, kCustomColourCount> customColours{};
};

class SettingsDialogs {
 public:
  virtual ~SettingsDialogs() = default;
  SettingsDialogs(const SettingsDialogs&) = delete;
  SettingsDialogs& operator=(const SettingsDialogs&) = delete;

  // Shows the sheet on request.values. OK with a value ValidateSettings
  // refuses tells the user why and keeps the sheet open. On OK returns
  // every value as the user left it; on cancel returns nothing.
  virtual std::optional<SettingsValues> EditSettings(const SettingsSheetRequest& request) = 0;

 protected:
  SettingsDialogs() = default;
};

}  // namespace qm
