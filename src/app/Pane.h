// The two panes of the main window.
#pragma once

namespace qm {

enum class Pane { Tree, Body };

constexpr Pane OtherPane(Pane pane) { return pane == Pane::Tree ? Pane::Body : Pane::Tree; }

}  // namespace qm
