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
    if (!m_items.isEmpty() && group != m_group) m_items.append(MenuItem{true, 0, {}, false});
    m_group = group;
    m_items.append(std::move(item));
  }
  QList<MenuItem> Take() { return std::move(m_items); }

 private:
  QList<MenuItem> m_items;
  int m_group = 0;
};

}  // namespace

QString RecentFileMenuText(int number, const QString& displayName) {
  QString text = res::kRecentFileNumberFormat.toString();
  text.replace(u"%d"_s, QString::number(number));
  QString name = displayName;
  name.replace(u'&', u"&&"_s);
  return text + name;
}

QList<MenuModel> BuildMenuBar(const QStringList& recentFileNames) {
  const qsizetype recentCount =
      std::min<qsizetype>(recentFileNames.size(), res::kRecentFileCapacity);
  QList<MenuModel> bar;
  for (int menu = 0; menu < int(std::size(res::kTopMenuTitles)); ++menu) {
    MenuBuilder builder;
    for (const res::CommandInfo& info : res::kCommands) {
      if (int(info.menu) != menu) continue;
      if (info.flags & res::kRecentFiles) {
        for (qsizetype i = 0; i < recentCount; ++i) {
          builder.Add({false, res::kRecentFileFirstId + int(i),
                       RecentFileMenuText(int(i) + 1, recentFileNames[i]), false},
                      info.group);
        }
        continue;
      }
      if (info.menuText.isEmpty() || (info.flags & res::kBarOnly)) continue;
      builder.Add({false, info.id, info.menuText.toString(), (info.flags & res::kCheckMark) != 0},
                  info.group);
    }
    QList<MenuItem> items = builder.Take();
    if (items.isEmpty()) continue;
    bar.append({res::TopMenu(menu), res::kTopMenuTitles[menu].toString(), std::move(items)});
  }
  return bar;
}

}  // namespace qm
