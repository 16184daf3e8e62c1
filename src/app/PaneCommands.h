// The command targets of the two panes and of the document: which command
// ids each runs and the update rule of each, bound to the behaviour objects
// of the editing layer. The router asks them in focus order, so a command
// both panes know (undo, switch panes) runs in the pane that has the focus.
//
// The behaviour objects must outlive the targets made for them.
#pragma once

#include <functional>
#include <memory>

#include "app/CommandTarget.h"

namespace qm {

class CQEditView;
class CQTreeView;
class CQuillmapDoc;

std::unique_ptr<CommandTarget> MakeTreePaneCommands(CQTreeView& tree);
// The editor's own cut, copy, paste and select all, which only the widget
// can do, and the focus move back to the editor.
struct EditorActions {
  std::function<void()> cut, copy, paste, selectAll, focus;
  std::function<bool()> hasSelection;
};
// Adding nodes works from the body pane too: the first line becomes the
// title first, the tree pane adds, and the editor keeps the focus.
std::unique_ptr<CommandTarget> MakeBodyPaneCommands(CQEditView& body, CQTreeView& tree,
                                                    EditorActions editor);
std::unique_ptr<CommandTarget> MakeDocumentCommands(CQuillmapDoc& document);

}  // namespace qm
