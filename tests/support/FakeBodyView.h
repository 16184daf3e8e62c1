// FakeBodyView: a stand-in for the body pane that shows the current node's
// body on every update and holds what the user typed into it.
#pragma once

#include <QString>

#include "editing/DocumentView.h"
#include "editing/QuillmapDoc.h"

namespace qm::test {

// Registers itself with the document for its lifetime, as the body pane does.
class FakeBodyView : public DocumentView, public BodyViewRole {
 public:
  explicit FakeBodyView(CQuillmapDoc& doc) : m_doc(doc) { m_doc.AddView(this); }
  ~FakeBodyView() override { m_doc.RemoveView(this); }

  void OnUpdate(const DocumentView*, int hint) override {
    text = m_doc.BodyOfCurrentNode();
    if (hint == kHintAll) ++fullUpdates;
  }
  BodyViewRole* BodyRole() override { return this; }
  QString BodyText() const override { return text; }
  int CaretPosition() const override { return caret; }
  void ApplyFirstLineTitle() override {}

  // The editor's text: set it to stand for what the user typed.
  QString text;
  int caret = 0;
  // Updates that may have changed the outline's structure (kHintAll).
  int fullUpdates = 0;

 private:
  CQuillmapDoc& m_doc;
};

}  // namespace qm::test
