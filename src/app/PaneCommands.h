// The command targets of the two panes and of the document: which command
// ids each runs and the update rule of each, bound to the behaviour objects
// of the editing layer. The router asks the focused pane first, so a
// command both panes know (undo, cut, switch panes) runs in the pane that
// has the focus.
//
// The behaviour objects must outlive the targets made for them.
#pragma once

#include <memory>

#include "app/CommandTarget.h"

namespace qm {

class CQEditView;
class CQTreeView;
class CQuillmapDoc;
class EditControl;

std::unique_ptr<CommandTarget> MakeTreePaneCommands(CQTreeView& tree);
// The body pane's commands work on its editor. Adding nodes works from the
// body pane too: the first line becomes the title first, the tree pane
// adds, and the editor keeps the focus. Undo takes back the editor's own
// edits, and right after a change that took a snapshot, that change.
std::unique_ptr<CommandTarget> MakeBodyPaneCommands(CQuillmapDoc& document, CQEditView& body,
                                                    CQTreeView& tree, EditControl& editor);
std::unique_ptr<CommandTarget> MakeDocumentCommands(CQuillmapDoc& document);

}  // namespace qm
