// KeyCustomisationDialog: the controls and their wiring to the session.
#include "gui/KeyCustomisationDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/KeyCustomisationSession.h"
#include "res/KeyStrings.h"

namespace qm {
namespace {

QPushButton* AddButton(QDialog* dialog, QLayout* layout, QStringView text, const char* name) {
  auto* button = new QPushButton(text.toString(), dialog);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  layout->addWidget(button);
  return button;
}

}  // namespace

KeyCustomisationDialog::KeyCustomisationDialog(KeyCustomisationSession& session, QWidget* parent)
    : QDialog(parent),
      m_session(session),
      m_keys(new QListWidget(this)),
      m_commands(new QListWidget(this)),
      m_ctrl(new QCheckBox(res::kKeyDialogCtrl.toString(), this)),
      m_shift(new QCheckBox(res::kKeyDialogShift.toString(), this)),
      m_alt(new QCheckBox(res::kKeyDialogAlt.toString(), this)) {
  setWindowTitle(res::kKeyDialogTitle.toString());
  m_keys->setObjectName(QStringLiteral("keyList"));
  m_commands->setObjectName(QStringLiteral("commandList"));
  m_ctrl->setObjectName(QStringLiteral("ctrlBox"));
  m_shift->setObjectName(QStringLiteral("shiftBox"));
  m_alt->setObjectName(QStringLiteral("altBox"));
  m_commands->addItems(KeyCustomisationSession::CommandListTexts());
  m_ctrl->setChecked(session.Ctrl());
  m_shift->setChecked(session.Shift());
  m_alt->setChecked(session.Alt());

  for (QCheckBox* box : {m_ctrl, m_shift, m_alt}) {
    connect(box, &QCheckBox::toggled, this, [this] {
      m_session.SetModifiers(m_ctrl->isChecked(), m_shift->isChecked(), m_alt->isChecked());
      Refill();
    });
  }
  connect(m_keys, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    m_session.SelectKey(row);
    ShowCommandOfSelection();
  });
  connect(m_commands, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) m_session.ChooseCommandRow(row);
  });

  auto* modifiers = new QHBoxLayout;
  modifiers->addWidget(m_ctrl);
  modifiers->addWidget(m_shift);
  modifiers->addWidget(m_alt);
  modifiers->addStretch();

  auto* buttons = new QVBoxLayout;
  QPushButton* ok = AddButton(this, buttons, res::kKeyDialogOk, "okButton");
  QPushButton* save = AddButton(this, buttons, res::kKeyDialogSave, "saveButton");
  QPushButton* load = AddButton(this, buttons, res::kKeyDialogLoad, "loadButton");
  QPushButton* cancel = AddButton(this, buttons, res::kKeyDialogCancel, "cancelButton");
  buttons->addStretch();
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    m_session.Ok();
    accept();
  });
  connect(save, &QPushButton::clicked, this, [this] { m_session.SaveToChosenFile(); });
  connect(load, &QPushButton::clicked, this, [this] {
    m_session.LoadFromChosenFile();
    ShowCommandOfSelection();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* lists = new QGridLayout;
  lists->addLayout(modifiers, 0, 0);
  lists->addWidget(m_keys, 1, 0);
  lists->addWidget(m_commands, 1, 1);
  lists->setColumnStretch(0, 1);
  lists->setColumnStretch(1, 2);
  auto* outer = new QHBoxLayout(this);
  outer->addLayout(lists, 1);
  outer->addLayout(buttons);

  Refill();
  m_keys->setFocus();
}

void KeyCustomisationDialog::Refill() {
  const QSignalBlocker blocker(m_keys);
  m_keys->clear();
  m_keys->addItems(m_session.KeyListTexts());
  m_keys->setCurrentRow(m_session.SelectedKey());
  ShowCommandOfSelection();
}

void KeyCustomisationDialog::ShowCommandOfSelection() {
  // Showing the command is not choosing it.
  const QSignalBlocker blocker(m_commands);
  m_commands->setCurrentRow(m_session.CommandRow());
  m_commands->scrollToItem(m_commands->currentItem());
}

}  // namespace qm
