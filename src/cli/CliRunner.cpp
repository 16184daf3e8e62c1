// RunCli: argument parsing and the dump and convert verbs.
#include "cli/CliRunner.h"

#include <QJsonDocument>

#include "cli/OutlineJson.h"
#include "model/FileReportText.h"
#include "model/TreeStore.h"
#include "platform/Clock.h"
#include "platform/LayeredSettingsStore.h"
#include "platform/Prompt.h"
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
  QStringList settings;
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

bool Load(CTreeStore& store, const QString& path, bool wz, CliStreams& streams) {
  const int count = store.Load(path, wz ? 1 : 0);
  Warn(store.LastFileReport(), streams);
  if (count >= 0) return true;
  Print(streams.err, FileErrorText(store.LastFileReport()) + QStringLiteral(": ") + path);
  return false;
}

bool Save(CTreeStore& store, const QString& path, bool lossy, CliStreams& streams) {
  const bool saved = store.Save(path, lossy ? SaveLoss::Allow : SaveLoss::Refuse);
  const FileReport& report = store.LastFileReport();
  Warn(report, streams);
  if (saved) return true;
  if (report.error != FileReport::Error::Declined) {
    Print(streams.err, FileErrorText(report) + QStringLiteral(": ") + path);
  }
  if (report.error == FileReport::Error::Unencodable) {
    Print(streams.err, res::kCliLossyHint.toString());
  }
  if (report.error == FileReport::Error::Declined) {
    // Nobody is there to answer the plain-text question.
    Print(streams.err, res::kCliTextFileQuestionDeclined.toString());
  }
  return false;
}

int Usage(CliStreams& streams) {
  streams.err += res::kCliUsage.toString().toUtf8();
  return kExitUsage;
}

}  // namespace

int RunCli(const QStringList& arguments, const SettingsStore& settings, CliStreams& streams,
           const TextFileRenderer& textRenderer) {
  Invocation invocation;
  if (!Parse(arguments, invocation)) return Usage(streams);
  const bool dump = invocation.verb == u"dump" && invocation.files.size() == 1;
  const bool convert = invocation.verb == u"convert" && invocation.files.size() == 2;
  if (!dump && !convert) return Usage(streams);

  LayeredSettingsStore runSettings(settings);
  for (const QString& assignment : invocation.settings) {
    if (!runSettings.SetFromAssignment(assignment)) {
      Print(streams.err, res::kCliBadSetting.toString() + assignment);
      return kExitUsage;
    }
  }
  SystemClock clock;
  FixedPrompt prompt(false);
  CTreeStore store(runSettings, clock, prompt);
  store.SetTextFileRenderer(textRenderer);
  if (!Load(store, invocation.files[0], invocation.wz, streams)) return kExitFailure;
  if (dump) {
    streams.out += QJsonDocument(OutlineToJson(store)).toJson(QJsonDocument::Compact);
    streams.out += '\n';
    return kExitOk;
  }
  return Save(store, invocation.files[1], invocation.lossy, streams) ? kExitOk : kExitFailure;
}

}  // namespace qm
