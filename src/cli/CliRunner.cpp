// RunCli: argument parsing and the dump and convert verbs.
#include "cli/CliRunner.h"

#include <QFileInfo>
#include <optional>

#include "cli/JsonWriter.h"
#include "cli/OutlineJson.h"
#include "cli/WebVerbs.h"
#include "model/FileReportText.h"
#include "model/TreeStore.h"
#include "output/TextOutput.h"
#include "platform/Clock.h"
#include "platform/EncodedFile.h"
#include "platform/FileIo.h"
#include "platform/FileStamp.h"
#include "platform/LayeredSettingsStore.h"
#include "res/Strings.h"

namespace qm {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Invocation {
  QString verb;
  QStringList files;
  bool wz = false;
  bool lossy = false;
  bool force = false;  // convert: write over an input that was read with losses
  QStringList settings;
  // export
  std::optional<int> node;
  bool clipboard = false;
  // web
  std::optional<QString> title;
  bool passwordFromInput = false;
};

void Print(QByteArray& stream, const QString& line) { stream += line.toUtf8() + '\n'; }

// Splits the arguments; false on an unknown option or a --set without value.
bool Parse(const QStringList& arguments, Invocation& invocation) {
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == u"--wz") {
      invocation.wz = true;
    } else if (argument == u"--lossy") {
      invocation.lossy = true;
    } else if (argument == u"--force") {
      invocation.force = true;
    } else if (argument == u"--clipboard") {
      invocation.clipboard = true;
    } else if (argument == u"--node" || argument.startsWith(u"--node=")) {
      QString value;
      if (argument == u"--node") {
        if (++i >= arguments.size()) return false;
        value = arguments[i];
      } else {
        value = argument.sliced(7);
      }
      bool number = false;
      invocation.node = value.toInt(&number);
      if (!number) return false;
    } else if (argument == u"--password-stdin") {
      invocation.passwordFromInput = true;
    } else if (argument == u"--title") {
      if (++i >= arguments.size()) return false;
      invocation.title = arguments[i];
    } else if (argument.startsWith(u"--title=")) {
      invocation.title = argument.sliced(8);
    } else if (argument == u"--set") {
      if (++i >= arguments.size()) return false;
      invocation.settings << arguments[i];
    } else if (argument.startsWith(u"--set=")) {
      invocation.settings << argument.sliced(6);
    } else if (argument.startsWith(u"--")) {
      return false;
    } else if (invocation.verb.isEmpty()) {
      invocation.verb = argument;
    } else {
      invocation.files << argument;
    }
  }
  return true;
}

void Warn(const FileReport& report, CliStreams& streams) {
  for (const QString& warning : FileWarningTexts(report)) Print(streams.err, warning);
}

// True when a load that left something out found no node at all: whatever
// the file holds, it is not an outline this program can read. (An empty
// file is an empty outline.)
bool NothingUsable(const CTreeStore& store) {
  return store.LastFileReport().Lossy() && store.LastFileReport().noNodeRead;
}

bool Load(CTreeStore& store, const QString& path, bool wz, CliStreams& streams) {
  const int count = store.Load(path, wz ? 1 : 0);
  Warn(store.LastFileReport(), streams);
  if (count < 0) {
    Print(streams.err, FileErrorText(store.LastFileReport()) + QStringLiteral(": ") + path);
    return false;
  }
  if (NothingUsable(store)) {
    Print(streams.err, res::kCliNothingRead.toString() + path);
    return false;
  }
  return true;
}

bool Save(CTreeStore& store, const QString& path, bool lossy, CliStreams& streams) {
  const bool saved = store.Save(path, {lossy ? SaveLoss::Allow : SaveLoss::Refuse});
  const FileReport& report = store.LastFileReport();
  Warn(report, streams);
  if (saved) return true;
  if (report.error != FileReport::Error::NeedsConsent) {
    Print(streams.err, FileErrorText(report) + QStringLiteral(": ") + path);
  }
  if (report.error == FileReport::Error::Unencodable) {
    Print(streams.err, res::kCliLossyHint.toString());
  }
  if (report.error == FileReport::Error::NeedsConsent) {
    // Nobody is there to answer the plain-text question.
    Print(streams.err, res::kCliTextFileQuestionDeclined.toString());
  }
  return false;
}

