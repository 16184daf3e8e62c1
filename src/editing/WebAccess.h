// WebAccess: the program's way to the web outline service — the account it
// holds for the whole run, the network link it keeps (CConnKeeper), and one
// protocol client (CWebFileClient) per user action.
//
// The account changes only through the account dialog: the account command
// (EditAccount) and the account loop that a web action runs while none is
// set up (EnsureAccount). The mail is kept in the settings; the password in
// the desktop's keyring when there is one ("Web"/"UseKeyring", default on),
// else scrambled in the settings. The password is read on first need, not
// at start, so a program that never goes to the web never asks the keyring.
// A password the settings still hold is moved into the keyring on first
// use; when no keyring takes a password, the user is told once. Every failure is shown to the user
// here or below (the transport, the keeper), once; callers only look at the result. A service
// refusal with an empty message shows nothing, as the service meant.
//
// The ports must outlive the object. Not thread-safe: the user-interface
// thread owns it.
#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <optional>

#include "editing/WebDialogs.h"
#include "net/ConnKeeper.h"
#include "net/WebAccount.h"
#include "net/WebFileClient.h"

namespace qm {

class Clock;
class ConnectionManager;
class HttpClient;
class Prompt;
class SecretStore;
class SettingsStore;
class TransferWait;

struct WebAccessPorts {
  SettingsStore& settings;
  HttpClient& http;
  TransferWait& wait;
  ConnectionManager& connections;
  Prompt& prompt;
  const Clock& clock;
  WebDialogs& dialogs;
  // Where downloads and upload copies are made; empty: the system's
  // temporary folder.
  QString tempFolder;
  // The desktop's keyring; null: the password is kept in the settings.
  SecretStore* secrets = nullptr;
};

class WebAccess {
 public:
  // A web file fetched into a temporary file, which the caller deletes.
  struct Download {
    QString localPath;
    QString webPath;  // "net:" + file id + ";" + the service's title
    QString title;
  };
  // A web file stored by the service.
  struct Upload {
    QString webPath;
    QString title;
  };

  explicit WebAccess(const WebAccessPorts& ports);
  ~WebAccess();
  WebAccess(const WebAccess&) = delete;
  WebAccess& operator=(const WebAccess&) = delete;

  const WebAccount& Account();
  // True when both the mail and the password are set.
  bool HasAccount();

  // While no account is set: says so and shows the account dialog (with an
  // empty password box). Returns false when the user cancelled, true once
  // an account is set.
  bool EnsureAccount();
  // The account command: the dialog shows the mail and, for a password
  // held, a placeholder that is never the password itself. On OK the mail
  // and the addresses are taken and kept; the password only when the box
  // no longer holds what it was shown with.
  void EditAccount();

  // The open-from-the-web command's question: makes sure of an account,
  // lists the account's web files and lets the user choose one. Returns the
  // chosen file's web path; nothing when the user cancelled, chose nothing
  // or the list could not be had.
  std::optional<QString> ChooseFileToOpen();
  // The account's web files, in the service's order; nothing on failure.
  std::optional<QList<CWebFileEntry>> ListFiles();
  // Downloads the web file webPath names. REQUIRES: HasAccount().
  std::optional<Download> DownloadFile(const QString& webPath);
  // Stores the file at localPath as the web file webPath names: a new one
  // for "net:;" + title, else over the one with that id. REQUIRES: HasAccount().
  std::optional<Upload> UploadFile(const QString& localPath, const QString& webPath);

  // A new empty file in the temporary folder, named "vorelnet" + random
  // characters + suffix; empty when none could be made (the caller says so).
  QString MakeTempFile(const QString& suffix) const;
  QString TempFolder() const;

  // Asks for a web file's title, proposing proposal. Cancel returns nothing.
  std::optional<QString> AskTitle(const QString& proposal);

  // Lets a held network link go; nothing when none is held.
  void Disconnect() { m_keeper.Disconnect(); }

 private:
  std::unique_ptr<CWebFileClient> NewClient();
  // Takes what the account dialog returned for request.
  void TakeAccountAnswer(const WebAccountRequest& request, const WebAccountAnswer& answer);
  WebAccountRequest AccountRequest(const QString& initialPassword) const;
  // Shows the client's error message when there is one.
  void ShowError(const CWebFileClient& client);
  bool UsesKeyring() const;
  // Reads the password once, from the keyring or the settings.
  void LoadPassword();
  // Keeps the account: the mail in the settings, the password in the
  // keyring when it takes it, else scrambled in the settings.
  void StoreAccount();

  SettingsStore& m_settings;
  HttpClient& m_http;
  TransferWait& m_wait;
  Prompt& m_prompt;
  const Clock& m_clock;
  WebDialogs& m_dialogs;
  QString m_tempFolder;
  CConnKeeper m_keeper;
  SecretStore* m_secrets;
  WebAccount m_account;
  bool m_passwordLoaded = false;
  // The first second the next ticket request may be dated with, shared by
  // every client: actions in quick succession never wait for the clock.
  qint32 m_nextTicketSecond = 0;
};

}  // namespace qm
