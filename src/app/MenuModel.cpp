// Building the menu models from the command table.
#include "app/MenuModel.h"

#include <QRegularExpression>

namespace qm {
namespace {

using namespace Qt::StringLiterals;

// Adds a separator only between items, so that empty groups and groups at
// either end never leave one behind.
class MenuBuilder {
 public:
  void Add(MenuItem item, int group) {
    if (!m_items.empty() && group != m_group) AddSeparator();
    m_group = group;
    m_items.push_back(std::move(item));
  }
  // A separator before the next item, if one follows.
  void SeparateNext() { m_pendingSeparator = !m_items.empty(); }
  void AddItem(MenuItem item) {
    if (m_pendingSeparator) AddSeparator();
    m_pendingSeparator = false;
    m_items.push_back(std::move(item));
  }
  std::vector<MenuItem> Take() { return std::move(m_items); }

 private:
  void AddSeparator() {
    MenuItem separator;
    separator.separator = true;
    m_items.push_back(std::move(separator));
  }

  std::vector<MenuItem> m_items;
  int m_group = 0;
  bool m_pendingSeparator = false;
};

bool IsOffered(const OfferedCommands& offered, int id) { return !offered || offered(id); }

MenuItem CommandItem(const res::CommandInfo& info) {
  MenuItem item;
  item.id = info.id;
  item.text = info.menuText.toString();
  item.checkable = (info.flags & res::kCheckMark) != 0;
  return item;
}

MenuItem SlotItem(int id) {
  MenuItem item;
  item.id = id;
  item.slot = true;
  return item;
}

// The items of the rows of one top menu that name submenu (empty: the
// rows outside submenus, with each submenu gathered where it first stands).
std::vector<MenuItem> ItemsOf(int menu, QStringView submenu, const OfferedCommands& offered) {
  MenuBuilder builder;
  QList<QStringView> gathered;
  for (const res::CommandInfo& info : res::kCommands) {
    if (int(info.menu) != menu) continue;
    if (submenu.isEmpty() && !info.submenu.isEmpty()) {
      if (gathered.contains(info.submenu)) continue;
      gathered.append(info.submenu);
      std::vector<MenuItem> children = ItemsOf(menu, info.submenu, offered);
      if (!children.empty()) {
        MenuItem item;
        item.text = info.submenu.toString();
        item.children = std::move(children);
        builder.Add(std::move(item), info.group);
      }
      continue;
    }
    if (info.submenu != submenu) continue;
    if (info.flags & res::kRecentFiles) {
      for (int id = kCmdRecentFileFirst; id <= kCmdRecentFileLast; ++id) {
        if (IsOffered(offered, id)) builder.Add(SlotItem(id), info.group);
      }
      continue;
    }
    if (info.flags & res::kMarkEntries) {
      for (int id = kCmdMarkEntryFirst; id <= kCmdMarkEntryLast; ++id) {
        if (IsOffered(offered, id)) builder.Add(SlotItem(id), info.group);
      }
      continue;
    }
    if (info.menuText.isEmpty() || (info.flags & res::kNotInMenuBar) ||
        !IsOffered(offered, info.id)) {
      continue;
    }
    builder.Add(CommandItem(info), info.group);
  }
  return builder.Take();
}

const res::CommandInfo* RowOf(int id) {
  for (const res::CommandInfo& info : res::kCommands) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

}  // namespace

QList<MenuModel> BuildMenuBar(const OfferedCommands& offered) {
  QList<MenuModel> bar;
  for (int menu = 0; menu < int(std::size(res::kTopMenuTitles)); ++menu) {
    std::vector<MenuItem> items = ItemsOf(menu, {}, offered);
    if (items.empty()) continue;
    bar.append({res::TopMenu(menu), res::kTopMenuTitles[menu].toString(),
                QList<MenuItem>(items.begin(), items.end())});
  }
  return bar;
}

QList<MenuModel> BuildSoftKeyMenus(const OfferedCommands& offered) {
  MenuModel others{res::TopMenu::File, res::kSoftKeyMenuTitles[0].toString(), {}};
  MenuModel tree{res::TopMenu::Tree, res::kSoftKeyMenuTitles[1].toString(), {}};
  for (MenuModel& menu : BuildMenuBar(offered)) {
    if (menu.menu == res::TopMenu::Tree) {
      tree.items = std::move(menu.items);
    } else {
      MenuItem submenu;
      submenu.text = menu.title;
      submenu.children.assign(menu.items.begin(), menu.items.end());
      others.items.append(std::move(submenu));
    }
  }
  return {std::move(others), std::move(tree)};
}

std::vector<MenuItem> BuildContextMenu(std::span<const res::ContextMenuEntry> entries,
                                       const OfferedCommands& offered, bool tallScreen) {
  MenuBuilder builder;
  for (const res::ContextMenuEntry& entry : entries) {
    if (entry.id == 0) {
      builder.SeparateNext();
      continue;
    }
    if (entry.tallScreenOnly && !tallScreen) continue;
    const res::CommandInfo* info = RowOf(entry.id);
    if (info == nullptr || !IsOffered(offered, entry.id)) continue;
    builder.AddItem(CommandItem(*info));
  }
  return builder.Take();
}

QString RecentFileMenuText(int number, const QString& displayName) {
  QString digits = QString::number(number);
  digits.insert(digits.size() - 1, u'&');
  QString name = displayName;
  name.replace(u'&', u"&&"_s);
  return digits + u' ' + name;
}

QString MarkEntryMenuText(const QString& label) {
  QString text = label;
  text.replace(u'&', u"&&"_s);
  return text;
}

QString WithoutAccessKey(QStringView text) {
  static const QRegularExpression suffix(u"\\(&[^)]\\)"_s);
  QString plain = text.toString();
  plain.remove(suffix);
  // A lone "&" marks the key; "&&" stands for a shown "&".
  plain.replace(u"&&"_s, u"\x01"_s);
  plain.remove(u'&');
  plain.replace(u'\x01', u'&');
  return plain;
}

QString PlainCommandText(int id) {
  const res::CommandInfo* info = RowOf(id);
  if (info == nullptr) return {};
  QString text = WithoutAccessKey(info->menuText);
  if (text.endsWith(u"..."_s)) text.chop(3);
  return text;
}

}  // namespace qm
