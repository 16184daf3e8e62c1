// WebTitleDialog: the prompt, the title box and OK's rule.
#include "gui/WebTitleDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/OkCancelButtons.h"
#include "res/NetStrings.h"

namespace qm {

WebTitleDialog::WebTitleDialog(const QString& prompt, const QString& proposal, QWidget* parent)
    : QDialog(parent), m_title(new QLineEdit(proposal, this)) {
  setWindowTitle(res::kWebTitleCaption.toString());
  m_title->setObjectName(QStringLiteral("titleEdit"));
  auto* label = new QLabel(prompt, this);
  label->setWordWrap(true);

  QDialogButtonBox* buttons = MakeOkCancelButtons(this);
  m_ok = findChild<QPushButton*>(QStringLiteral("okButton"));
  m_ok->setEnabled(HasTitle());
  connect(m_title, &QLineEdit::textChanged, this, [this] { m_ok->setEnabled(HasTitle()); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(m_title);
  layout->addStretch();
  layout->addWidget(buttons);
  m_title->setMinimumWidth(40 * fontMetrics().averageCharWidth());
  m_title->setFocus();
  m_title->selectAll();
}

QString WebTitleDialog::Title() const { return m_title->text(); }

bool WebTitleDialog::HasTitle() const { return !m_title->text().trimmed().isEmpty(); }

void WebTitleDialog::accept() {
  if (!HasTitle()) return;
  QDialog::accept();
}

}  // namespace qm
