// StoreFixture: an outline store wired to fakes, and helpers to build
// outlines from paths and read them back, for the model tests.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <initializer_list>

#include "fakes/FakeClock.h"
#include "fakes/FakePrompt.h"
#include "fakes/FakeTreeControl.h"
#include "fakes/QtPrinting.h"
#include "model/TreeStore.h"
#include "platform/MemorySettingsStore.h"

namespace qm::test {

// Paths are written with "/" for U+0001 to keep tests readable.
inline QString P(const char* readable) {
  return QString::fromUtf8(readable).replace(u'/', kPathSeparator);
}

// Readable text with control characters: "\\1" .. "\\8" in the source
// (a backslash and a digit) stand for U+0001 .. U+0008.
inline QString Marks(const char* readable) {
  QString text = QString::fromUtf8(readable);
  for (char16_t c = 1; c <= 8; ++c) {
    text.replace(QStringLiteral("\\%1").arg(static_cast<int>(c)), QString(QChar(c)));
  }
  return text;
}

class StoreFixture : public ::testing::Test {
 protected:
  StoreFixture() : store(settings, clock, prompt) { store.SetPane(&pane); }

  // Replaces the outline by nodes with these paths (readable form), as a
  // loaded file would, and builds the pane.
  void Build(std::initializer_list<const char*> paths) {
    store.Clear();
    for (const char* path : paths) {
      auto node = std::make_unique<CDirData>();
      node->m_strPath = P(path);
      store.AppendLoaded(std::move(node));
    }
    store.FinishLoading(QStringLiteral("test.qmp"));
    store.RebuildTree();
  }

  // Every node's path in array order, readable form.
  QStringList Paths() const {
    QStringList out;
    for (int i = 0; i < store.GetCount(); ++i) {
      out << QString(store.GetPath(i)).replace(kPathSeparator, u'/');
    }
    return out;
  }

  int Index(const char* path) const { return store.FindPath(P(path)); }

  MemorySettingsStore settings;
  FakeClock clock;
  FakePrompt prompt;
  FakeTreeControl pane;
  CTreeStore store;
};

}  // namespace qm::test
