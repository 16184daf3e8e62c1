// WebDialogs: the web outline service's three dialogs as the document and
// the web commands see them: the account, the choice of a web file to open,
// and the title of an outline saved to the web.
//
// The dialogs only collect what the user typed or chose; what is stored and
// when is decided by the caller (see WebAccess.h). Implementations: the Qt
// dialogs in the window, a scripted fake in tests. Not thread-safe: the
// user-interface thread owns it.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace qm {

// What the account dialog starts with.
struct WebAccountRequest {
  QString mail;
  // Shown in the password box: empty, or a placeholder standing for a
  // stored password that is never shown.
  QString initialPassword;
  // Where the service is: scheme, host and port ("http://localhost:8642").
  QString accountHost;
  QString serviceHost;
};

// The boxes' texts when the user pressed OK.
struct WebAccountAnswer {
  QString mail;
  QString password;
  QString accountHost;
  QString serviceHost;
};

class WebDialogs {
 public:
  virtual ~WebDialogs() = default;
  WebDialogs(const WebDialogs&) = delete;
  WebDialogs& operator=(const WebDialogs&) = delete;

  // The account dialog. Cancel returns nothing.
  virtual std::optional<WebAccountAnswer> EditWebAccount(const WebAccountRequest& request) = 0;
  // The web files of the account, by title in the service's order. Returns
  // the index of the file chosen; nothing on cancel or OK without a choice.
  virtual std::optional<int> ChooseWebFile(const QStringList& titles) = 0;
  // Asks for a title, proposing proposal, under prompt. Cancel returns nothing.
  virtual std::optional<QString> AskWebTitle(const QString& prompt, const QString& proposal) = 0;

 protected:
  WebDialogs() = default;
};

}  // namespace qm
