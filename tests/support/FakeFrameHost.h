// FakeFrameHost: a main window for the frame's behaviour, with sizes the
// test sets and a record of what the frame did to it.
#pragma once

#include "app/FrameHost.h"

namespace qm::test {

class FakeFrameHost : public FrameHost {
 public:
  QSize ScreenSize() const override { return screen; }
  QSize WindowSize() const override { return window; }
  QSize ClientSize() const override { return client; }
  void CreateSplitter(bool splitRows, int size) override {
    rows = splitRows;
    first = size;
  }
  void SetSplitRows(bool splitRows) override { rows = splitRows; }
  int FirstPaneSize() const override { return first; }
  void SetPaneSizes(int a, int b) override {
    first = a;
    second = b;
  }
  void ActivatePane(Pane pane) override { active = pane; }
  std::optional<QString> ChooseFolder(const QString&, const QString& start) override {
    startedAt = start;
    return folder;
  }
  QByteArray Placement() const override { return placement; }
  bool RestorePlacement(const QByteArray& stored) override {
    if (stored.isEmpty()) return false;
    placement = stored;
    return true;
  }
  void ResizeWindow(QSize size) override { window = size; }
  QString ManualPath() const override { return manual; }
  bool OpenManual(const QString& path) override {
    opened = path;
    return browser;
  }

  // The window and its client area (the client a little smaller).
  void Resize(QSize size) {
    window = size;
    client = size - QSize(20, 40);
  }

  QSize screen{480, 640};
  QSize window{480, 640};
  QSize client{460, 600};
  bool rows = false;
  int first = -1;
  int second = -1;
  Pane active = Pane::Body;
  std::optional<QString> folder;
  QString startedAt;
  QByteArray placement;
  QString manual = QStringLiteral("/usr/share/quillmap/manual.html");
  bool browser = true;  // whether a browser opens the manual
  QString opened;
};

}  // namespace qm::test
