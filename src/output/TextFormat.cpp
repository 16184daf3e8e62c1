// TextFormat: reading and writing the text output options of section Text.
#include "output/TextFormat.h"

#include "platform/SettingsTable.h"

namespace qm {

TextFormat ReadTextFormat(const SettingsStore& store) {
  TextFormat format;
  format.form = Read(store, settings::kTextForm);
  format.indent = Read(store, settings::kTextIndent);
  format.selectOnly = Read(store, settings::kTextSelectOnly) != 0;
  format.fileOut = Read(store, settings::kTextFileOut) != 0;
  format.editOut = Read(store, settings::kTextEditOut) != 0;
  format.space = Read(store, settings::kTextSpace) != 0;
  format.tSpace = Read(store, settings::kTextTSpace) != 0;
  format.width = Read(store, settings::kTextWidth);
  format.separator = Read(store, settings::kTextShowStr);
  format.tabNo = Read(store, settings::kTextTabNo);
  format.spaceNo = Read(store, settings::kTextSpaceNo);
  return format;
}

void WriteTextFormat(SettingsStore& store, const TextFormat& format) {
  Write(store, settings::kTextForm, format.form);
  Write(store, settings::kTextIndent, format.indent);
  Write(store, settings::kTextSelectOnly, format.selectOnly ? 1 : 0);
  Write(store, settings::kTextFileOut, format.fileOut ? 1 : 0);
  Write(store, settings::kTextEditOut, format.editOut ? 1 : 0);
  Write(store, settings::kTextSpace, format.space ? 1 : 0);
  Write(store, settings::kTextTSpace, format.tSpace ? 1 : 0);
  Write(store, settings::kTextWidth, format.width);
  Write(store, settings::kTextShowStr, format.separator);
  Write(store, settings::kTextTabNo, format.tabNo);
  Write(store, settings::kTextSpaceNo, format.spaceNo);
}

}  // namespace qm
