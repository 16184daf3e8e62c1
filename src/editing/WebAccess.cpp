// WebAccess: the account, its dialog, and a client per web action.
#include "editing/WebAccess.h"

#include <QDir>

#include "net/TransferWait.h"
#include "net/WebPath.h"
#include "platform/Prompt.h"
#include "platform/SecretStore.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/NetStrings.h"

namespace qm {

WebAccess::WebAccess(const WebAccessPorts& ports)
    : m_settings(ports.settings),
      m_http(ports.http),
      m_wait(ports.wait),
      m_prompt(ports.prompt),
      m_clock(ports.clock),
      m_dialogs(ports.dialogs),
      m_tempFolder(ports.tempFolder),
      m_keeper(ports.connections, ports.prompt),
      m_secrets(ports.secrets),
      m_account{Read(ports.settings, settings::kWebId), QString()} {}

WebAccess::~WebAccess() { m_keeper.ShutDown(); }

namespace {

// The keyring holds one password for the program: the account's.
const QString kKeyringKey = QStringLiteral("web-account-password");

}  // namespace

const WebAccount& WebAccess::Account() {
  LoadPassword();
  return m_account;
}

bool WebAccess::HasAccount() {
  LoadPassword();
  return !m_account.mail.isEmpty() && !m_account.password.isEmpty();
}

bool WebAccess::UsesKeyring() const {
  return m_secrets != nullptr && Read(m_settings, settings::kWebUseKeyring) != 0;
}

void WebAccess::LoadPassword() {
  if (m_passwordLoaded) return;
  m_passwordLoaded = true;
  const QString scrambled = Read(m_settings, settings::kWebPassword);
  if (UsesKeyring()) {
    const SecretStore::ReadResult kept = m_secrets->Read(kKeyringKey);
    if (kept.status == SecretStore::Status::Ok) {
      m_account.password = kept.secret;
      // A copy an earlier run could not take out of the settings.
      if (!scrambled.isEmpty()) Remove(m_settings, settings::kWebPassword);
      return;
    }
    m_account.password = UnscrambleWebPassword(scrambled);
    // Kept the old way: into the keyring with it.
    if (kept.status == SecretStore::Status::NotFound && !m_account.password.isEmpty()) {
      StoreAccount();
    }
    return;
  }
  m_account.password = UnscrambleWebPassword(scrambled);
}

void WebAccess::StoreAccount() {
  Write(m_settings, settings::kWebId, m_account.mail);
  if (UsesKeyring()) {
    const SecretStore::Status status = m_account.password.isEmpty()
                                           ? m_secrets->Remove(kKeyringKey)
                                           : m_secrets->Write(kKeyringKey, m_account.password);
    if (status == SecretStore::Status::Ok) {
      Remove(m_settings, settings::kWebPassword);
      return;
    }
    if (Read(m_settings, settings::kWebKeyringMissingTold) == 0) {
      Write(m_settings, settings::kWebKeyringMissingTold, 1);
      m_prompt.Ask(res::kKeyringMissing.toString(), PromptButtons::Ok, PromptIcon::Information);
    }
  }
  Write(m_settings, settings::kWebPassword, ScrambleWebPassword(m_account.password));
}

WebAccountRequest WebAccess::AccountRequest(const QString& initialPassword) const {
  return {m_account.mail, initialPassword, Read(m_settings, settings::kWebAccountHost),
          Read(m_settings, settings::kWebServiceHost)};
}

void WebAccess::TakeAccountAnswer(const WebAccountRequest& request,
                                  const WebAccountAnswer& answer) {
  m_account.mail = answer.mail;
  if (answer.password != request.initialPassword) {
    // A password typed anew: kept, with the mail it belongs to.
    m_account.password = answer.password;
    StoreAccount();
  } else if (answer.mail != request.mail) {
    // A new mail with the password kept is as much the user's wish to
    // keep as a new password.
    Write(m_settings, settings::kWebId, answer.mail);
  }
  if (!answer.accountHost.isEmpty() && answer.accountHost != request.accountHost) {
    Write(m_settings, settings::kWebAccountHost, answer.accountHost);
  }
  if (!answer.serviceHost.isEmpty() && answer.serviceHost != request.serviceHost) {
    Write(m_settings, settings::kWebServiceHost, answer.serviceHost);
  }
}

bool WebAccess::EnsureAccount() {
  while (!HasAccount()) {
    m_prompt.Ask(res::kNoWebAccount.toString(), PromptButtons::Ok, PromptIcon::Warning);
    const WebAccountRequest request = AccountRequest(QString());
    const std::optional<WebAccountAnswer> answer = m_dialogs.EditWebAccount(request);
    if (!answer) return false;
    TakeAccountAnswer(request, *answer);
  }
  return true;
}

void WebAccess::EditAccount() {
  LoadPassword();
  const WebAccountRequest request = AccountRequest(
      m_account.password.isEmpty() ? QString() : res::kWebPasswordPlaceholder.toString());
  const std::optional<WebAccountAnswer> answer = m_dialogs.EditWebAccount(request);
  if (answer) TakeAccountAnswer(request, *answer);
}

std::unique_ptr<CWebFileClient> WebAccess::NewClient() {
  LoadPassword();
  auto client = std::make_unique<CWebFileClient>(
      Read(m_settings, settings::kWebAccountHost), Read(m_settings, settings::kWebServiceHost),
      WebServices{m_http, m_wait, m_prompt, m_clock, m_keeper}, TempFolder());
  client->SetAccount(m_account.mail, m_account.password);
  client->ShareTicketSeconds(m_nextTicketSecond);
  return client;
}

void WebAccess::ShowError(const CWebFileClient& client) {
  if (!client.ErrorMessage().isEmpty()) {
    m_prompt.Ask(client.ErrorMessage(), PromptButtons::Ok, PromptIcon::Warning);
  }
}

std::optional<QList<CWebFileEntry>> WebAccess::ListFiles() {
  const std::unique_ptr<CWebFileClient> client = NewClient();
  if (!client->ListFiles()) {
    ShowError(*client);
    return std::nullopt;
  }
  return client->Files();
}

std::optional<QString> WebAccess::ChooseFileToOpen() {
  if (!EnsureAccount()) return std::nullopt;
  const std::optional<QList<CWebFileEntry>> files = ListFiles();
  if (!files) return std::nullopt;
  QStringList titles;
  for (const CWebFileEntry& file : *files) titles << file.title;
  const std::optional<int> chosen = m_dialogs.ChooseWebFile(titles);
  if (!chosen || *chosen < 0 || *chosen >= files->size()) return std::nullopt;
  const CWebFileEntry& file = files->at(*chosen);
  return MakeWebPath(file.fileId, file.title);
}

std::optional<WebAccess::Download> WebAccess::DownloadFile(const QString& webPath) {
  const std::unique_ptr<CWebFileClient> client = NewClient();
  client->SetFromWebPath(webPath);
  const QString localPath = client->DownloadFile();
  if (localPath.isEmpty()) {
    ShowError(*client);
    return std::nullopt;
  }
  return Download{localPath, client->WebPath(), client->Title()};
}

std::optional<WebAccess::Upload> WebAccess::UploadFile(const QString& localPath,
                                                       const QString& webPath) {
  const std::unique_ptr<CWebFileClient> client = NewClient();
  client->SetFromWebPath(webPath);
  const bool stored =
      IsNewWebPath(webPath) ? client->UploadNew(localPath) : client->UploadUpdate(localPath);
  if (!stored) {
    ShowError(*client);
    return std::nullopt;
  }
  return Upload{client->WebPath(), client->Title()};
}

QString WebAccess::TempFolder() const {
  return m_tempFolder.isEmpty() ? QDir::tempPath() : m_tempFolder;
}

QString WebAccess::MakeTempFile(const QString& suffix) const {
  return MakeTempWebFileName(TempFolder(), suffix);
}

std::optional<QString> WebAccess::AskTitle(const QString& proposal) {
  return m_dialogs.AskWebTitle(res::kWebTitlePrompt.toString(), proposal);
}

}  // namespace qm
