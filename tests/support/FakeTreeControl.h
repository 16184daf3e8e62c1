// FakeTreeControl: a tree control that keeps its items in memory so tests
// can assert what the tree pane would show.
//
// Items are numbered from 1 in creation order and never reused. Dump()
// renders the visible state as indented text, one item per line:
//   "<text> [img=<image> state=<state> +]" ("+" when expanded).
#pragma once

#include <QStringList>
#include <map>
#include <vector>

#include "platform/TreeControl.h"

namespace qm::test {

class FakeTreeControl : public TreeControl {
 public:
  struct Item {
    TreeItem parent = 0;
    std::vector<TreeItem> children;
    QString text;
    int image = -1;
    int selectedImage = -1;
    int stateImage = 0;
    bool expanded = false;
  };

  TreeItem InsertItem(TreeItem parent, TreeItem after, const QString& text, int image,
                      int selectedImage) override;
  void DeleteItem(TreeItem item) override;
  void DeleteAllItems() override;
  void SetItemText(TreeItem item, const QString& text) override;
  bool SetItemImage(TreeItem item, int image, int selectedImage) override;
  void SetItemStateImage(TreeItem item, int stateImage) override;
  void Expand(TreeItem item, bool expand) override;
  void SelectItem(TreeItem item) override;
  TreeItem GetSelectedItem() const override { return m_selected; }
  void EnsureVisible(TreeItem item) override;
  void EditLabel(TreeItem item) override { m_editing = item; }
  TreeItem GetPrevSiblingItem(TreeItem item) const override;
  void SetRedraw(bool on) override;

  // Inspection.
  bool Exists(TreeItem item) const { return m_items.count(item) != 0; }
  const Item& Get(TreeItem item) const { return m_items.at(item); }
  const std::vector<TreeItem>& TopItems() const { return m_top; }
  qsizetype ItemCount() const { return static_cast<qsizetype>(m_items.size()); }
  QStringList Texts() const;  // every item's text in display order
  QString Dump() const;
  bool RedrawOn() const { return m_redrawOn; }
  int RedrawOffCount() const { return m_redrawOffCount; }
  TreeItem LastEnsuredVisible() const { return m_lastVisible; }
  // The item whose label editing was started last, or 0.
  TreeItem EditedLabel() const { return m_editing; }
  // Makes SetItemImage fail from now on (to test error reporting).
  void FailImageCalls(bool fail) { m_failImages = fail; }

 private:
  std::vector<TreeItem>& SiblingsOf(TreeItem parent);
  const std::vector<TreeItem>& SiblingsOf(TreeItem parent) const;
  void Erase(TreeItem item);
  void DumpInto(const std::vector<TreeItem>& items, int depth, QString& out) const;
  void TextsInto(const std::vector<TreeItem>& items, QStringList& out) const;

  std::map<TreeItem, Item> m_items;
  std::vector<TreeItem> m_top;
  TreeItem m_next = 1;
  TreeItem m_selected = 0;
  TreeItem m_lastVisible = 0;
  TreeItem m_editing = 0;
  bool m_redrawOn = true;
  int m_redrawOffCount = 0;
  bool m_failImages = false;
};

}  // namespace qm::test
