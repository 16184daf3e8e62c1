// FrameHost: what the main frame's behaviour needs from the window that
// shows it — sizes, the splitter between the two panes, the active pane,
// the folder chooser and opening the manual. The Qt main window implements
// it; tests use a fake. Sizes are in pixels.
#pragma once

#include <QSize>
#include <QString>
#include <optional>

namespace qm {

enum class Pane { Tree, Body };

class FrameHost {
 public:
  virtual ~FrameHost() = default;
  FrameHost(const FrameHost&) = delete;
  FrameHost& operator=(const FrameHost&) = delete;

  // The available screen area; it decides landscape or portrait.
  virtual QSize ScreenSize() const = 0;
  // The frame's client area, where the panes go.
  virtual QSize ClientSize() const = 0;
  // Creates the splitter: two rows (tree above) or two columns (tree left),
  // the tree pane firstSize pixels high or wide.
  virtual void CreateSplitter(bool rows, int firstSize) = 0;
  // The tree pane's current height (rows) or width (columns).
  virtual int FirstPaneSize() const = 0;
  // Gives the panes these sizes along the split and lays them out.
  virtual void SetPaneSizes(int first, int second) = 0;
  virtual void ActivatePane(Pane pane) = 0;
  virtual std::optional<QString> ChooseFolder(const QString& prompt, const QString& start) = 0;
  // Opens the manual; false when it could not be shown.
  virtual bool OpenManual() = 0;

 protected:
  FrameHost() = default;
};

}  // namespace qm
