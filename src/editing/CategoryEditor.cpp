// CCategoryEditor and CCategorySettings: the category list edited in place,
// the nodes renumbered with it, and the tree pane following.
#include "editing/CategoryEditor.h"

#include <utility>

#include "editing/QuillmapDoc.h"
#include "editing/TreePane.h"
#include "model/DirData.h"
#include "model/TreeStore.h"
#include "platform/Prompt.h"
#include "res/Strings.h"

namespace qm {

CCategoryEditor::CCategoryEditor(CTreeStore& store, CategoryDialogs& dialogs, Prompt& prompt,
                                 SettingsStore& settings, std::function<void()> beforeChange)
    : m_store(store),
      m_dialogs(dialogs),
      m_prompt(prompt),
      m_settings(settings),
      m_beforeChange(std::move(beforeChange)),
      m_selected(store.Categories().Count() > 0 ? 0 : -1) {}

QStringList CCategoryEditor::Names() const {
  QStringList names;
  for (const Category& entry : m_store.Categories().Entries()) names << entry.name;
  return names;
}

void CCategoryEditor::Select(int row) {
  m_selected = row >= 0 && row < m_store.Categories().Count() ? row : -1;
}

bool CCategoryEditor::HasSelection() const {
  return m_selected >= 0 && m_selected < m_store.Categories().Count();
}

void CCategoryEditor::WillChange() {
  if (!m_entriesChanged && m_beforeChange) m_beforeChange();
  m_entriesChanged = true;
}

CategoryEntryText CCategoryEditor::Cleaned(const CategoryEntryText& text) {
  // A line break would end the settings line early and turn the rest of the
  // text into a line of its own when the file is read again.
  return {CDirData::SanitizeLine(text.name), CDirData::SanitizeLine(text.memo)};
}

void CCategoryEditor::Add() {
  QList<Category>& entries = m_store.Categories().Entries();
  if (entries.size() >= kMaxCategories) {
    m_prompt.Ask(res::kCategoryListFull.toString(), PromptButtons::Ok, PromptIcon::Warning);
    return;
  }
  const std::optional<CategoryEntryText> answer = m_dialogs.EditCategoryEntry({});
  if (!answer) return;
  const CategoryEntryText text = Cleaned(*answer);
  WillChange();
  entries.append(Category{text.name, text.memo});
  m_selected = static_cast<int>(entries.size()) - 1;
}

void CCategoryEditor::Edit() {
  if (!HasSelection()) return;
  Category& entry = m_store.Categories().Entries()[m_selected];
  const std::optional<CategoryEntryText> answer =
      m_dialogs.EditCategoryEntry({entry.name, entry.memo});
  if (!answer) return;
  const CategoryEntryText text = Cleaned(*answer);
  if (text.name == entry.name && text.memo == entry.memo) return;
  WillChange();
  m_store.Categories().Entries()[m_selected] = Category{text.name, text.memo};
}

void CCategoryEditor::Delete() {
  if (!HasSelection()) return;
  QList<Category>& entries = m_store.Categories().Entries();
  const int i = m_selected;
  const QString question = res::kAskDeleteCategory.toString().arg(entries[i].name);
  if (m_prompt.Ask(question, PromptButtons::OkCancel, PromptIcon::Question) != PromptAnswer::Ok) {
    return;
  }
  WillChange();
  entries.removeAt(i);
  m_store.RenumberCategory(i, -1);
  // Positions are 0-based here and 1-based in the nodes: the categories
  // after the gone one each move up by one.
  const int count = static_cast<int>(entries.size());
  for (int k = i + 1; k <= count; ++k) m_store.RenumberCategory(k, k - 1);
  m_selected = i < count ? i : count - 1;
}

void CCategoryEditor::MoveUp() {
  if (!HasSelection() || m_selected == 0) return;
  const int i = m_selected;
  WillChange();
  m_store.Categories().Entries().swapItemsAt(i, i - 1);
  ExchangeNumbers(i + 1, i);
  m_selected = i - 1;
}

void CCategoryEditor::MoveDown() {
  if (!HasSelection() || m_selected + 1 >= m_store.Categories().Count()) return;
  const int i = m_selected;
  WillChange();
  m_store.Categories().Entries().swapItemsAt(i, i + 1);
  ExchangeNumbers(i + 1, i + 2);
  m_selected = i + 1;
}

void CCategoryEditor::ExchangeNumbers(int a, int b) {
  // In one pass rather than through a spare number: any spare number may
  // already be on some node (files from elsewhere carry any 0-255), and
  // that node would end up in the moved category.
  for (int n = 0; n < m_store.GetCount(); ++n) {
    CDirData& node = m_store.GetNode(n);
    const int category = node.GetCategory();
    if (category == a) {
      node.SetCategory(b);
    } else if (category == b) {
      node.SetCategory(a);
    }
  }
}

QString CCategoryEditor::Before() const { return m_store.Categories().Before(); }

QString CCategoryEditor::After() const { return m_store.Categories().After(); }

void CCategoryEditor::Close(const QString& before, const QString& after) {
  CCategoryList& list = m_store.Categories();
  m_textsChanged = before != list.Before() || after != list.After();
  list.SetBefore(before);
  list.SetAfter(after);
  list.SaveTexts(m_settings);
}

// ---- The command ----

CCategorySettings::CCategorySettings(CQuillmapDoc& doc, CQTreeView& tree, SettingsStore& settings,
                                     Prompt& prompt, CategoryDialogs& dialogs)
    : m_doc(doc), m_tree(tree), m_settings(settings), m_prompt(prompt), m_dialogs(dialogs) {}

void CCategorySettings::Run() {
  // Handed over first, so that the snapshot holds what the user typed.
  m_doc.WriteBodyBack();
  CTreeStore& store = m_doc.Store();
  int selected = store.GetSelected();
  if (selected < 0) selected = m_doc.CurrentNode();

  CCategoryEditor editor(store, m_dialogs, m_prompt, m_settings, [this] { m_doc.TakeSnapshot(); });
  m_dialogs.EditCategories(editor);
  m_doc.SetCategoryTexts(store.Categories().Before(), store.Categories().After());

  if (editor.EntriesChanged()) {
    m_tree.RebuildAndSelect(selected);
    m_doc.SetModified();
  } else if (editor.TextsChanged() && store.GetCount() > 0) {
    store.RefreshBranchText(0, false);
  }
}

}  // namespace qm
