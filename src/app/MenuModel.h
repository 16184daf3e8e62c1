// The menus as plain data, built from the command table, for the window
// layer to turn into its menus: the menu bar, the two soft-key menus and the
// context menus of the panes.
//
// BuildMenuBar lists the top menus in menu-bar order, each with its items in
// table order and a separator wherever the group changes. Commands without a
// menu text, commands marked kNotInMenuBar and commands nothing offers are
// left out; rows of one submenu are gathered where its first row stands; a
// submenu or top menu without items is left out altogether. No menu starts
// or ends with a separator or holds two in a row.
//
// The recent files and the marked nodes change while the program runs: they
// get one slot item per id they may use (MenuItem::slot), which the window
// fills with RecentFileMenuText / MarkEntryMenuText and hides while empty.
// So the menus are built once; enabled and checked states are not part of
// the model either: the window asks the router for them each time a menu
// opens (CommandRouter::UpdateAll). All functions are pure.
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <span>
#include <vector>

#include "res/Commands.h"

namespace qm {

struct MenuItem {
  bool separator = false;
  int id = 0;  // 0 for a separator or a submenu
  QString text;
  bool checkable = false;
  // A recent-file or marks-menu slot: text is empty and comes later.
  bool slot = false;
  // A submenu: its title is text and it holds these (never empty).
  std::vector<MenuItem> children;

  friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

struct MenuModel {
  res::TopMenu menu;
  QString title;
  QList<MenuItem> items;
};

// Whether something handles a command, so that a menu may offer it. Empty:
// every command is offered.
using OfferedCommands = std::function<bool(int id)>;

QList<MenuModel> BuildMenuBar(const OfferedCommands& offered);

// The two soft-key menus: the first with every top menu but the tree menu
// as a submenu, the second with the tree menu's items. Either may be empty
// when nothing in it is offered.
QList<MenuModel> BuildSoftKeyMenus(const OfferedCommands& offered);

// A context menu of a pane; on a short screen (tallScreen false) the
// entries meant for tall screens only are left out.
std::vector<MenuItem> BuildContextMenu(std::span<const res::ContextMenuEntry> entries,
                                       const OfferedCommands& offered, bool tallScreen);

// The menu text of the recent-file entry numbered `number` (from 1): the
// number with its last digit as the access key, then the name with each "&"
// doubled so that the name shows as it is.
QString RecentFileMenuText(int number, const QString& displayName);
// The menu text of a marked node's entry: its label with "&" doubled.
QString MarkEntryMenuText(const QString& label);
// A title without its access key, for a button that must not take the key:
// "メニュー(&M)" gives "メニュー", "&File" gives "File".
QString WithoutAccessKey(QStringView text);
// A command's text as a tooltip or a dialog title shows it: without its
// access key and without the dots that promise a dialog ("フォント(&F)..."
// gives "フォント"). The text of the command's row; empty without one.
QString PlainCommandText(int id);

}  // namespace qm
