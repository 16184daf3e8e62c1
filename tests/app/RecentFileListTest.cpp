// Behaviour of the recent-file list: order, capacity, web entries, display
// names and the settings store round trip.
#include <gtest/gtest.h>

#include "app/RecentFileList.h"
#include "platform/MemorySettingsStore.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

TEST(RecentFileList, NewestFirstWithoutDuplicatesWithinCapacity) {
  RecentFileList list(3);
  for (const char* path : {"/d/a.qmp", "/d/b.qmp", "/d/c.qmp", "/d/a.qmp", "/d/e.qmp"}) {
    list.Add(QString::fromUtf8(path));
  }
  EXPECT_EQ(list.Entries(), (QStringList{"/d/e.qmp", "/d/a.qmp", "/d/c.qmp"}));
}

TEST(RecentFileList, WebEntriesStayAsTheyAreAndShowTheirTitle) {
  RecentFileList list(5);
  list.Add(QStringLiteral("net:123;会議メモ"));
  list.Add(QStringLiteral("relative.qmp"));
  EXPECT_EQ(list.Entries()[1], QStringLiteral("net:123;会議メモ"));
  EXPECT_TRUE(list.Entries()[0].startsWith(u'/'));  // local paths are made absolute
  EXPECT_EQ(RecentFileList::DisplayName(QStringLiteral("net:123;会議メモ")),
            QStringLiteral("会議メモ"));
}

TEST(RecentFileList, DisplayNamesFitTwentyFourCharacters) {
  EXPECT_EQ(RecentFileList::DisplayName(QStringLiteral("/home/a/x.qmp")),
            QStringLiteral("/home/a/x.qmp"));
  EXPECT_EQ(RecentFileList::DisplayName(QStringLiteral("/home/someone/documents/notes.qmp")),
            QStringLiteral("…/notes.qmp"));
  EXPECT_EQ(
      RecentFileList::DisplayName(QStringLiteral("/h/a-very-long-outline-name-indeed.qmp")).size(),
      RecentFileList::kDisplayLength);
}

TEST(RecentFileList, SettingsRoundTripAndZeroCapacity) {
  MemorySettingsStore settings;
  RecentFileList list(4);
  list.Add(QStringLiteral("/a.qmp"));
  list.Add(QStringLiteral("/b.qmp"));
  list.Save(settings);
  EXPECT_EQ(settings.ReadString(QStringLiteral("Recent File List"), QStringLiteral("File1"), {}),
            QStringLiteral("/b.qmp"));
  RecentFileList again(4);
  again.Load(settings);
  EXPECT_EQ(again.Entries(), list.Entries());
  again.Remove(0);
  again.Save(settings);  // the removed place is cleared, not left behind
  RecentFileList third(4);
  third.Load(settings);
  EXPECT_EQ(third.Entries(), QStringList{"/a.qmp"});

  RecentFileList none(0);
  none.Add(QStringLiteral("/a.qmp"));
  EXPECT_TRUE(none.Entries().isEmpty());
}

}  // namespace
}  // namespace qm
