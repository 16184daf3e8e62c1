// PaneFont: a pane's font as the settings keep it (section "Font" for the
// tree pane, "EFont" for the body pane) and as the font dialog edits it.
//
// An empty face or a point size of 0 means "the desktop's": the stored
// defaults name a face this system does not have, so an unset face keeps
// the desktop's own. Writing stores every key of the section, the ones this
// host does not use with their old values so that older readers still read.
#pragma once

#include <QString>

#include "app/Pane.h"

namespace qm {

class SettingsStore;

struct PaneFont {
  QString face;   // empty: the desktop's
  int point = 0;  // 0: the desktop's
  bool bold = false;
  bool italic = false;
  bool underline = false;

  friend bool operator==(const PaneFont&, const PaneFont&) = default;
};

PaneFont ReadPaneFont(const SettingsStore& settings, Pane pane);
void WritePaneFont(SettingsStore& settings, Pane pane, const PaneFont& font);

}  // namespace qm
