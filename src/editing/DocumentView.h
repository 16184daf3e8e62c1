// DocumentView: what the document needs from the views that show it.
//
// The document keeps a list of views (it does not own them) and tells them
// to refresh through OnUpdate. The body pane also answers for what the user
// has typed but not yet handed over (BodyViewRole); the document finds it by
// asking each view for that role. Views must stay registered only while
// they are alive: remove a view from the document before destroying it.
#pragma once

#include <QString>

namespace qm {

// Update hints: what changed in the outline.
inline constexpr int kHintAll = 0;       // structure may have changed: both panes refresh
inline constexpr int kHintBodyOnly = 1;  // structure unchanged: the tree pane ignores it

// The body pane's side of the conversation with the document.
class BodyViewRole {
 public:
  // The whole text in the editor, as the user sees it now.
  virtual QString BodyText() const = 0;
  // The caret position: the end of the selection, in UTF-16 units.
  virtual int CaretPosition() const = 0;
  // Renames the current node after the body's first line when the
  // first-line-is-title option is on; does nothing otherwise.
  virtual void ApplyFirstLineTitle() = 0;

 protected:
  BodyViewRole() = default;
  ~BodyViewRole() = default;
};

class DocumentView {
 public:
  virtual ~DocumentView() = default;
  DocumentView(const DocumentView&) = delete;
  DocumentView& operator=(const DocumentView&) = delete;

  // sender: the view that caused the change (never itself notified), or null.
  virtual void OnUpdate(const DocumentView* sender, int hint) = 0;
  // The body pane returns itself; every other view nothing.
  virtual BodyViewRole* BodyRole() { return nullptr; }

 protected:
  DocumentView() = default;
};

}  // namespace qm
