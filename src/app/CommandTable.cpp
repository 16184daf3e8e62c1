// Lookups in the command table, and the compile-time checks that keep the
// table, the context menus and the command-bar layouts consistent.
#include "app/CommandTable.h"

namespace qm {
namespace {

// Two rows with one id would be one command in two places with two texts.
constexpr bool IdsAreUnique() {
  for (std::size_t i = 0; i < std::size(res::kCommands); ++i) {
    for (std::size_t j = i + 1; j < std::size(res::kCommands); ++j) {
      if (res::kCommands[i].id == res::kCommands[j].id) return false;
    }
  }
  return true;
}

// Every entry of a context menu and every button shows its row's text.
template <typename Entries>
constexpr bool AllHaveRows(const Entries& entries) {
  for (const auto& entry : entries) {
    if (entry.id != 0 && !HasCommand(entry.id)) return false;
  }
  return true;
}

static_assert(IdsAreUnique(), "a command id has two rows in res/Commands.h");
static_assert(AllHaveRows(res::kTreeContextMenu) && AllHaveRows(res::kBodyContextMenu),
              "every context menu entry needs its row in res/Commands.h");
static_assert(AllHaveRows(res::kWideCommandBar) && AllHaveRows(res::kNarrowCommandBar),
              "every command-bar button needs its row in res/Commands.h");
static_assert(HasCommand(kCmdRecentFileFirst, res::kRecentFiles),
              "the first recent-file id is the row that places the entries");
static_assert(HasCommand(kCmdMarkEntryFirst, res::kMarkEntries),
              "the first marks-menu id is the row that places the entries");

}  // namespace

std::span<const res::CommandBarButton> CommandBarFor(int width, int height) {
  const bool landscape = width > height;
  if (landscape && width >= res::kWideCommandBarMinWidth) return res::kWideCommandBar;
  return res::kNarrowCommandBar;
}

}  // namespace qm