// Text output of the whole outline, or of a node's branch, to a file in the
// code page or, as the text copy would give it, in UTF-8.
bool Export(CTreeStore& store, const Invocation& invocation, const SettingsStore& settings,
            CliStreams& streams) {
  TextOutputOptions options = ReadTextOutputOptions(settings);
  options.linkFolder = QFileInfo(invocation.files[0]).absolutePath();
  int first = 0;
  int end = store.GetCount();
  if (invocation.node) {
    const int node = *invocation.node;
    if (node < 0 || node >= store.GetCount()) {
      Print(streams.err, res::kCliNoSuchNode.toString() + QString::number(node));
      return false;
    }
    if (options.format.selectOnly) {
      first = node;
      end = store.GetBranchEnd(node, true);
    }
  }
  const QString& path = invocation.files[1];
  const TextOutputUse use = invocation.clipboard ? TextOutputUse::Clipboard : TextOutputUse::File;
  if (invocation.clipboard) {
    const QString text = MakeOutputText(store, first, end, options, use);
    const WriteResult written = WriteFileReplacing(path, text.toUtf8());
    if (written) return true;
    Print(streams.err, res::kCannotCreateOutputFile.toString() + FailureReason(written.failure) +
                           QStringLiteral(": ") + path);
    return false;
  }
  const TextWriter render = [&](TextSink& sink) {
    MakeOutputText(store, first, end, options, use, sink);
  };
  const EncodedWrite result =
      WriteEncodedFile(path, render, invocation.lossy ? SaveLoss::Allow : SaveLoss::Refuse);
  // Bytes the input could not be read as are shown as those bytes.
  const QString unencodable = UnencodableDisplay(result.unencodable, store.LastFileReport());
  switch (result.status) {
    case EncodedWrite::Status::Written:
      if (!result.unencodable.isEmpty()) {
        Print(streams.err, res::kUnencodableCharacters.toString() + unencodable);
      }
      return true;
    case EncodedWrite::Status::Unencodable:
      Print(streams.err,
            res::kUnencodableCharacters.toString() + unencodable + QStringLiteral(": ") + path);
      Print(streams.err, res::kCliLossyHint.toString());
      return false;
    case EncodedWrite::Status::CannotWrite:
      break;
  }
  Print(streams.err, res::kCannotCreateOutputFile.toString() + FailureReason(result.failure) +
                         QStringLiteral(": ") + path);
  return false;
}

int Usage(CliStreams& streams) {
  streams.err += res::kCliUsage.toString().toUtf8();
  return kExitUsage;
}

// A run's settings: the store with the --set values laid over it. False
// (after saying which) when an assignment is malformed.
bool ApplySettings(const Invocation& invocation, LayeredSettingsStore& runSettings,
                   CliStreams& streams) {
  for (const QString& assignment : invocation.settings) {
    if (!runSettings.SetFromAssignment(assignment)) {
      Print(streams.err, res::kCliBadSetting.toString() + assignment);
      return false;
    }
  }
  return true;
}

int RunWeb(const Invocation& invocation, const SettingsStore& settings, CliStreams& streams,
           const CliWebPorts& webPorts) {
  const WebRequest request{invocation.files, invocation.title, invocation.passwordFromInput};
  const bool fileOptions = invocation.wz || invocation.lossy || invocation.force ||
                           invocation.node || invocation.clipboard;
  if (fileOptions || !IsWebRequestComplete(request)) return Usage(streams);
  LayeredSettingsStore runSettings(settings);
  if (!ApplySettings(invocation, runSettings, streams)) return kExitUsage;
  return RunWebVerb(request, runSettings, streams, webPorts);
}

}  // namespace

int RunCli(const QStringList& arguments, const SettingsStore& settings, CliStreams& streams,
           const TextFileRenderer& textRenderer, const CliWebPorts& webPorts) {
  Invocation invocation;
  if (!Parse(arguments, invocation)) return Usage(streams);
  if (invocation.verb == u"web") return RunWeb(invocation, settings, streams, webPorts);
  // The web options mean nothing to the file verbs.
  if (invocation.title || invocation.passwordFromInput) return Usage(streams);
  const bool dump = invocation.verb == u"dump" && invocation.files.size() == 1;
  const bool convert = invocation.verb == u"convert" && invocation.files.size() == 2;
  const bool exportText = invocation.verb == u"export" && invocation.files.size() == 2;
  if (!dump && !convert && !exportText) return Usage(streams);
  // The export options mean nothing to the other verbs.
  if (!exportText && (invocation.node || invocation.clipboard)) return Usage(streams);
  if (!convert && invocation.force) return Usage(streams);

  LayeredSettingsStore runSettings(settings);
  if (!ApplySettings(invocation, runSettings, streams)) return kExitUsage;
  SystemClock clock;
  CTreeStore store(runSettings, clock);
  store.SetTextFileRenderer(textRenderer ? textRenderer : PlainTextFileRenderer(runSettings));
  if (!Load(store, invocation.files[0], invocation.wz, streams)) return kExitFailure;
  if (dump) {
    JsonWriter writer(streams.out, streams.drain);
    if (!WriteOutlineJson(store, writer)) {
      streams.out.clear();  // the tail of a JSON whose head was lost is no output
      return kExitFailure;
    }
    streams.out += '\n';
    return kExitOk;
  }
  if (exportText) return Export(store, invocation, runSettings, streams) ? kExitOk : kExitFailure;
  // Writing the outline over the file it was read from would lose what the
  // load left out; the warnings above said what that was.
  const QString& output = invocation.files[1];
  if (store.LastFileReport().Lossy() && !invocation.force &&
      IsSameFile(invocation.files[0], output)) {
    Print(streams.err, res::kCliKeepsLossyInput.toString() + output);
    return kExitFailure;
  }
  return Save(store, invocation.files[1], invocation.lossy, streams) ? kExitOk : kExitFailure;
}

}  // namespace qm
