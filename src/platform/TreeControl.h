// TreeControl: the tree pane's control as the outline store sees it.
//
// Items are opaque non-zero handles; 0 means none. An item has a parent
// (0 for a top item), ordered children, a text, an image, a selected image,
// a state image (0 none, 1 the mark) and an expanded state. The outline store
// mirrors its node array into the control through these calls; the Qt tree
// widget implements them in the window and FakeTreeControl records them in
// tests. Handles stay valid until their item or an ancestor is deleted.
#pragma once

#include <QString>
#include <QtGlobal>

namespace qm {

using TreeItem = quintptr;

class TreeControl {
 public:
  // Insert positions besides an existing sibling item.
  static constexpr TreeItem kFirst = ~TreeItem{0};
  static constexpr TreeItem kLast = ~TreeItem{0} - 1;

  virtual ~TreeControl() = default;
  TreeControl(const TreeControl&) = delete;
  TreeControl& operator=(const TreeControl&) = delete;

  // Inserts an item under parent (0 = top level) after the sibling `after`
  // (or kFirst/kLast). Returns the new item, or 0 on failure.
  virtual TreeItem InsertItem(TreeItem parent, TreeItem after, const QString& text, int image,
                              int selectedImage) = 0;
  // Deletes the item and all items below it.
  virtual void DeleteItem(TreeItem item) = 0;
  virtual void DeleteAllItems() = 0;
  virtual void SetItemText(TreeItem item, const QString& text) = 0;
  // Returns false when the image could not be set.
  virtual bool SetItemImage(TreeItem item, int image, int selectedImage) = 0;
  virtual void SetItemStateImage(TreeItem item, int stateImage) = 0;
  virtual void Expand(TreeItem item, bool expand) = 0;
  virtual void SelectItem(TreeItem item) = 0;
  virtual TreeItem GetSelectedItem() const = 0;
  virtual void EnsureVisible(TreeItem item) = 0;
  // Starts the user's in-place editing of the item's label; the control
  // reports the edited text when the user finishes.
  virtual void EditLabel(TreeItem item) = 0;
  // The sibling item just before item, or 0 when item is the first child.
  virtual TreeItem GetPrevSiblingItem(TreeItem item) const = 0;
  // Switches repainting off during bulk changes and on again afterwards.
  virtual void SetRedraw(bool on) = 0;

 protected:
  TreeControl() = default;
};

}  // namespace qm
