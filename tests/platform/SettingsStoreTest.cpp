// Tests of the settings stores: memory, layered over a base, and the INI file through QSettings.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/LayeredSettingsStore.h"
#include "platform/MemorySettingsStore.h"
#include "platform/QSettingsStore.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

TEST(MemorySettingsStoreTest, IntegerReadsOfTextParseDecimalOrFallBack) {
  const std::pair<QString, int> cases[] = {{u"42"_s, 42},  {u" -5 "_s, -5}, {u"4294967295"_s, -1},
                                           {QString(), 7}, {u"abc"_s, 7},   {u"12px"_s, 7},
                                           {u"0x10"_s, 7}};
  MemorySettingsStore store;
  for (const auto& [text, value] : cases) {
    store.WriteString(u"S"_s, u"N"_s, text);
    EXPECT_EQ(store.ReadInt(u"S"_s, u"N"_s, 7), value) << text.toStdString();
  }
  store.WriteInt(u"S"_s, u"N"_s, -12);
  EXPECT_EQ(store.ReadString(u"S"_s, u"N"_s, u"d"_s), u"-12");
  EXPECT_EQ(store.ReadString(u"S"_s, u"Absent"_s, u"d"_s), u"d");
  EXPECT_EQ(store.Size(), 1);
}

TEST(LayeredSettingsStoreTest, OverlayWinsAndWritesNeverReachTheBase) {
  MemorySettingsStore base;
  base.WriteInt(u"View"_s, u"Size"_s, 10);
  base.WriteString(u"View"_s, u"Font"_s, u"Serif"_s);
  LayeredSettingsStore layered(base);
  layered.WriteInt(u"View"_s, u"Size"_s, 20);
  layered.WriteString(u"View"_s, u"New"_s, u"x"_s);
  ASSERT_TRUE(layered.SetFromAssignment(u"View/Font=Sans"_s));
  EXPECT_EQ(layered.ReadInt(u"View"_s, u"Size"_s, 0), 20);
  EXPECT_EQ(layered.ReadString(u"View"_s, u"Font"_s, QString()), u"Sans");
  // An overlay value that is not a number hides the base's number too.
  ASSERT_TRUE(layered.SetFromAssignment(u"View/Size=big"_s));
  EXPECT_EQ(layered.ReadInt(u"View"_s, u"Size"_s, -1), -1);

  EXPECT_EQ(base.Size(), 2);
  EXPECT_EQ(base.ReadInt(u"View"_s, u"Size"_s, 0), 10);
  EXPECT_EQ(base.ReadString(u"View"_s, u"Font"_s, QString()), u"Serif");

  // Removing takes the overlay's value away; the base's shows again.
  layered.Remove(u"View"_s, u"Size"_s);
  EXPECT_EQ(layered.ReadInt(u"View"_s, u"Size"_s, 0), 10);
}

TEST(LayeredSettingsStoreTest, AssignmentSplitsAtFirstSlashAndFirstEquals) {
  MemorySettingsStore base;
  LayeredSettingsStore layered(base);
  ASSERT_TRUE(layered.SetFromAssignment(u"Recent File List/File1=a=b/c"_s));
  EXPECT_EQ(layered.ReadString(u"Recent File List"_s, u"File1"_s, QString()), u"a=b/c");
  ASSERT_TRUE(layered.SetFromAssignment(u"A/B/C="_s));
  EXPECT_EQ(layered.ReadString(u"A"_s, u"B/C"_s, u"absent"_s), QString());

  for (const QString& bad : {u"A/B"_s, u"AB=1"_s, u"A=B/C"_s, u"/B=1"_s, u"A/=1"_s, u"=A/B"_s}) {
    EXPECT_FALSE(layered.SetFromAssignment(bad)) << bad.toStdString();
  }
  EXPECT_EQ(layered.ReadString(u"A"_s, u"B"_s, u"absent"_s), u"absent");
}

TEST(QSettingsStoreTest, ReadsCreateNothingAndValuesSurviveReopening) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(u"settings.ini"_s);
  const QStringList texts{u" padded "_s, u"a,b;c=d"_s, u"@at"_s, u"日本語\nx"_s, QString()};
  {
    QSettingsStore store(path);
    EXPECT_EQ(store.ReadInt(u"Settings"_s, u"Width"_s, 5), 5);
    EXPECT_EQ(store.ReadString(u"Recent File List"_s, u"File1"_s, u"d"_s), u"d");
    store.Sync();
    EXPECT_FALSE(QFile::exists(path));

    store.WriteInt(u"Settings"_s, u"Width"_s, -2147483647 - 1);
    store.WriteString(u"Recent File List"_s, u"File1"_s, u"C:\\a b.qmp"_s);
    for (int i = 0; i < texts.size(); ++i) {
      store.WriteString(u"Texts"_s, QString::number(i), texts[i]);
    }
  }
  {
    QSettingsStore store(path);
    EXPECT_EQ(store.ReadInt(u"Settings"_s, u"Width"_s, 0), -2147483647 - 1);
    EXPECT_EQ(store.ReadString(u"Recent File List"_s, u"File1"_s, QString()), u"C:\\a b.qmp");
    for (int i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(store.ReadString(u"Texts"_s, QString::number(i), u"none"_s), texts[i]) << i;
    }
    // A removed value is gone from the file, not left empty in it.
    store.Remove(u"Recent File List"_s, u"File1"_s);
  }
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_FALSE(file.readAll().contains("File1"));
}

}  // namespace
}  // namespace qm
