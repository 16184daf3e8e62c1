// SettingsSheet: the sheet's starting values, its check and applying OK.
#include "app/SettingsSheet.h"

#include <algorithm>

#include "app/ApplicationHost.h"
#include "editing/BodyPane.h"
#include "editing/QuillmapDoc.h"
#include "platform/Decimal.h"
#include "platform/EditControl.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/SettingsStrings.h"

namespace qm {
namespace {

// What the colour chooser offers where no custom colour is stored: white.
constexpr int kWhite = 0xFFFFFF;

bool IsOn(const SettingsStore& store, const IntSetting& setting) {
  return Read(store, setting) != 0;
}

void WriteFlag(SettingsStore& store, const IntSetting& setting, bool on) {
  Write(store, setting, on ? 1 : 0);
}

}  // namespace

std::optional<QString> ValidateSettings(const SettingsValues& values) {
  if (values.recentFiles < 0 || values.recentFiles > kMaxRecentFiles) {
    return res::kIntegerRangeMessage.toString().arg(0).arg(kMaxRecentFiles);
  }
  return std::nullopt;
}

SettingsSheet::SettingsSheet(const Parts& parts) : m(parts) {}

void SettingsSheet::Run() {
  // The first-line option rewrites bodies from the store; what was typed
  // must be there first.
  m.document.WriteBodyBack();
  SettingsSheetRequest request;
  request.values = Current();
  request.customColours = CustomColours();
  const std::optional<SettingsValues> chosen = m.dialogs.EditSettings(request);
  if (chosen) Apply(*chosen);
}

SettingsValues SettingsSheet::Current() const {
  const SettingsStore& store = m.settings;
  SettingsValues v;
  v.treeIndent = m.host.TreeIndent();
  v.splitDialog = IsOn(store, settings::kSplitDlg);
  v.pasteDialog = IsOn(store, settings::kPasteDlg);

  v.addMove = IsOn(store, settings::kAddMove);
  v.addNoTitle = IsOn(store, settings::kAddNoTitle);
  v.addUntitled = IsOn(store, settings::kAddIni);
  v.firstLineIsTitle = m.document.Store().Settings().firstLine != 0;
  v.autoFirst = IsOn(store, settings::kAutoFirst);
  v.firstCursor = IsOn(store, settings::kFirstCursor);
  v.singleInstance = IsOn(store, settings::kSingleInstance);
  v.doubleTap = Read(store, settings::kDblClk);
  v.okFrame = IsOn(store, settings::kOkFrame);
  v.parentDoubleTap = Read(store, settings::kFolderDblClk);

  v.tabStop = Read(store, settings::kTabNo);
  v.editMargin = Read(store, settings::kEditSpace);
  v.imeOn = IsOn(store, settings::kIme);
  v.autoIndent = IsOn(store, settings::kAutoIndent);

  v.linkCheck = IsOn(store, settings::kLinkCheck);
  v.linkFromRoot = IsOn(store, settings::kLinkIniDir);
  v.linkExtension = Read(store, settings::kLinkExt);
  // The start-up default depends on the screen; the sheet offers the full list.
  v.recentFiles = Read(store, settings::kMru, kMaxRecentFiles);
  v.reopenLastFile = IsOn(store, settings::kReopenLastFile);
  v.warnTextFile = IsOn(store, settings::kWarnTextFile);
  v.standardSaveDialog = IsOn(store, settings::kPpcSaveDlg);
  v.linkWithEnter = IsOn(store, settings::kLinkEnter);

  const BodyPaneColours colours = m.body.Colours();
  v.textColour = colours.text;
  v.backColour = colours.back;
  return v;
}

std::array<int, kCustomColourCount> SettingsSheet::CustomColours() const {
  std::array<int, kCustomColourCount> colours{};
  const QString white = QString::number(kWhite);
  for (int i = 0; i < kCustomColourCount; ++i) {
    colours[i] = ReadDecimal(Read(m.settings, settings::kCustomColour, i, white));
  }
  return colours;
}

void SettingsSheet::Apply(const SettingsValues& v) {
  SettingsStore& store = m.settings;
  m.host.SetBodyColours(v.textColour, v.backColour);
  WriteFlag(store, settings::kWarnTextFile, v.warnTextFile);
  // Does nothing when the option keeps its value.
  m.body.SetFirstLineIsTitle(v.firstLineIsTitle);

  WriteFlag(store, settings::kAutoFirst, v.autoFirst);
  WriteFlag(store, settings::kFirstCursor, v.firstCursor);
  WriteFlag(store, settings::kOkFrame, v.okFrame);
  m.host.SetTreeIndent(std::max(0, v.treeIndent));
  WriteFlag(store, settings::kPasteDlg, v.pasteDialog);
  WriteFlag(store, settings::kSplitDlg, v.splitDialog);

  m.editor.SetMargins(v.editMargin, v.editMargin);

  Write(store, settings::kTextColor, v.textColour);
  Write(store, settings::kBackColor, v.backColour);
  WriteFlag(store, settings::kAddMove, v.addMove);
  WriteFlag(store, settings::kReopenLastFile, v.reopenLastFile);
  WriteFlag(store, settings::kAddIni, v.addUntitled);
  WriteFlag(store, settings::kAddNoTitle, v.addNoTitle);
  Write(store, settings::kDblClk, v.doubleTap);
  WriteFlag(store, settings::kSingleInstance, v.singleInstance);
  Write(store, settings::kFolderDblClk, v.parentDoubleTap);

  // The body pane keeps at least one character between tab stops.
  m.editor.SetTabStop(std::max(1, v.tabStop));
  Write(store, settings::kTabNo, v.tabStop);
  Write(store, settings::kEditSpace, v.editMargin);
  WriteFlag(store, settings::kIme, v.imeOn);
  WriteFlag(store, settings::kAutoIndent, v.autoIndent);
  Write(store, settings::kLevelWidth, v.treeIndent);
  Write(store, settings::kLinkExt, v.linkExtension);
  WriteFlag(store, settings::kLinkCheck, v.linkCheck);
  WriteFlag(store, settings::kLinkIniDir, v.linkFromRoot);
  Write(store, settings::kMru, v.recentFiles);
  WriteFlag(store, settings::kPpcSaveDlg, v.standardSaveDialog);
  WriteFlag(store, settings::kLinkEnter, v.linkWithEnter);

  m.document.UpdateAllViews(nullptr, kHintAll);
}

}  // namespace qm
