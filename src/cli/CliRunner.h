// RunCli: the command-line tool's verbs over the program's own code, with
// no display. main() hands it the arguments and the user's settings store;
// tests hand it an in-memory store and capture what it prints.
//
// Verbs: dump FILE [--wz]; convert IN OUT [--wz] [--lossy]; export IN OUT
// [--node INDEX] [--clipboard] [--wz] [--lossy] (text output as the output
// command writes it, or with --clipboard what the text copy gives, in
// UTF-8; --node picks the selected node); web list|open|save|update (see
// WebVerbs.h). Every verb takes
// --set SECTION/NAME=VALUE (repeatable), a settings value for this run only.
// Returns the exit status: 0 success, 1 failure (the message went to err;
// when streams.drain refused output, the caller, which knows why, says it),
// 2 usage error.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <functional>
#include <optional>

#include "model/TreeStore.h"

namespace qm {

class Clock;
class HttpClient;
class SettingsStore;
class TransferWait;

struct CliStreams {
  QByteArray out;  // UTF-8 for stdout
  QByteArray err;  // UTF-8 for stderr
  // When set, a verb whose output grows with the outline (dump) hands out
  // to it in chunks of about a megabyte as it goes and empties out, so the
  // whole text is never held; what is left in out at the end is the
  // caller's to write. Returns false when the bytes could not be written:
  // the verb stops there and RunCli returns 1.
  std::function<bool(QByteArrayView)> drain;
  // One line of standard input without its line end, read only when a verb
  // asks (--password-stdin); nullopt when there is none.
  std::function<std::optional<QByteArray>()> readLine;
};

// What the web verbs talk through; each one left empty is the real thing
// (QtHttpClient, an event loop wait, the system clock, the system's
// temporary folder). What is given must outlive RunCli.
struct CliWebPorts {
  HttpClient* http = nullptr;
  TransferWait* wait = nullptr;
  const Clock* clock = nullptr;
  QString tempFolder;
};

// textRenderer: the text output that saving under a plain-text name writes
// (see CTreeStore::SetTextFileRenderer); without one such saves fail.
int RunCli(const QStringList& arguments, const SettingsStore& settings, CliStreams& streams,
           const TextFileRenderer& textRenderer = {}, const CliWebPorts& webPorts = {});

}  // namespace qm
