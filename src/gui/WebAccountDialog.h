// WebAccountDialog: the account of the web outline service — mail address,
// password and the two server addresses — filled from a WebAccountRequest.
//
// The password box echoes dots and starts with the request's initial
// password, which is a placeholder standing for a stored password (the real
// one is never shown). Answer() hands back the mail address and the two
// addresses without surrounding white space and the password exactly as
// typed. OK closes only when both server addresses are http:// or https://
// addresses with a host and neither query nor fragment (a path is appended
// to them); otherwise the first such box gets the focus with its text
// selected and a hint (addressHint) says what is wanted.
//
// Object names: mailEdit, passwordEdit, accountHostEdit, serviceHostEdit,
// addressHint, okButton, cancelButton.
#pragma once

#include <QDialog>

#include "editing/WebDialogs.h"

class QLabel;
class QLineEdit;

namespace qm {

// Whether address can serve as a server address: scheme http or https, a
// host, an optional port and path, no query, no fragment.
bool IsUsableServerAddress(const QString& address);

class WebAccountDialog : public QDialog {
 public:
  explicit WebAccountDialog(const WebAccountRequest& request, QWidget* parent = nullptr);

  // What the boxes hold now, the mail address and addresses trimmed.
  WebAccountAnswer Answer() const;

  // OK: closes only when both server addresses are usable.
  void accept() override;

 private:
  QLineEdit* m_mail;
  QLineEdit* m_password;
  QLineEdit* m_accountHost;
  QLineEdit* m_serviceHost;
  QLabel* m_addressHint;
};

}  // namespace qm
