// DocumentPaneFixture: a document with its tree pane and a stand-in body
// pane, wired to fakes as the window wires the real ones.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "editing/DocumentView.h"
#include "editing/KeyTable.h"
#include "editing/PaneHost.h"
#include "editing/QTreeView.h"
#include "editing/QuillmapDoc.h"
#include "fakes/FakeDialogs.h"
#include "model/StoreFixture.h"

namespace qm::test {

// Reports selection changes to the pane as the window's tree widget does.
class ReportingTreeControl : public FakeTreeControl {
 public:
  void SelectItem(TreeItem item) override {
    const TreeItem old = GetSelectedItem();
    if (item == old) return;
    view->OnSelectionChanging(old);
    FakeTreeControl::SelectItem(item);
    view->OnSelectionChanged(item);
  }
  CQTreeView* view = nullptr;
};

// Shows the current node's body on every update, as the body pane does.
class BodyPaneStub : public DocumentView, public BodyViewRole {
 public:
  explicit BodyPaneStub(CQuillmapDoc& d) : doc(d) {}
  void OnUpdate(const DocumentView*, int hint) override {
    text = doc.BodyOfCurrentNode();
    if (hint == kHintAll) ++fullUpdates;
  }
  BodyViewRole* BodyRole() override { return this; }
  QString BodyText() const override { return text; }
  int CaretPosition() const override { return 0; }
  void ApplyFirstLineTitle() override {}
  CQuillmapDoc& doc;
  QString text;
  int fullUpdates = 0;
};

class PaneHostStub : public PaneHost {
 public:
  void FocusBodyPane() override {}
  void FocusTreePane() override {}
  bool BodyPaneHasFocus() const override { return false; }
  void SendToFrame(int) override {}
  void CloseMainWindow() override {}
  void SetWaitCursor(bool) override {}
  bool IsLandscape() const override { return true; }
};

class NoKeys : public KeyTable {
 public:
  int CommandFor(const KeyPress&) const override { return 0; }
};

class DocumentPaneFixture : public ::testing::Test {
 protected:
  DocumentPaneFixture() : doc(settings, clock, prompt, dialogs), body(doc) {
    doc.Store().SetPane(&tree);
    doc.AddView(&body);
    tree.view = &view;
  }
  ~DocumentPaneFixture() override { doc.RemoveView(&body); }

  // Nodes as "path" or "path=body", "/" standing for the path separator;
  // loaded and shown as an opened file is.
  void Build(std::initializer_list<const char*> nodes) {
    doc.Store().Clear();
    for (const char* text : nodes) {
      const QStringList parts = QString::fromUtf8(text).split(u'=');
      auto node = std::make_unique<CDirData>();
      node->m_strPath = P(parts[0].toUtf8().constData());
      if (parts.size() > 1) node->m_strBody = parts[1];
      doc.Store().AppendLoaded(std::move(node));
    }
    doc.Store().FinishLoading(QStringLiteral("t.qmp"));
    view.InitialLoad();
    body.OnUpdate(nullptr, kHintAll);
  }
  CTreeStore& Store() { return doc.Store(); }
  int Index(const char* path) const { return doc.Store().FindPath(P(path)); }
  CDirData& Node(const char* path) { return doc.Store().GetNode(Index(path)); }
  void Select(const char* path) { tree.SelectItem(doc.Store().GetItem(Index(path))); }
  QString Selected() const {
    const int i = doc.Store().GetSelected();
    return i < 0 ? QString() : QString(doc.Store().GetPath(i)).replace(kPathSeparator, u'/');
  }

  MemorySettingsStore settings;
  FakeClock clock;
  FakePrompt prompt;
  FakeDialogs dialogs;
  ReportingTreeControl tree;
  PaneHostStub host;
  NoKeys keys;
  CQuillmapDoc doc;
  BodyPaneStub body;
  CQTreeView view{doc, settings, clock, prompt, dialogs, host, keys};
};

}  // namespace qm::test
