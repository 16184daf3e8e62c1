// StoreFixture: an outline store wired to fakes, and helpers to build
// outlines from readable node lines and read them back, for every test that
// needs an outline.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <initializer_list>
#include <memory>

#include "model/TreeStore.h"
#include "platform/MemorySettingsStore.h"
#include "support/FakeClock.h"
#include "support/FakePrompt.h"
#include "support/FakeTreeControl.h"
#include "support/QtPrinting.h"

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

// Replaces the outline by nodes read as a file would be, without showing
// them. Each node is "path", "path=body" or "path#flags=body" in readable
// form; flags: m (mark 1), 2 (mark 2), c (checked). The body is everything
// after the first "=".
inline void LoadOutline(CTreeStore& store, std::initializer_list<const char*> nodes) {
  store.Clear();
  for (const char* text : nodes) {
    const QString line = QString::fromUtf8(text);
    const qsizetype bodyAt = line.indexOf(u'=');
    const QString head = line.left(bodyAt);
    const qsizetype flagsAt = head.indexOf(u'#');
    const QString flags = flagsAt < 0 ? QString() : head.sliced(flagsAt + 1);
    auto node = std::make_unique<CDirData>();
    node->m_strPath = P(head.left(flagsAt).toUtf8().constData());
    if (bodyAt >= 0) node->m_strBody = line.sliced(bodyAt + 1);
    node->m_nMark = flags.contains(u'm') ? 1 : flags.contains(u'2') ? 2 : 0;
    if (flags.contains(u'c')) node->m_nFlags |= kFlagChecked;
    store.AppendLoaded(std::move(node));
  }
  store.FinishLoading(QStringLiteral("test.qmp"));
}

// Every node's path in array order, readable form.
inline QStringList ReadablePaths(const CTreeStore& store) {
  QStringList out;
  for (int i = 0; i < store.GetCount(); ++i) {
    out << QString(store.GetPath(i)).replace(kPathSeparator, u'/');
  }
  return out;
}

class StoreFixture : public ::testing::Test {
 protected:
  StoreFixture() : store(settings, clock) { store.SetPane(&pane); }

  // Replaces the outline by these nodes (see LoadOutline) and builds the pane.
  void Build(std::initializer_list<const char*> nodes) {
    LoadOutline(store, nodes);
    store.RebuildTree();
  }
  QStringList Paths() const { return ReadablePaths(store); }
  int Index(const char* path) const { return store.FindPath(P(path)); }

  MemorySettingsStore settings;
  FakeClock clock;
  FakePrompt prompt;
  FakeTreeControl pane;
  CTreeStore store;
};

}  // namespace qm::test
