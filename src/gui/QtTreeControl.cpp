// QtTreeControl: TreeControl calls turned into QTreeWidget calls.
#include "gui/QtTreeControl.h"

#include <QSignalBlocker>

#include "gui/TreeIcons.h"

namespace qm {

QtTreeControl::QtTreeControl(QTreeWidget& widget) : m_widget(widget) {
  m_widget.setHeaderHidden(true);
  m_widget.setColumnCount(1);
  m_widget.setUniformRowHeights(true);  // keeps large outlines fast to lay out
}

TreeItem QtTreeControl::InsertItem(TreeItem parent, TreeItem after, const QString& text, int image,
                                   int /*selectedImage*/) {
  auto* item = new QTreeWidgetItem(QStringList{text});
  // Labels are edited in place (F2, a tap on the selected label); the
  // store, not the widget, decides what the label then shows.
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  item->setData(0, kImageRole, image);
  item->setData(0, kStateImageRole, 0);
  ApplyIcon(item);
  if (m_holding && parent == 0 && after == kLast) {
    m_heldTop.append(item);
    return HandleOf(item);
  }
  if (parent == 0) Attach();  // a place among the top-level items needs them all there
  QTreeWidgetItem* parentItem = parent != 0 ? ItemOf(parent) : nullptr;
  const int count = parentItem ? parentItem->childCount() : m_widget.topLevelItemCount();
  int index = count;
  if (after == kFirst) {
    index = 0;
  } else if (after != kLast) {
    QTreeWidgetItem* sibling = ItemOf(after);
    const int at =
        parentItem ? parentItem->indexOfChild(sibling) : m_widget.indexOfTopLevelItem(sibling);
    if (at < 0) {
      delete item;
      return 0;
    }
    index = at + 1;
  }
  if (parentItem) {
    parentItem->insertChild(index, item);
  } else {
    m_widget.insertTopLevelItem(index, item);
  }
  return HandleOf(item);
}

void QtTreeControl::DeleteItem(TreeItem item) {
  Attach();
  delete ItemOf(item);
}

void QtTreeControl::DeleteAllItems() {
  qDeleteAll(m_heldTop);
  m_heldTop.clear();
  m_heldExpansions.clear();
  m_widget.clear();
}

void QtTreeControl::SetItemText(TreeItem item, const QString& text) {
  ItemOf(item)->setText(0, text);
}

bool QtTreeControl::SetItemImage(TreeItem item, int image, int /*selectedImage*/) {
  if (image < 0 || image >= TreeIcons::kImageCount) return false;
  ItemOf(item)->setData(0, kImageRole, image);
  ApplyIcon(ItemOf(item));
  return true;
}

void QtTreeControl::SetItemStateImage(TreeItem item, int stateImage) {
  ItemOf(item)->setData(0, kStateImageRole, stateImage);
  ApplyIcon(ItemOf(item));
}

void QtTreeControl::ApplyIcon(QTreeWidgetItem* item) {
  const int image = item->data(0, kImageRole).toInt();
  item->setIcon(0, TreeIcons::Icon(image, item->data(0, kStateImageRole).toInt() != 0));
  // A struck-through node shows it in its label too, not only in the icon.
  // The item's font carries only the strike-out, so that the pane's own
  // font (which the user chooses) still applies to everything else.
  if (TreeIcons::IsStruck(image)) {
    QFont struck;
    struck.setStrikeOut(true);
    item->setData(0, Qt::FontRole, struck);
  } else if (item->data(0, Qt::FontRole).isValid()) {
    item->setData(0, Qt::FontRole, QVariant());
  }
}

void QtTreeControl::Expand(TreeItem item, bool expand) {
  // Only the user's opening and closing is reported: the store records its
  // own as it makes them, and answering each would scroll to every child
  // of every item a whole branch opens.
  QTreeWidgetItem* it = ItemOf(item);
  if (it->treeWidget() == nullptr) {
    m_heldExpansions.emplace_back(it, expand);  // an item outside the widget cannot open
    return;
  }
  const QSignalBlocker quiet(&m_widget);
  it->setExpanded(expand);
}

void QtTreeControl::Attach() {
  if (m_heldTop.isEmpty() && m_heldExpansions.empty()) return;
  m_widget.addTopLevelItems(m_heldTop);
  m_heldTop.clear();
  const QSignalBlocker quiet(&m_widget);
  for (const auto& [item, expand] : m_heldExpansions) item->setExpanded(expand);
  m_heldExpansions.clear();
}

void QtTreeControl::SelectItem(TreeItem item) {
  Attach();
  m_widget.setCurrentItem(item != 0 ? ItemOf(item) : nullptr);
}

TreeItem QtTreeControl::GetSelectedItem() const { return HandleOf(m_widget.currentItem()); }

void QtTreeControl::EnsureVisible(TreeItem item) {
  Attach();
  m_widget.scrollToItem(ItemOf(item));
}

void QtTreeControl::EditLabel(TreeItem item) {
  Attach();
  QTreeWidgetItem* it = ItemOf(item);
  m_widget.setCurrentItem(it);
  m_widget.scrollToItem(it);
  m_widget.editItem(it);
}

TreeItem QtTreeControl::GetPrevSiblingItem(TreeItem item) const {
  QTreeWidgetItem* it = ItemOf(item);
  QTreeWidgetItem* parent = it->parent();
  if (parent == nullptr && it->treeWidget() == nullptr) {  // held back
    const qsizetype index = m_heldTop.indexOf(it);
    if (index > 0) return HandleOf(m_heldTop[index - 1]);
    const int count = m_widget.topLevelItemCount();
    return index == 0 && count > 0 ? HandleOf(m_widget.topLevelItem(count - 1)) : 0;
  }
  const int index = parent ? parent->indexOfChild(it) : m_widget.indexOfTopLevelItem(it);
  if (index <= 0) return 0;
  return HandleOf(parent ? parent->child(index - 1) : m_widget.topLevelItem(index - 1));
}

void QtTreeControl::SetRedraw(bool on) {
  m_holding = !on;
  if (on) Attach();
  m_widget.setUpdatesEnabled(on);
  if (on) m_widget.viewport()->update();
}

}  // namespace qm
