// CCategoryEditor: what the category dialog does to an outline's category
// list, and CCategorySettings, the command that runs that dialog.
//
// A node names its category by its 1-based position in the list, so every
// change of positions renumbers the nodes with it: deleting a category
// unsets the nodes of that category and moves the later ones up by one;
// moving a category exchanges its number with its neighbour's. The list
// holds at most kMaxCategories entries.
//
// Not thread-safe: the user-interface thread owns both classes.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "editing/CategoryDialogs.h"

namespace qm {

class CQTreeView;
class CQuillmapDoc;
class CTreeStore;
class Prompt;
class SettingsStore;

class CCategoryEditor : public CategoryListSession {
 public:
  static constexpr int kMaxCategories = 99;

  // Edits store's category list and renumbers store's nodes in place.
  // beforeChange, when set, runs once, just before the first change to the
  // list or to a node. The store, dialogs, prompt and settings store must
  // outlive the editor. Starts with the first entry selected.
  CCategoryEditor(CTreeStore& store, CategoryDialogs& dialogs, Prompt& prompt,
                  SettingsStore& settings, std::function<void()> beforeChange = {});

  QStringList Names() const override;
  int Selected() const override { return m_selected; }
  void Select(int row) override;
  // Asks for a name and a memo and appends them, selected. A full list
  // says so instead of asking.
  void Add() override;
  // Asks for the selected entry's new name and memo.
  void Edit() override;
  // Asks first; selects the entry that moved into the place, or the new
  // last one.
  void Delete() override;
  void MoveUp() override;
  void MoveDown() override;
  QString Before() const override;
  QString After() const override;
  // Keeps the texts in the list and writes them to the settings store
  // (System/CategoryStrBefore, System/CategoryStrAfter).
  void Close(const QString& before, const QString& after) override;

  // True once an entry was added, edited, deleted or moved.
  bool EntriesChanged() const { return m_entriesChanged; }
  // True when Close got other texts than the list had.
  bool TextsChanged() const { return m_textsChanged; }

 private:
  bool HasSelection() const;
  void WillChange();
  // Every node of category a gets b and every node of category b gets a
  // (1-based numbers), in one pass.
  void ExchangeNumbers(int a, int b);
  // Name and memo as the settings block can keep them: one line each.
  static CategoryEntryText Cleaned(const CategoryEntryText& text);

  CTreeStore& m_store;
  CategoryDialogs& m_dialogs;
  Prompt& m_prompt;
  SettingsStore& m_settings;
  std::function<void()> m_beforeChange;
  int m_selected = -1;
  bool m_entriesChanged = false;
  bool m_textsChanged = false;
};

// The category settings command of the document: runs the category dialog
// on the live outline. When the entries changed, the tree pane is rebuilt
// on the node that was selected, the document is modified and Undo returns
// to the list as it was before the dialog. New texts around the names are
// shown at once; they are settings, so they neither modify the document nor
// go back with Undo. The references must outlive the object.
class CCategorySettings {
 public:
  CCategorySettings(CQuillmapDoc& doc, CQTreeView& tree, SettingsStore& settings, Prompt& prompt,
                    CategoryDialogs& dialogs);
  CCategorySettings(const CCategorySettings&) = delete;
  CCategorySettings& operator=(const CCategorySettings&) = delete;

  void Run();

 private:
  CQuillmapDoc& m_doc;
  CQTreeView& m_tree;
  SettingsStore& m_settings;
  Prompt& m_prompt;
  CategoryDialogs& m_dialogs;
};

}  // namespace qm
