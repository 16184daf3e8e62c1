// Building the menu bar model from the command table.
#include "app/MenuModel.h"

#include <algorithm>

namespace qm {
namespace {

using namespace Qt::StringLiterals;

// Adds a separator only between items, so that empty groups and groups at
// either end never leave one behind.
class MenuBuilder {
 public:
  void Add(MenuItem item, int group) {
    if (!m_items.empty() && group != m_group) m_items.push_back(MenuItem{true, 0, {}, false, {}});
    m_group = group;
    m_items.push_back(std::move(item));
  }
  std::vector<MenuItem> Take() { return std::move(m_items); }

 private:
  std::vector<MenuItem> m_items;
  int m_group = 0;
};

// The items of the rows of one top menu that name submenu (empty: the
// rows outside submenus, with each submenu gathered where it first stands).
std::vector<MenuItem> ItemsOf(int menu, QStringView submenu, const MenuContent& content) {
  const auto offered = [&content](int id) { return !content.offered || content.offered(id); };
  const qsizetype recentCount =
      std::min<qsizetype>(content.recentFileNames.size(), res::kRecentFileCapacity);
  const qsizetype markCount =
      std::min<qsizetype>(content.markLabels.size(), res::kMarkEntryCapacity);
  MenuBuilder builder;
  QList<QStringView> gathered;
  for (const res::CommandInfo& info : res::kCommands) {
    if (int(info.menu) != menu) continue;
    if (submenu.isEmpty() && !info.submenu.isEmpty()) {
      if (gathered.contains(info.submenu)) continue;
      gathered.append(info.submenu);
      std::vector<MenuItem> children = ItemsOf(menu, info.submenu, content);
      if (!children.empty()) {
        builder.Add({false, 0, info.submenu.toString(), false, std::move(children)}, info.group);
      }
      continue;
    }
    if (info.submenu != submenu) continue;
    if (info.flags & res::kRecentFiles) {
      for (qsizetype i = 0; i < recentCount; ++i) {
        builder.Add({false,
                     res::kRecentFileFirstId + int(i),
                     RecentFileMenuText(int(i) + 1, content.recentFileNames[i]),
                     false,
                     {}},
                    info.group);
      }
      continue;
    }
    if (info.flags & res::kMarkEntries) {
      for (qsizetype i = 0; i < markCount; ++i) {
        if (!offered(res::kMarkEntryFirstId + int(i))) continue;
        QString label = content.markLabels[i];
        label.replace(u'&', u"&&"_s);
        builder.Add({false, res::kMarkEntryFirstId + int(i), label, false, {}}, info.group);
      }
      continue;
    }
    if (info.menuText.isEmpty() || (info.flags & res::kBarOnly) || !offered(info.id)) continue;
    builder.Add({false, info.id, info.menuText.toString(), (info.flags & res::kCheckMark) != 0, {}},
                info.group);
  }
  return builder.Take();
}

}  // namespace

QString RecentFileMenuText(int number, const QString& displayName) {
  QString text = res::kRecentFileNumberFormat.toString();
  text.replace(u"%d"_s, QString::number(number));
  QString name = displayName;
  name.replace(u'&', u"&&"_s);
  return text + name;
}

QList<MenuModel> BuildMenuBar(const MenuContent& content) {
  QList<MenuModel> bar;
  for (int menu = 0; menu < int(std::size(res::kTopMenuTitles)); ++menu) {
    std::vector<MenuItem> items = ItemsOf(menu, {}, content);
    if (items.empty()) continue;
    bar.append({res::TopMenu(menu), res::kTopMenuTitles[menu].toString(),
                QList<MenuItem>(items.begin(), items.end())});
  }
  return bar;
}

QList<MenuModel> BuildSoftKeyMenus(const MenuContent& content) {
  MenuModel others{res::TopMenu::File, res::kSoftKeyMenuTitles[0].toString(), {}};
  MenuModel tree{res::TopMenu::Tree, res::kSoftKeyMenuTitles[1].toString(), {}};
  for (MenuModel& menu : BuildMenuBar(content)) {
    if (menu.menu == res::TopMenu::Tree) {
      tree.items = std::move(menu.items);
    } else {
      others.items.append({false, 0, menu.title, false,
                           std::vector<MenuItem>(menu.items.begin(), menu.items.end())});
    }
  }
  return {std::move(others), std::move(tree)};
}

}  // namespace qm
