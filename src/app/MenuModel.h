// The menu bar as plain data, built from the command table, for the window
// layer to turn into its menus.
//
// BuildMenuBar lists the top menus in menu-bar order, each with its items in
// table order and a separator wherever the group changes. Commands without a
// menu text and command-bar-only commands are left out, the recent-file
// entries and the marks entries stand where the table places them, rows of
// one submenu are gathered where its first row stands, and a submenu or top
// menu without items is left out altogether. No menu starts or ends with a separator or holds two
// in a row. Enabled and checked states are not part of the model: the window
// asks the router for them (CommandRouter::UpdateAll) each time a menu opens.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "res/Commands.h"

namespace qm {

struct MenuItem {
  bool separator = false;
  int id = 0;  // 0 for a separator or a submenu
  QString text;
  bool checkable = false;
  // A submenu: its title is text and it holds these (never empty).
  std::vector<MenuItem> children;

  friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

struct MenuModel {
  res::TopMenu menu;
  QString title;
  QList<MenuItem> items;
};

// What changes while the program runs: the recent files' display names,
// most recent first, and the marked nodes' labels in outline order (each
// beyond its capacity is ignored); and which commands something handles
// now: the others are left out, so that no menu offers a dead item.
struct MenuContent {
  QStringList recentFileNames;
  QStringList markLabels;
  std::function<bool(int id)> offered;  // empty: every command is offered
};

QList<MenuModel> BuildMenuBar(const MenuContent& content);

// The two soft-key menus of the same content: the first with every top menu
// but the tree menu as a submenu, the second with the tree menu's items.
// Either may be empty when nothing in it is offered.
QList<MenuModel> BuildSoftKeyMenus(const MenuContent& content);

// The menu text of the recent-file entry numbered `number` (from 1): the
// number as the mnemonic, then the name with each "&" doubled so that the
// name shows as it is.
QString RecentFileMenuText(int number, const QString& displayName);

}  // namespace qm
