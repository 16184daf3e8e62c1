// The command-line tool's web verbs: list, open, save and update outlines
// of the web outline service through the program's own protocol client.
//
//   web list                    one line per web file: id, tab, update time, tab, title
//   web open ID OUT             the web file ID's bytes written to OUT
//   web save IN --title T       IN stored as a new web file; prints its id
//   web update IN ID [--title T] IN written over the web file ID (its title
//                               kept unless --title gives another)
//
// The account comes from System/WebID and System/WP, the hosts from
// Web/AccountHost and Web/ServiceHost (the settings store or --set). With
// --password-stdin the password is the first line of standard input
// instead, so that scripts need not keep it in their settings or on a
// command line.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "cli/CliRunner.h"

namespace qm {

class SettingsStore;

struct WebRequest {
  QStringList operands;  // the sub-verb and its operands
  std::optional<QString> title;
  bool passwordFromInput = false;
};

// True when request names a web verb with the operands it needs.
bool IsWebRequestComplete(const WebRequest& request);

// Runs a complete request. Returns the exit status: 0 success, 1 failure
// (the reason went to streams.err).
int RunWebVerb(const WebRequest& request, const SettingsStore& settings, CliStreams& streams,
               const CliWebPorts& ports);

}  // namespace qm
