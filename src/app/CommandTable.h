// Lookups in the command table and the command-bar layouts of res/Commands.h.
//
// HasCommand is constexpr so that code naming a command can check at compile
// time that the command has its row. All functions are pure.
#pragma once

#include <span>

#include "res/Commands.h"

namespace qm {

// The row of id, or nullptr when the table has none. The first recent-file
// id finds the row that stands for all recent-file entries, the first
// marks-menu id the row of all marks entries; the others find nothing.
inline const res::CommandInfo* FindCommand(int id) {
  for (const res::CommandInfo& info : res::kCommands) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

// True when the table has a row for id with all of flags set.
constexpr bool HasCommand(int id, unsigned flags = 0) {
  for (const res::CommandInfo& info : res::kCommands) {
    if (info.id == id) return (info.flags & flags) == flags;
  }
  return false;
}

// True for the ids that the recent-file entries use.
constexpr bool IsRecentFileCommand(int id) {
  return id >= kCmdRecentFileFirst && id <= kCmdRecentFileLast;
}

// True for the ids that the marks menu's entries use.
constexpr bool IsMarkEntryCommand(int id) {
  return id >= kCmdMarkEntryFirst && id <= kCmdMarkEntryLast;
}

// The command-bar layout for a window of the given size: the wide one in
// landscape (wider than high) from res::kWideCommandBarMinWidth on, the
// narrow one otherwise.
std::span<const res::CommandBarButton> CommandBarFor(int width, int height);

}  // namespace qm
