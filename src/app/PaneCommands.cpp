// Command targets of the tree pane, the body pane and the document.
#include "app/PaneCommands.h"

#include "editing/BodyPane.h"
#include "editing/QuillmapDoc.h"
#include "editing/TreePane.h"
#include "platform/EditControl.h"
#include "res/CommandIds.h"

namespace qm {
namespace {

struct TreeState {
  bool canMoveUp, canMoveDown, canLevelUp, canLevelDown, canUndo, chapters, hasSelection;
};

struct BodyState {
  bool canUndoTyping, canUndoChange, hasSelection;
};

struct DocumentState {
  bool canSave;
};

}  // namespace

std::unique_ptr<CommandTarget> MakeTreePaneCommands(CQTreeView& tree) {
  auto set = std::make_unique<CommandSet<TreeState>>([&tree] {
    return TreeState{tree.CanMoveUp(),    tree.CanMoveDown(), tree.CanLevelUp(),
                     tree.CanLevelDown(), tree.CanUndo(),     tree.IsChapterCharactersShown(),
                     tree.HasSelection()};
  });
  set->Add(kCmdAddChild, [&tree] { tree.AddChild(); });
  set->Add(kCmdAddSibling, [&tree] { tree.AddSibling(); });
  set->Add(kCmdEditNode, [&tree] { tree.EditNode(); });
  set->Add(
      kCmdEditLabel, [&tree] { tree.EditLabel(); },
      [](const TreeState& s) { return EnabledIf(s.hasSelection); });
  set->Add(kCmdDeleteBranch, [&tree] { tree.DeleteBranch(); });
  set->Add(
      kCmdMoveUp, [&tree] { tree.MoveUp(); },
      [](const TreeState& s) { return EnabledIf(s.canMoveUp); });
  set->Add(
      kCmdMoveDown, [&tree] { tree.MoveDown(); },
      [](const TreeState& s) { return EnabledIf(s.canMoveDown); });
  set->Add(
      kCmdLevelUp, [&tree] { tree.LevelUp(); },
      [](const TreeState& s) { return EnabledIf(s.canLevelUp); });
  set->Add(
      kCmdLevelDown, [&tree] { tree.LevelDown(); },
      [](const TreeState& s) { return EnabledIf(s.canLevelDown); });
  set->Add(
      kCmdUndo, [&tree] { tree.Undo(); }, [](const TreeState& s) { return EnabledIf(s.canUndo); });
  set->Add(kCmdReload, [&tree] { tree.Reload(); });
  set->Add(kCmdQuitWithConfirmation, [&tree] { tree.QuitWithConfirmation(); });
  set->Add(kCmdExit, [&tree] { tree.Quit(); });
  set->Add(kCmdSwitchPanes, [&tree] { tree.SwitchPanes(); });
  set->Add(kCmdShowOtherPaneOnly, [&tree] { tree.ShowTextOnly(); });
  set->Add(
      kCmdToggleChapterCharacters, [&tree] { tree.ToggleChapterCharacters(); },
      [](const TreeState& s) { return CheckedIf(s.chapters); });
  return set;
}

std::unique_ptr<CommandTarget> MakeBodyPaneCommands(CQuillmapDoc& document, CQEditView& body,
                                                    CQTreeView& tree, EditControl& editor) {
  auto set = std::make_unique<CommandSet<BodyState>>([&document, &body, &editor] {
    return BodyState{body.CanUndo(), document.IsUndoFresh(), editor.HasSelection()};
  });
  set->Add(
      kCmdUndo,
      [&body, &tree] {
        if (body.CanUndo()) {
          body.Undo();
        } else {
          tree.Undo();
        }
      },
      [](const BodyState& s) { return EnabledIf(s.canUndoTyping || s.canUndoChange); });
  // Cutting or pasting may change the first line, which may be the title.
  set->Add(
      kCmdCut,
      [&body, &editor] {
        editor.Cut();
        body.ApplyFirstLineTitle();
      },
      [](const BodyState& s) { return EnabledIf(s.hasSelection); });
  set->Add(
      kCmdCopy, [&editor] { editor.Copy(); },
      [](const BodyState& s) { return EnabledIf(s.hasSelection); });
  set->Add(kCmdPaste, [&body, &editor] {
    editor.Paste();
    body.ApplyFirstLineTitle();
  });
  set->Add(kCmdSelectAll, [&editor] { editor.SelectAll(); });
  set->Add(kCmdInsertFile, [&body] { body.InsertFile(); });
  set->Add(kCmdSaveTextArea, [&body] { body.SaveTextArea(); });
  set->Add(kCmdSwitchPanes, [&body] { body.SwitchPanes(); });
  set->Add(kCmdShowOtherPaneOnly, [&body] { body.ShowTreeOnly(); });
  set->Add(kCmdTreeOnlyFromBody, [&body] { body.ShowTreeOnly(); });
  for (const int id : {kCmdAddChild, kCmdAddSibling}) {
    set->Add(id, [&body, &tree, id] {
      body.ApplyFirstLineTitle();
      if (id == kCmdAddChild) {
        tree.AddChild();
      } else {
        tree.AddSibling();
      }
      body.Focus();
    });
  }
  return set;
}

std::unique_ptr<CommandTarget> MakeDocumentCommands(CQuillmapDoc& document) {
  auto set = std::make_unique<CommandSet<DocumentState>>(
      [&document] { return DocumentState{document.CanSave()}; });
  set->Add(
      kCmdSave, [&document] { document.FileSave(); },
      [](const DocumentState& s) { return EnabledIf(s.canSave); });
  set->Add(kCmdSaveAs, [&document] { document.FileSaveAs(); });
  return set;
}

}  // namespace qm
