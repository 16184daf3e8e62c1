// ApplicationHost: what the application needs from the window — the
// window title, the recent files and the marked nodes in the menus, the
// recent-file popup, the panes' fonts and the font dialog, the screen's
// shape, and the look the settings sheet sets: the tree pane's indent and
// the body pane's colours. The Qt main window's wiring implements it; tests
// use a fake. Must outlive the application object.
#pragma once

#include <QStringList>
#include <optional>

#include "app/Pane.h"
#include "app/PaneFont.h"

namespace qm {

class ApplicationHost {
 public:
  virtual ~ApplicationHost() = default;
  ApplicationHost(const ApplicationHost&) = delete;
  ApplicationHost& operator=(const ApplicationHost&) = delete;

  // The title shows the document's title and, while modified is true, the
  // unsaved-changes marker.
  virtual void ShowDocumentTitle(const QString& title, bool modified) = 0;
  // The menus list these recent files' display names, most recent first.
  virtual void ShowRecentFiles(const QStringList& displayNames) = 0;
  // The marks menu lists these marked nodes' labels, in outline order.
  virtual void ShowMarkedNodes(const QStringList& labels) = 0;
  // Pops the recent files up under their command-bar button.
  virtual void PopUpRecentFiles() = 0;
  // The font the pane shows now, every field filled in.
  virtual PaneFont FontOf(Pane pane) const = 0;
  // The font dialog, starting on current. Nothing on cancel.
  virtual std::optional<PaneFont> ChooseFont(const PaneFont& current) = 0;
  // Shows the pane's text in font; an empty face or a size of 0 keeps the
  // desktop's.
  virtual void SetFont(Pane pane, const PaneFont& font) = 0;
  // True when the screen (not the window) is wider than high.
  virtual bool IsScreenLandscape() const = 0;
  // The tree pane's indent of one level, in pixels, as shown now.
  virtual int TreeIndent() const = 0;
  // REQUIRES: pixels >= 0.
  virtual void SetTreeIndent(int pixels) = 0;
  // Shows the body pane's text and background in these colours, 0x00BBGGRR.
  virtual void SetBodyColours(int text, int back) = 0;

 protected:
  ApplicationHost() = default;
};

}  // namespace qm
