// The two panes' font sections of the settings store.
#include "app/PaneFont.h"

#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

namespace qm {
namespace {

struct FontKeys {
  const StringSetting& face;
  const IntSetting& point;
  const IntSetting& weight;
  const IntSetting& italic;
  const IntSetting& underline;
  const IntSetting& charSet;
};

constexpr int kBoldFrom = 600;  // weights above 599 read as bold
constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;

const FontKeys& KeysOf(Pane pane) {
  static const FontKeys tree{settings::kFontFaceName,  settings::kFontPoint,
                             settings::kFontWeight,    settings::kFontItalic,
                             settings::kFontUnderline, settings::kFontCharSet};
  static const FontKeys body{settings::kEFontFaceName,  settings::kEFontPoint,
                             settings::kEFontWeight,    settings::kEFontItalic,
                             settings::kEFontUnderline, settings::kEFontCharSet};
  return pane == Pane::Tree ? tree : body;
}

}  // namespace

PaneFont ReadPaneFont(const SettingsStore& settings, Pane pane) {
  const FontKeys& keys = KeysOf(pane);
  PaneFont font;
  font.face = Read(settings, keys.face, QString());
  font.point = std::max(0, Read(settings, keys.point, 0));
  font.bold = Read(settings, keys.weight) >= kBoldFrom;
  font.italic = Read(settings, keys.italic) != 0;
  font.underline = Read(settings, keys.underline) != 0;
  return font;
}

void WritePaneFont(SettingsStore& settings, Pane pane, const PaneFont& font) {
  const FontKeys& keys = KeysOf(pane);
  Write(settings, keys.face, font.face);
  Write(settings, keys.point, font.point);
  Write(settings, keys.weight, font.bold ? kBoldWeight : kNormalWeight);
  Write(settings, keys.italic, font.italic ? 1 : 0);
  Write(settings, keys.underline, font.underline ? 1 : 0);
  Write(settings, keys.charSet, keys.charSet.fallback);  // kept for older readers
}

}  // namespace qm
