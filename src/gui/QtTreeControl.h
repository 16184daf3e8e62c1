// QtTreeControl: the tree pane's control port on a QTreeWidget.
//
// Item handles are the addresses of the QTreeWidgetItems; a handle stays
// valid until its item or an ancestor is deleted, as the port promises.
// Images are indices into TreeIcons (0-15 by node state); state image 1
// draws the mark beside the icon. Expand opens or closes an item without the
// widget's expanded and collapsed signals, which report the user's own
// opening and closing only. The widget must outlive this object.
//
// While redrawing is off, items added at the end of the top level are held
// back, with whatever is added below them and the openings asked for, and
// go into the widget in one piece when redrawing comes back (or before
// anything else needs them there): a widget told of every item on its own
// lays itself out again each time, which made opening a large outline
// quadratic.
#pragma once

#include <QIcon>
#include <QTreeWidget>
#include <array>
#include <utility>
#include <vector>

#include "platform/TreeControl.h"

namespace qm {

class QtTreeControl : public TreeControl {
 public:
  explicit QtTreeControl(QTreeWidget& widget);

  TreeItem InsertItem(TreeItem parent, TreeItem after, const QString& text, int image,
                      int selectedImage) override;
  void DeleteItem(TreeItem item) override;
  void DeleteAllItems() override;
  void SetItemText(TreeItem item, const QString& text) override;
  bool SetItemImage(TreeItem item, int image, int selectedImage) override;
  void SetItemStateImage(TreeItem item, int stateImage) override;
  void Expand(TreeItem item, bool expand) override;
  void SelectItem(TreeItem item) override;
  TreeItem GetSelectedItem() const override;
  void EnsureVisible(TreeItem item) override;
  void EditLabel(TreeItem item) override;
  TreeItem GetPrevSiblingItem(TreeItem item) const override;
  void SetRedraw(bool on) override;

  static QTreeWidgetItem* ItemOf(TreeItem handle) {
    return reinterpret_cast<QTreeWidgetItem*>(handle);
  }
  static TreeItem HandleOf(QTreeWidgetItem* item) { return reinterpret_cast<TreeItem>(item); }

  // Roles that keep the node state beside the item, for tests and drawing.
  static constexpr int kImageRole = Qt::UserRole + 1;
  static constexpr int kStateImageRole = Qt::UserRole + 2;

 private:
  void ApplyIcon(QTreeWidgetItem* item);
  // Puts the held-back items into the widget and opens what was asked.
  void Attach();

  QTreeWidget& m_widget;
  bool m_holding = false;
  QList<QTreeWidgetItem*> m_heldTop;  // top-level items not in the widget yet
  std::vector<std::pair<QTreeWidgetItem*, bool>> m_heldExpansions;
};

}  // namespace qm
