// SettingsSheetDialog: the settings sheet ("設定") — five tabs "表示",
// "動作", "テキスト編集", "ファイル" and "色" over every value of a
// SettingsValues, with one OK and one Cancel for the whole sheet.
//
// Filled from a SettingsSheetRequest. The first-cursor box is enabled only
// while the start-at-last-node box is ticked. The two colour buttons open
// the colour chooser on the colour shown now, offering the request's custom
// colours; the chosen colour is kept until the sheet closes. OK runs
// ValidateSettings: when that returns a message the sheet tells the user
// through the prompt, shows the offending field and stays open; otherwise
// it closes accepted and Result() holds the answer. A list value or number
// the controls cannot show is handed back unchanged unless the user changes
// that control.
//
// Object names for tests: pages (the tab widget), treeIndentEdit,
// splitDialogBox, pasteDialogBox, addMoveBox, addNoTitleBox, addUntitledBox,
// firstLineIsTitleBox, autoFirstBox, firstCursorBox, singleInstanceBox,
// doubleTapList, okFrameBox, parentDoubleTapList, tabStopEdit,
// editMarginEdit, imeOnBox, autoIndentBox, linkCheckBox, linkFromRootBox,
// linkExtensionEdit, recentFilesEdit, reopenLastFileBox, warnTextFileBox,
// standardSaveDialogBox, linkWithEnterBox, backColourButton,
// textColourButton, okButton, cancelButton; the colour chooser is
// colourDialog. The prompt must outlive the dialog.
#pragma once

#include <QDialog>

#include "app/SettingsDialogs.h"
#include "platform/Prompt.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace qm {

class SettingsSheetDialog : public QDialog {
 public:
  SettingsSheetDialog(const SettingsSheetRequest& request, Prompt& prompt,
                      QWidget* parent = nullptr);

  SettingsValues Result() const;

  // OK: closes only when the values pass ValidateSettings.
  void accept() override;

 private:
  QWidget* MakeViewPage();
  QWidget* MakeBehaviourPage();
  QWidget* MakeEditPage();
  QWidget* MakeFilePage();
  QWidget* MakeColourPage();
  // Opens the colour chooser on colour; keeps and shows the choice on OK.
  void ChooseColour(int& colour, QPushButton* button);

  SettingsSheetRequest m_request;
  Prompt& m_prompt;
  QTabWidget* m_pages;
  int m_textColour;
  int m_backColour;

  QSpinBox* m_treeIndent;
  QCheckBox* m_splitDialog;
  QCheckBox* m_pasteDialog;

  QCheckBox* m_addMove;
  QCheckBox* m_addNoTitle;
  QCheckBox* m_addUntitled;
  QCheckBox* m_firstLineIsTitle;
  QCheckBox* m_autoFirst;
  QCheckBox* m_firstCursor;
  QCheckBox* m_singleInstance;
  QComboBox* m_doubleTap;
  QCheckBox* m_okFrame;
  QComboBox* m_parentDoubleTap;

  QSpinBox* m_tabStop;
  QSpinBox* m_editMargin;
  QCheckBox* m_imeOn;
  QCheckBox* m_autoIndent;

  QCheckBox* m_linkCheck;
  QCheckBox* m_linkFromRoot;
  QLineEdit* m_linkExtension;
  QSpinBox* m_recentFiles;
  QCheckBox* m_reopenLastFile;
  QCheckBox* m_warnTextFile;
  QCheckBox* m_standardSaveDialog;
  QCheckBox* m_linkWithEnter;

  QPushButton* m_backColourButton;
  QPushButton* m_textColourButton;
};

}  // namespace qm
