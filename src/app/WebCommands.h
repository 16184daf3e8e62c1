// The web outline service's four commands: open from the web, save to the
// web, disconnect and the web account. They are always available; each one
// asks for what it lacks (an account, a title) when it runs.
//
// The document and the web access must outlive the target.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "app/CommandTarget.h"

namespace qm {

class CQuillmapDoc;
class WebAccess;

// openDocument opens a document by name the way the open command does
// (asking to save the open one first).
std::unique_ptr<CommandTarget> MakeWebCommands(
    CQuillmapDoc& document, WebAccess& web, std::function<bool(const QString& path)> openDocument);

}  // namespace qm
