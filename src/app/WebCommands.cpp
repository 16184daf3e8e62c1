// The web commands: each is a call into the document or the web access.
#include "app/WebCommands.h"

#include "editing/QuillmapDoc.h"
#include "editing/WebAccess.h"
#include "res/CommandIds.h"

namespace qm {

std::unique_ptr<CommandTarget> MakeWebCommands(
    CQuillmapDoc& document, WebAccess& web, std::function<bool(const QString& path)> openDocument) {
  auto set = std::make_unique<CommandSet<int>>();
  set->Add(kCmdOpenFromWeb, [&web, open = std::move(openDocument)] {
    if (const std::optional<QString> path = web.ChooseFileToOpen()) open(*path);
  });
  set->Add(kCmdSaveToWeb, [&document] { document.FileSaveToWeb(); });
  set->Add(kCmdDisconnect, [&web] { web.Disconnect(); });
  set->Add(kCmdWebAccount, [&web] { web.EditAccount(); });
  return set;
}

}  // namespace qm
