// KeyCustomisationDialog: the "キーカスタマイズ" window — the key list with
// its Ctrl, Shift and Alt boxes, the command list, and the save, load, OK
// and cancel buttons. Every choice goes straight to the session, which
// holds the behaviour; the window only shows it.
#pragma once

#include <QDialog>

class QCheckBox;
class QListWidget;

namespace qm {

class KeyCustomisationSession;

class KeyCustomisationDialog : public QDialog {
 public:
  KeyCustomisationDialog(KeyCustomisationSession& session, QWidget* parent);

 private:
  // The key list with the modifiers now ticked, the key selection kept,
  // and the command of the selected combination selected.
  void Refill();
  void ShowCommandOfSelection();

  KeyCustomisationSession& m_session;
  QListWidget* m_keys;
  QListWidget* m_commands;
  QCheckBox* m_ctrl;
  QCheckBox* m_shift;
  QCheckBox* m_alt;
};

}  // namespace qm
