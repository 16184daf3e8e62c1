// WebAccountDialog: the four boxes, the address check and the answer.
#include "gui/WebAccountDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

#include "gui/OkCancelButtons.h"
#include "res/NetStrings.h"

namespace qm {

bool IsUsableServerAddress(const QString& address) {
  const QUrl url(address.trimmed(), QUrl::StrictMode);
  if (!url.isValid()) return false;
  const QString scheme = url.scheme().toLower();
  if (scheme != QStringLiteral("http") && scheme != QStringLiteral("https")) return false;
  // The client appends the endpoint's path, which would land inside a
  // query or a fragment.
  return !url.host().isEmpty() && !url.hasQuery() && !url.hasFragment();
}

WebAccountDialog::WebAccountDialog(const WebAccountRequest& request, QWidget* parent)
    : QDialog(parent),
      m_mail(new QLineEdit(request.mail, this)),
      m_password(new QLineEdit(request.initialPassword, this)),
      m_accountHost(new QLineEdit(request.accountHost, this)),
      m_serviceHost(new QLineEdit(request.serviceHost, this)),
      m_addressHint(new QLabel(res::kWebHostAddressInvalid.toString(), this)) {
  setWindowTitle(res::kWebAccountCaption.toString());
  m_mail->setObjectName(QStringLiteral("mailEdit"));
  m_password->setObjectName(QStringLiteral("passwordEdit"));
  m_accountHost->setObjectName(QStringLiteral("accountHostEdit"));
  m_serviceHost->setObjectName(QStringLiteral("serviceHostEdit"));
  m_addressHint->setObjectName(QStringLiteral("addressHint"));

  // Password echo also keeps the text from input methods, prediction and
  // the clipboard; no completer is ever set on this box.
  m_password->setEchoMode(QLineEdit::Password);
  m_password->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData |
                                  Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase);
  for (QLineEdit* host : {m_accountHost, m_serviceHost}) {
    // The hint belongs to the last refusal; editing an address answers it.
    connect(host, &QLineEdit::textEdited, m_addressHint, &QLabel::hide);
  }
  m_addressHint->setWordWrap(true);
  m_addressHint->hide();

  auto* grid = new QGridLayout;
  const std::pair<QStringView, QLineEdit*> rows[] = {
      {res::kWebAccountMailLabel, m_mail},
      {res::kWebAccountPasswordLabel, m_password},
      {res::kWebAccountHostLabel, m_accountHost},
      {res::kWebServiceHostLabel, m_serviceHost},
  };
  int row = 0;
  for (const auto& [text, field] : rows) {
    grid->addWidget(new QLabel(text.toString(), this), row, 0);
    grid->addWidget(field, row, 1);
    ++row;
  }
  grid->setColumnStretch(1, 1);

  auto* hint = new QLabel(res::kWebAccountHint.toString(), this);
  hint->setWordWrap(true);
  QDialogButtonBox* buttons = MakeOkCancelButtons(this, res::kWebAccountCancel);

  auto* outer = new QVBoxLayout(this);
  outer->addWidget(hint);
  outer->addLayout(grid);
  outer->addWidget(m_addressHint);
  outer->addStretch();
  outer->addWidget(buttons);
  // Room for an address with a port without scrolling.
  m_accountHost->setMinimumWidth(32 * fontMetrics().averageCharWidth());
  m_mail->setFocus();
}

WebAccountAnswer WebAccountDialog::Answer() const {
  WebAccountAnswer answer;
  answer.mail = m_mail->text().trimmed();
  // A password may begin or end with a space; it is taken as typed.
  answer.password = m_password->text();
  answer.accountHost = m_accountHost->text().trimmed();
  answer.serviceHost = m_serviceHost->text().trimmed();
  return answer;
}

void WebAccountDialog::accept() {
  for (QLineEdit* host : {m_accountHost, m_serviceHost}) {
    if (IsUsableServerAddress(host->text())) continue;
    m_addressHint->show();
    host->setFocus();
    host->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace qm
