// LinkFileNameDialog: the name field, its browse button and OK/Cancel.
#include "gui/LinkFileNameDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/OkCancelButtons.h"
#include "res/Strings.h"

namespace qm {

LinkFileNameDialog::LinkFileNameDialog(const LinkFileNameRequest& request, QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(request.proposedName, this)) {
  setWindowTitle(res::kNoLinkFileTitle.toString());
  m_name->setObjectName(QStringLiteral("nameEdit"));
  auto* label = new QLabel(res::kLinkFileNameLabel.toString(), this);
  label->setBuddy(m_name);

  auto* browse = new QPushButton(res::kLinkBrowseButton.toString(), this);
  browse->setObjectName(QStringLiteral("browseButton"));
  browse->setAutoDefault(false);
  browse->setEnabled(request.actions != nullptr);
  LinkFileActions* actions = request.actions;
  connect(browse, &QPushButton::clicked, this, [this, actions] {
    if (const std::optional<QString> chosen = actions->BrowseLink(m_name->text())) {
      m_name->setText(*chosen);
    }
  });

  QDialogButtonBox* buttons = MakeOkCancelButtons(this);

  auto* field = new QHBoxLayout;
  field->addWidget(m_name, 1);
  field->addWidget(browse);
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(label);
  outer->addLayout(field);
  outer->addStretch();
  outer->addWidget(buttons);
  m_name->setFocus();
  m_name->selectAll();
}

QString LinkFileNameDialog::Name() const { return m_name->text(); }

}  // namespace qm
