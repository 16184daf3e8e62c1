// The web verbs: the account and hosts from the settings, a protocol client
// over the given ports, and what each verb prints.
#include "cli/WebVerbs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "net/ConnKeeper.h"
#include "net/QtHttpClient.h"
#include "net/TransferWait.h"
#include "net/WebAccount.h"
#include "net/WebFileClient.h"
#include "platform/Clock.h"
#include "platform/ConnectionManager.h"
#include "platform/FileIo.h"
#include "platform/Prompt.h"
#include "platform/SettingsTable.h"
#include "res/NetStrings.h"
#include "res/Strings.h"

namespace qm {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;

void Print(QByteArray& stream, const QString& line) { stream += line.toUtf8() + '\n'; }

// The transport's and the connection keeper's messages go to stderr. Nobody
// is there to answer a question, so every question is declined.
class StreamPrompt : public Prompt {
 public:
  explicit StreamPrompt(QByteArray& err) : m_err(err) {}

  PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon) override {
    Print(m_err, text);
    m_told = true;
    switch (buttons) {
      case PromptButtons::Ok:
        return PromptAnswer::Ok;
      case PromptButtons::YesNo:
        return PromptAnswer::No;
      case PromptButtons::OkCancel:
      case PromptButtons::YesNoCancel:
        break;
    }
    return PromptAnswer::Cancel;
  }

  bool Told() const { return m_told; }

 private:
  QByteArray& m_err;
  bool m_told = false;
};

// A list line must stay one line with three fields whatever the service
// sends, so tabs and line ends inside a field become spaces.
QString Field(QString text) {
  for (QChar& c : text) {
    if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
  }
  return text;
}

bool ReadableFile(const QString& path, CliStreams& streams) {
  const QFileInfo info(path);
  if (info.isFile() && info.isReadable()) return true;
  Print(streams.err, res::kCannotOpenFile.toString() + QStringLiteral(": ") + path);
  return false;
}

// What one run of a web verb talks through.
class WebRun {
 public:
  WebRun(const SettingsStore& store, CliStreams& streams, const CliWebPorts& ports)
      : m_streams(streams),
        m_prompt(streams.err),
        m_keeper(m_links, m_prompt),
        m_client(
            Read(store, settings::kWebAccountHost), Read(store, settings::kWebServiceHost),
            {Http(ports), Wait(ports), m_prompt, ports.clock ? *ports.clock : m_clock, m_keeper},
            ports.tempFolder.isEmpty() ? QDir::tempPath() : ports.tempFolder) {}

  CWebFileClient& Client() { return m_client; }

  // Says why the last operation failed, unless the transport or the keeper
  // said so already.
  int Fail() {
    if (!m_client.ErrorMessage().isEmpty()) {
      Print(m_streams.err, m_client.ErrorMessage());
    } else if (m_client.ErrorCode() != 0) {
      Print(m_streams.err, res::kCliWebRefused.toString() + QString::number(m_client.ErrorCode()));
    } else if (!m_prompt.Told()) {
      Print(m_streams.err, res::kCliWebFailed.toString());
    }
    return kExitFailure;
  }

 private:
  HttpClient& Http(const CliWebPorts& ports) {
    if (ports.http != nullptr) return *ports.http;
    m_ownHttp = std::make_unique<QtHttpClient>();
    return *m_ownHttp;
  }
  TransferWait& Wait(const CliWebPorts& ports) {
    return ports.wait != nullptr ? *ports.wait : m_ownWait;
  }

  CliStreams& m_streams;
  StreamPrompt m_prompt;
  AlwaysConnected m_links;
  CConnKeeper m_keeper;
  SystemClock m_clock;
  std::unique_ptr<QtHttpClient> m_ownHttp;
  EventLoopTransferWait m_ownWait;
  CWebFileClient m_client;
};

int List(WebRun& run, CliStreams& streams) {
  if (!run.Client().ListFiles()) return run.Fail();
  for (const CWebFileEntry& file : run.Client().Files()) {
    Print(streams.out, Field(file.fileId) + u'\t' + Field(file.update) + u'\t' + Field(file.title));
  }
  return kExitOk;
}

int Open(WebRun& run, const QString& fileId, const QString& output, CliStreams& streams) {
  const QString downloaded = run.Client().DownloadFile(fileId);
  if (downloaded.isEmpty()) return run.Fail();
  const ReadResult read = ReadFile(downloaded);
  QFile::remove(downloaded);
  if (!read) {
    Print(streams.err, res::kCannotOpenFile.toString() + FailureReason(read.failure) +
                           QStringLiteral(": ") + downloaded);
    return kExitFailure;
  }
  const WriteResult written = WriteFileReplacing(output, read.bytes);
  if (written) return kExitOk;
  Print(streams.err, res::kCannotCreateOutputFile.toString() + FailureReason(written.failure) +
                         QStringLiteral(": ") + output);
  return kExitFailure;
}

int Save(WebRun& run, const QString& input, const QString& title, CliStreams& streams) {
  if (!ReadableFile(input, streams)) return kExitFailure;
  if (!run.Client().UploadNew(input, title)) return run.Fail();
  Print(streams.out, run.Client().FileId());
  return kExitOk;
}

int Update(WebRun& run, const QString& input, const QString& fileId,
           const std::optional<QString>& title, CliStreams& streams) {
  if (!ReadableFile(input, streams)) return kExitFailure;
  CWebFileClient& client = run.Client();
  std::optional<QString> useTitle = title;
  if (!useTitle) {
    // The update sends a title; without one given, the file keeps its own,
    // which a read ticket names.
    if (ExceedsUploadLimit(input)) {
      Print(streams.err, res::kUploadSizeLimit.toString());
      return kExitFailure;
    }
    if (!client.RequestTicket(QStringLiteral("read"), std::nullopt, fileId)) return run.Fail();
    useTitle = client.Title();
  }
  if (!client.UploadUpdate(input, useTitle, fileId)) return run.Fail();
  return kExitOk;
}

}  // namespace

bool IsWebRequestComplete(const WebRequest& request) {
  if (request.operands.isEmpty()) return false;
  const QString& verb = request.operands.front();
  const qsizetype count = request.operands.size();
  if (verb == u"list" || verb == u"open") {
    return count == (verb == u"list" ? 1 : 3) && !request.title;
  }
  if (verb == u"save") return count == 2 && request.title.has_value();
  if (verb == u"update") return count == 3;
  return false;
}

int RunWebVerb(const WebRequest& request, const SettingsStore& store, CliStreams& streams,
               const CliWebPorts& ports) {
  WebAccount account = LoadWebAccount(store);
  if (request.passwordFromInput) {
    const std::optional<QByteArray> line = streams.readLine ? streams.readLine() : std::nullopt;
    if (!line) {
      Print(streams.err, res::kCliNoPasswordInput.toString());
      return kExitFailure;
    }
    account.password = QString::fromUtf8(*line);
  }
  if (account.mail.isEmpty() || account.password.isEmpty()) {
    Print(streams.err, res::kNoWebAccount.toString());
    return kExitFailure;
  }
  WebRun run(store, streams, ports);
  run.Client().SetAccount(account.mail, account.password);
  const QStringList& operands = request.operands;
  const QString& verb = operands.front();
  if (verb == u"list") return List(run, streams);
  if (verb == u"open") return Open(run, operands[1], operands[2], streams);
  if (verb == u"save") return Save(run, operands[1], *request.title, streams);
  return Update(run, operands[1], operands[2], request.title, streams);
}

}  // namespace qm
