// The messages that tell the user how a load or save went, made from a
// FileReport with the program's own texts. Used by every front end.
#pragma once

#include <QStringList>

#include "model/TreeStore.h"

namespace qm {

// The failure message, with the reason the system gave where the file
// could not be read or written ("書き込みできません（理由：ディスクがいっぱいです）");
// empty when the report holds no error or the user declined the save.
QString FileErrorText(const FileReport& report);

// Notes worth telling even after success: bytes read as U+FFFD (listed in
// hex when the report has them), nodes re-placed to fit the tree, lines the
// outline could not take (with the first line numbers), characters
// dropped, a settings section or body left unclosed, characters saved as
// "?".
QStringList FileWarningTexts(const FileReport& report);

// The characters a save cannot store, as the user should see them: a U+FFFD
// stands for bytes the loaded file held that could not be read, and is
// shown as those bytes in hex ("［0x85 0x40、0xFF］") when the load's report
// (or a save's, which carries them) lists them. Every U+FFFD is taken for
// such bytes: the code page never reads one any other way.
QString UnencodableDisplay(const QString& unencodable, const FileReport& loaded);

}  // namespace qm
