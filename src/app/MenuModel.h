// The menu bar as plain data, built from the command table, for the window
// layer to turn into its menus.
//
// BuildMenuBar lists the top menus in menu-bar order, each with its items in
// table order and a separator wherever the group changes. Commands without a
// menu text and command-bar-only commands are left out, the recent-file
// entries stand where the table places them, and a top menu without items is
// left out altogether. No menu starts or ends with a separator or holds two
// in a row. Enabled and checked states are not part of the model: the window
// asks the router for them (CommandRouter::UpdateAll) each time a menu opens.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "res/Commands.h"

namespace qm {

struct MenuItem {
  bool separator = false;
  int id = 0;  // 0 for a separator
  QString text;
  bool checkable = false;

  friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

struct MenuModel {
  res::TopMenu menu;
  QString title;
  QList<MenuItem> items;
};

// recentFileNames are the display names of the recent files, most recent
// first; beyond res::kRecentFileCapacity they are ignored.
QList<MenuModel> BuildMenuBar(const QStringList& recentFileNames);

// The menu text of the recent-file entry numbered `number` (from 1): the
// number as the mnemonic, then the name with each "&" doubled so that the
// name shows as it is.
QString RecentFileMenuText(int number, const QString& displayName);

}  // namespace qm
