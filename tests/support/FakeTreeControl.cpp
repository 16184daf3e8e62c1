// FakeTreeControl: items in a map, children in order.
#include "support/FakeTreeControl.h"

#include <algorithm>

namespace qm::test {

std::vector<TreeItem>& FakeTreeControl::SiblingsOf(TreeItem parent) {
  return parent == 0 ? m_top : m_items.at(parent).children;
}

const std::vector<TreeItem>& FakeTreeControl::SiblingsOf(TreeItem parent) const {
  return parent == 0 ? m_top : m_items.at(parent).children;
}

TreeItem FakeTreeControl::InsertItem(TreeItem parent, TreeItem after, const QString& text,
                                     int image, int selectedImage) {
  if (parent != 0 && !Exists(parent)) return 0;
  auto& siblings = SiblingsOf(parent);
  auto where = siblings.end();
  if (after == kFirst) {
    where = siblings.begin();
  } else if (after != kLast) {
    auto it = std::find(siblings.begin(), siblings.end(), after);
    if (it == siblings.end()) return 0;
    where = it + 1;
  }
  const TreeItem item = m_next++;
  siblings.insert(where, item);
  Item& created = m_items[item];
  created.parent = parent;
  created.text = text;
  created.image = image;
  created.selectedImage = selectedImage;
  return item;
}

void FakeTreeControl::Erase(TreeItem item) {
  for (TreeItem child : m_items.at(item).children) Erase(child);
  if (m_selected == item) m_selected = 0;
  m_items.erase(item);
}

void FakeTreeControl::DeleteItem(TreeItem item) {
  if (!Exists(item)) return;
  auto& siblings = SiblingsOf(m_items.at(item).parent);
  siblings.erase(std::find(siblings.begin(), siblings.end(), item));
  Erase(item);
}

void FakeTreeControl::DeleteAllItems() {
  m_items.clear();
  m_top.clear();
  m_selected = 0;
}

void FakeTreeControl::SetItemText(TreeItem item, const QString& text) {
  if (Exists(item)) m_items.at(item).text = text;
}

bool FakeTreeControl::SetItemImage(TreeItem item, int image, int selectedImage) {
  if (m_failImages || !Exists(item)) return false;
  m_items.at(item).image = image;
  m_items.at(item).selectedImage = selectedImage;
  return true;
}

void FakeTreeControl::SetItemStateImage(TreeItem item, int stateImage) {
  if (Exists(item)) m_items.at(item).stateImage = stateImage;
}

void FakeTreeControl::Expand(TreeItem item, bool expand) {
  if (Exists(item)) m_items.at(item).expanded = expand;
}

void FakeTreeControl::SelectItem(TreeItem item) {
  if (item == 0 || Exists(item)) m_selected = item;
}

void FakeTreeControl::EnsureVisible(TreeItem item) { m_lastVisible = item; }

TreeItem FakeTreeControl::GetPrevSiblingItem(TreeItem item) const {
  if (!Exists(item)) return 0;
  const auto& siblings = SiblingsOf(m_items.at(item).parent);
  auto it = std::find(siblings.begin(), siblings.end(), item);
  return it == siblings.begin() ? 0 : *(it - 1);
}

void FakeTreeControl::SetRedraw(bool on) {
  m_redrawOn = on;
  if (!on) ++m_redrawOffCount;
}

void FakeTreeControl::TextsInto(const std::vector<TreeItem>& items, QStringList& out) const {
  for (TreeItem item : items) {
    out << m_items.at(item).text;
    TextsInto(m_items.at(item).children, out);
  }
}

QStringList FakeTreeControl::Texts() const {
  QStringList out;
  TextsInto(m_top, out);
  return out;
}

void FakeTreeControl::DumpInto(const std::vector<TreeItem>& items, int depth, QString& out) const {
  for (TreeItem item : items) {
    const Item& it = m_items.at(item);
    out += QString(depth * 2, u' ') + it.text +
           QStringLiteral(" [img=%1 state=%2%3]\n")
               .arg(it.image)
               .arg(it.stateImage)
               .arg(it.expanded ? QStringLiteral(" +") : QString());
    DumpInto(it.children, depth + 1, out);
  }
}

QString FakeTreeControl::Dump() const {
  QString out;
  DumpInto(m_top, 0, out);
  return out;
}

}  // namespace qm::test
