// NewLinkFileDialog: the message, the name, the two choices and OK/Cancel.
#include "gui/NewLinkFileDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/OkCancelButtons.h"
#include "platform/FileIo.h"
#include "res/Strings.h"

namespace qm {

NewLinkFileDialog::NewLinkFileDialog(const NewLinkFileRequest& request, QWidget* parent)
    : QDialog(parent),
      m_fileName(new QLineEdit(request.fileName, this)),
      m_title(new QCheckBox(res::kNewLinkFileWriteTitle.toString(), this)),
      m_body(new QCheckBox(res::kNewLinkFileWriteBody.toString(), this)) {
  setWindowTitle(res::kNewLinkFileTitle.toString());
  auto* message = new QLabel(res::kNewLinkFileMessage.toString(), this);
  message->setObjectName(QStringLiteral("messageLabel"));
  message->setWordWrap(true);
  m_fileName->setObjectName(QStringLiteral("fileNameEdit"));
  m_title->setObjectName(QStringLiteral("titleCheck"));
  m_body->setObjectName(QStringLiteral("bodyCheck"));
  m_title->setChecked(request.writeTitle);
  m_body->setChecked(request.writeBody);
  connect(m_fileName, &QLineEdit::textChanged, this, [this] { FollowName(); });
  FollowName();

  QDialogButtonBox* buttons = MakeOkCancelButtons(this);

  auto* outer = new QVBoxLayout(this);
  outer->addWidget(message);
  outer->addWidget(m_fileName);
  outer->addWidget(m_title);
  outer->addWidget(m_body);
  outer->addStretch();
  outer->addWidget(buttons);
}

void NewLinkFileDialog::FollowName() {
  const bool text = ExtensionOf(m_fileName->text()) != QStringLiteral(".qmp");
  m_title->setEnabled(text);
  m_body->setEnabled(text);
}

NewLinkFileAnswer NewLinkFileDialog::Answer() const {
  return NewLinkFileAnswer{m_fileName->text(), m_title->isChecked(), m_body->isChecked()};
}

}  // namespace qm
