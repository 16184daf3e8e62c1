// CategoryEntryDialog: two labelled edits and OK / Cancel.
#include "gui/CategoryEntryDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/Strings.h"

namespace qm {

CategoryEntryDialog::CategoryEntryDialog(const CategoryEntryText& request, QWidget* parent)
    : QDialog(parent),
      m_name(new QLineEdit(request.name, this)),
      m_memo(new QLineEdit(request.memo, this)) {
  setWindowTitle(res::kCategoryEntryTitle.toString());
  m_name->setObjectName(QStringLiteral("nameEdit"));
  m_memo->setObjectName(QStringLiteral("memoEdit"));

  auto* ok = new QPushButton(res::kButtonOk.toString(), this);
  auto* cancel = new QPushButton(res::kButtonCancel.toString(), this);
  ok->setObjectName(QStringLiteral("okButton"));
  cancel->setObjectName(QStringLiteral("cancelButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { accept(); });
  connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);

  auto* form = new QFormLayout;
  auto* nameLabel = new QLabel(res::kCategoryNameLabel.toString(), this);
  auto* memoLabel = new QLabel(res::kCategoryMemoLabel.toString(), this);
  nameLabel->setBuddy(m_name);
  memoLabel->setBuddy(m_memo);
  form->addRow(nameLabel, m_name);
  form->addRow(memoLabel, m_memo);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(form);
  outer->addStretch();
  outer->addWidget(buttons);
  m_name->setFocus();
  m_name->selectAll();
}

CategoryEntryText CategoryEntryDialog::Result() const { return {m_name->text(), m_memo->text()}; }

}  // namespace qm
