// PanesFixture: a document with its tree pane over fakes, wired as the
// window wires them, with the real body pane (PanesFixture) or a stand-in
// for it (TreePaneFixture), and helpers to build outlines and read them.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>
#include <initializer_list>

#include "editing/BodyPane.h"
#include "editing/QuillmapDoc.h"
#include "editing/TreePane.h"
#include "support/FakeBodyView.h"
#include "support/FakeClipboard.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditControl.h"
#include "support/FakeKeyTable.h"
#include "support/FakePaneHost.h"
#include "support/ReportingTreeControl.h"
#include "support/StoreFixture.h"

namespace qm::test {

// What both fixtures share; the body pane comes with each of them.
class DocumentPanesBase : public ::testing::Test {
 protected:
  DocumentPanesBase() : doc(settings, clock, prompt, dialogs) {
    doc.Store().SetPane(&pane);
    pane.view = &tree;
    tree.SetMarksMenuRebuild([this] { ++marksRebuilt; });
  }

  // Replaces the outline by these nodes (see LoadOutline) and shows it as
  // an opened file is shown: the saved node, else the first, is current.
  void Build(std::initializer_list<const char*> nodes) {
    LoadOutline(doc.Store(), nodes);
    ShowLoaded();
  }
  // The panes' first load of the outline the document holds now.
  void ShowLoaded() {
    tree.InitialLoad();
    LoadBodyPane();
    doc.SetModified(false);
  }

  CTreeStore& Store() { return doc.Store(); }
  int Index(const char* path) const { return doc.Store().FindPath(P(path)); }
  CDirData& Node(const char* path) {
    const int i = Index(path);
    EXPECT_GE(i, 0) << "no node " << path;
    return doc.Store().GetNode(std::max(i, 0));
  }
  // Selects the node in the tree control, as the user does.
  void Select(const char* path) { pane.SelectItem(doc.Store().GetItem(Index(path))); }
  // The selected and the current node's paths; empty for none.
  QString Selected() const { return Paths().value(doc.Store().GetSelected()); }
  QString Current() const { return Paths().value(doc.CurrentNode()); }
  QStringList Paths() const { return ReadablePaths(doc.Store()); }
  QString Body(const char* path) const {
    return Index(path) < 0 ? QStringLiteral("<no node>") : doc.Store().GetBody(Index(path));
  }

  MemorySettingsStore settings;
  FakeClock clock;
  FakePrompt prompt;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  ReportingTreeControl pane;
  FakePaneHost host;
  FakeKeyTable keys;
  CQuillmapDoc doc;
  CQTreeView tree{doc, settings, clock, prompt, dialogs, host, keys};
  int marksRebuilt = 0;

 private:
  virtual void LoadBodyPane() = 0;
};

// Both real panes, the body pane over a fake editor.
class PanesFixture : public DocumentPanesBase {
 protected:
  PanesFixture() {
    edit.onTextChanged = [this] { body.OnTextChanged(); };
  }

  FakeEditControl edit;
  CQEditView body{doc, edit, settings, prompt, dialogs, host, keys};

 private:
  void LoadBodyPane() override { body.InitialLoad(); }
};

// The tree pane with a stand-in body pane whose text a test sets directly.
class TreePaneFixture : public DocumentPanesBase {
 protected:
  FakeBodyView body{doc};

 private:
  void LoadBodyPane() override { body.OnUpdate(nullptr, kHintAll); }
};

}  // namespace qm::test
