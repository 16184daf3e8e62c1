// PanesFixture: a document with both real panes over fakes, whose tree
// control reports selection changes to the tree pane as the window's tree
// widget does, for tests of commands that work across the two panes.
#pragma once

#include <QStringList>
#include <algorithm>
#include <vector>

#include "editing/KeyTable.h"
#include "editing/PaneHost.h"
#include "editing/QEditView.h"
#include "editing/QTreeView.h"
#include "editing/QuillmapDoc.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeEditControl.h"
#include "model/StoreFixture.h"

namespace qm::test {

// Reports selection changes to the pane, including the control moving the
// selection off an item being deleted.
class SelectionReportingTree : public FakeTreeControl {
 public:
  void SelectItem(TreeItem item) override {
    const TreeItem old = GetSelectedItem();
    if (item == old) return;
    if (view != nullptr) view->OnSelectionChanging(old);
    FakeTreeControl::SelectItem(item);
    if (view != nullptr) view->OnSelectionChanged(item);
  }
  void DeleteItem(TreeItem item) override {
    for (TreeItem i = GetSelectedItem(); i != 0 && Exists(item); i = Get(i).parent) {
      if (i == item) {
        SelectItem(Neighbour(item));
        break;
      }
    }
    FakeTreeControl::DeleteItem(item);
  }
  CQTreeView* view = nullptr;

 private:
  TreeItem Neighbour(TreeItem item) const {
    const TreeItem parent = Get(item).parent;
    const auto& siblings = parent == 0 ? TopItems() : Get(parent).children;
    const auto it = std::find(siblings.begin(), siblings.end(), item);
    if (it + 1 != siblings.end()) return *(it + 1);
    return it != siblings.begin() ? *(it - 1) : parent;
  }
};

class RecordingHost : public PaneHost {
 public:
  void FocusBodyPane() override { ++bodyFocused; }
  void FocusTreePane() override {}
  bool BodyPaneHasFocus() const override { return false; }
  void SendToFrame(int) override {}
  void CloseMainWindow() override {}
  void SetWaitCursor(bool) override {}
  bool IsLandscape() const override { return true; }
  int bodyFocused = 0;
};

class PanesFixture : public ::testing::Test {
 protected:
  PanesFixture()
      : doc(settings, clock, prompt, dialogs),
        tree(doc, settings, clock, prompt, dialogs, host, keys),
        body(doc, edit, settings, prompt, dialogs, host, keys) {
    doc.Store().SetPane(&pane);
    pane.view = &tree;
    edit.onTextChanged = [this] { body.OnTextChanged(); };
    tree.SetMarksMenuRebuild([this] { ++marksRebuilt; });
  }

  // Nodes as "path" or "path=body", "/" standing for the path separator;
  // the first node is shown.
  void Build(std::initializer_list<const char*> nodes) {
    CTreeStore& store = doc.Store();
    store.Clear();
    for (const char* text : nodes) {
      const QString line = QString::fromUtf8(text);
      const qsizetype split = line.indexOf(u'=');
      auto node = std::make_unique<CDirData>();
      node->m_strPath = P(line.left(split).toUtf8().constData());
      if (split >= 0) node->m_strBody = line.sliced(split + 1);
      store.AppendLoaded(std::move(node));
    }
    store.FinishLoading(QStringLiteral("t.qmp"));
    tree.InitialLoad();
    body.InitialLoad();
    doc.SetModified(false);
  }
  int Index(const char* path) const { return doc.Store().FindPath(P(path)); }
  CDirData& Node(const char* path) { return doc.Store().GetNode(std::max(Index(path), 0)); }
  void Select(const char* path) { pane.SelectItem(doc.Store().GetItem(Index(path))); }
  QString Selected() const { return Paths().value(doc.Store().GetSelected()); }
  QString Current() const { return Paths().value(doc.CurrentNode()); }
  QStringList Paths() const {
    QStringList out;
    for (int i = 0; i < doc.Store().GetCount(); ++i) {
      out << QString(doc.Store().GetPath(i)).replace(kPathSeparator, u'/');
    }
    return out;
  }
  QString Body(const char* path) const {
    return Index(path) < 0 ? QStringLiteral("<no node>") : doc.Store().GetBody(Index(path));
  }

  MemorySettingsStore settings;
  FakeClock clock;
  FakePrompt prompt;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  SelectionReportingTree pane;
  FakeEditControl edit;
  RecordingHost host;
  NoKeyBindings keys;
  CQuillmapDoc doc;
  CQTreeView tree;
  CQEditView body;
  int marksRebuilt = 0;
};

}  // namespace qm::test
