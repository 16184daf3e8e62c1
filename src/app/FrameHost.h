// FrameHost: what the main frame's behaviour needs from the window that
// shows it — sizes, the splitter between the two panes, the active pane,
// the window's place on the desktop, the folder chooser and the manual. The
// Qt main window implements it; tests use a fake. Sizes are in pixels.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <optional>

#include "app/Pane.h"

namespace qm {

class FrameHost {
 public:
  virtual ~FrameHost() = default;
  FrameHost(const FrameHost&) = delete;
  FrameHost& operator=(const FrameHost&) = delete;

  // The available screen area: it decides defaults such as the window's
  // first size.
  virtual QSize ScreenSize() const = 0;
  // The main window's size: wider than high is landscape.
  virtual QSize WindowSize() const = 0;
  // The frame's client area, where the panes go.
  virtual QSize ClientSize() const = 0;
  // Creates the splitter: two rows (tree above) or two columns (tree left),
  // the tree pane firstSize pixels high or wide.
  virtual void CreateSplitter(bool rows, int firstSize) = 0;
  // Turns the splitter to rows or columns, keeping both panes.
  virtual void SetSplitRows(bool rows) = 0;
  // The tree pane's current height (rows) or width (columns).
  virtual int FirstPaneSize() const = 0;
  // Gives the panes these sizes along the split and lays them out.
  virtual void SetPaneSizes(int first, int second) = 0;
  virtual void ActivatePane(Pane pane) = 0;
  virtual std::optional<QString> ChooseFolder(const QString& prompt, const QString& start) = 0;
  // The window's place and size on the desktop, in a form only the host
  // reads back; RestorePlacement returns false when it cannot use one.
  virtual QByteArray Placement() const = 0;
  virtual bool RestorePlacement(const QByteArray& placement) = 0;
  virtual void ResizeWindow(QSize size) = 0;
  // The manual's file, or empty when it is not installed.
  virtual QString ManualPath() const = 0;
  // Shows the manual in the desktop's browser; false when none opened it.
  virtual bool OpenManual(const QString& path) = 0;

 protected:
  FrameHost() = default;
};

}  // namespace qm
