// What key bindings add to a key press: the lookups every key typed in the
// text goes through (the frame's edit-area check, then the body pane's table
// lookup for keys with a modifier), on the shipped bindings and on a table
// as large as a user could make, against the outside reference of the same
// run: Qt's own handling of one typed character in a QPlainTextEdit.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "app/KeyBindings.h"
#include "platform/MemorySettingsStore.h"
#include "res/CommandIds.h"

namespace qm::bench {
namespace {

// The shipped bindings, or every key name with every modifier combination
// bound (624 records) when full.
void Fill(CKeyBindingTable& table, bool full) {
  if (!full) {
    const std::vector<CKeycust> shipped = DefaultKeyRecords().value_or(std::vector<CKeycust>{});
    for (const CKeycust& record : shipped) table.Append(record);
    return;
  }
  for (int code = 8; code <= 123; ++code) {
    for (int mods = 0; mods < 8; ++mods) {
      if (KeyName(code).isEmpty()) continue;
      table.Append(CKeycust{code, mods & 1, (mods >> 2) & 1, (mods >> 1) & 1, kCmdSave});
    }
  }
}

// One typed letter and one Ctrl combination, as the frame and the body pane
// look them up.
void BM_KeyBindingLookups(benchmark::State& state) {
  MemorySettingsStore settings;
  CKeyBindingTable table(settings);
  Fill(table, state.range(0) != 0);
  EditAreaKeys editArea;
  editArea.Rebuild(table);
  const KeyPress letter{'A'};
  const KeyPress ctrlS{'S', false, false, true};
  for (auto _ : state) {
    benchmark::DoNotOptimize(editArea.Contains(letter));
    benchmark::DoNotOptimize(editArea.Contains(ctrlS));
    benchmark::DoNotOptimize(table.CommandFor(ctrlS));
  }
  state.counters["records"] = table.Count();
}
BENCHMARK(BM_KeyBindingLookups)->Arg(0)->Arg(1);

// The reference: Qt typing one character into a plain-text editor.
void BM_QtTypesACharacter(benchmark::State& state) {
  QPlainTextEdit editor;
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&editor, &press);
    if (editor.document()->characterCount() > 4096) {
      state.PauseTiming();
      editor.clear();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_QtTypesACharacter);

}  // namespace
}  // namespace qm::bench
