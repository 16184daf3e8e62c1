// CategoryEntryDialog: two labelled edits and OK / Cancel.
#include "gui/CategoryEntryDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/OkCancelButtons.h"
#include "res/Strings.h"

namespace qm {

CategoryEntryDialog::CategoryEntryDialog(const CategoryEntryText& request, QWidget* parent)
    : QDialog(parent),
      m_name(new QLineEdit(request.name, this)),
      m_memo(new QLineEdit(request.memo, this)) {
  setWindowTitle(res::kCategoryEntryTitle.toString());
  m_name->setObjectName(QStringLiteral("nameEdit"));
  m_memo->setObjectName(QStringLiteral("memoEdit"));

  QDialogButtonBox* buttons = MakeOkCancelButtons(this);

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
