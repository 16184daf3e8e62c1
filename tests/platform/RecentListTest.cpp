// The generic recent list: its settings-store form and what it refuses.
#include <gtest/gtest.h>

#include "platform/MemorySettingsStore.h"
#include "platform/RecentList.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

constexpr StringSettingPattern kWords{u"Search", "str%d"};

TEST(RecentList, LoadSkipsGapsAndRepeatsAndSaveClearsWhatWasRemoved) {
  MemorySettingsStore store;
  for (const auto& [number, word] :
       {std::pair{1, "b"}, {2, ""}, {3, "a"}, {4, "b"}, {5, "c"}, {6, "beyond"}}) {
    store.WriteString(QStringLiteral("Search"), QStringLiteral("str%1").arg(number),
                      QString::fromUtf8(word));
  }
  RecentList list(kWords, 5);
  list.Load(store);
  EXPECT_EQ(list.Entries(), (QStringList{"b", "a", "c"}));

  list.Remove(0);
  list.Add(QString());  // never listed
  list.Save(store);
  RecentList again(kWords, 5);
  again.Load(store);
  EXPECT_EQ(again.Entries(), (QStringList{"a", "c"}));
  EXPECT_TRUE(store.ReadString(QStringLiteral("Search"), QStringLiteral("str3"), "x").isEmpty());
  EXPECT_EQ(store.ReadString(QStringLiteral("Search"), QStringLiteral("str6"), {}), "beyond");
}

}  // namespace
}  // namespace qm
