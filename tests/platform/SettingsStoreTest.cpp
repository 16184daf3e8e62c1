// Tests of the settings stores: memory, layered over a base, and the INI file through QSettings.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "fakes/QtPrinting.h"
#include "platform/LayeredSettingsStore.h"
#include "platform/MemorySettingsStore.h"
#include "platform/QSettingsStore.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

struct IntTextCase {
  const char* name;
  QString text;
  int value;  // what ReadInt gives with fallback -7
};

void PrintTo(const IntTextCase& c, std::ostream* os) { *os << c.name; }

class StoredTextAsIntTest : public testing::TestWithParam<IntTextCase> {};

TEST_P(StoredTextAsIntTest, ReadsDecimalOrFallback) {
  MemorySettingsStore store;
  store.WriteString(u"S"_s, u"N"_s, GetParam().text);
  EXPECT_EQ(store.ReadInt(u"S"_s, u"N"_s, -7), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    , StoredTextAsIntTest,
    testing::Values(IntTextCase{"Decimal", u"42"_s, 42}, IntTextCase{"Negative", u"-5"_s, -5},
                    IntTextCase{"Spaces", u" 12 "_s, 12},
                    IntTextCase{"WrapsAt32Bits", u"4294967295"_s, -1},
                    IntTextCase{"Empty", QString(), -7}, IntTextCase{"Word", u"abc"_s, -7},
                    IntTextCase{"TrailingText", u"12px"_s, -7}, IntTextCase{"Hex", u"0x10"_s, -7}),
    [](const testing::TestParamInfo<IntTextCase>& p) { return p.param.name; });

TEST(MemorySettingsStoreTest, AbsentValuesGiveFallbackAndWriteNothing) {
  MemorySettingsStore store;
  EXPECT_EQ(store.ReadInt(u"S"_s, u"N"_s, 3), 3);
  EXPECT_EQ(store.ReadString(u"S"_s, u"N"_s, u"d"_s), u"d");
  EXPECT_EQ(store.Size(), 0);

  store.WriteInt(u"S"_s, u"N"_s, -12);
  EXPECT_EQ(store.ReadString(u"S"_s, u"N"_s, u"d"_s), u"-12");
  store.WriteString(u"S"_s, u"Empty"_s, QString());
  EXPECT_TRUE(store.Contains(u"S"_s, u"Empty"_s));
  EXPECT_EQ(store.ReadString(u"S"_s, u"Empty"_s, u"d"_s), QString());
  EXPECT_FALSE(store.Contains(u"s"_s, u"N"_s));
}

TEST(LayeredSettingsStoreTest, OverlayWinsAndWritesNeverReachTheBase) {
  MemorySettingsStore base;
  base.WriteInt(u"View"_s, u"Size"_s, 10);
  base.WriteString(u"View"_s, u"Font"_s, u"Serif"_s);
  LayeredSettingsStore layered(base);
  EXPECT_EQ(layered.ReadInt(u"View"_s, u"Size"_s, 0), 10);

  layered.WriteInt(u"View"_s, u"Size"_s, 20);
  layered.WriteString(u"View"_s, u"New"_s, u"x"_s);
  EXPECT_EQ(layered.ReadInt(u"View"_s, u"Size"_s, 0), 20);
  EXPECT_EQ(layered.ReadString(u"View"_s, u"New"_s, QString()), u"x");
  EXPECT_EQ(layered.ReadString(u"View"_s, u"Font"_s, QString()), u"Serif");

  ASSERT_TRUE(layered.SetFromAssignment(u"View/Font=Sans"_s));
  EXPECT_EQ(layered.ReadString(u"View"_s, u"Font"_s, QString()), u"Sans");
  // An overlay value that is not a number hides the base's number too.
  ASSERT_TRUE(layered.SetFromAssignment(u"View/Size=big"_s));
  EXPECT_EQ(layered.ReadInt(u"View"_s, u"Size"_s, -1), -1);

  EXPECT_EQ(base.Size(), 2);
  EXPECT_EQ(base.ReadInt(u"View"_s, u"Size"_s, 0), 10);
  EXPECT_EQ(base.ReadString(u"View"_s, u"Font"_s, QString()), u"Serif");
}

struct AssignmentCase {
  const char* name;
  QString assignment;
  bool accepted;
  QString section;
  QString key;
  QString value;
};

void PrintTo(const AssignmentCase& c, std::ostream* os) { *os << c.name; }

class SetFromAssignmentTest : public testing::TestWithParam<AssignmentCase> {};

TEST_P(SetFromAssignmentTest, ParsesSectionNameAndValue) {
  const AssignmentCase& c = GetParam();
  MemorySettingsStore base;
  LayeredSettingsStore layered(base);
  EXPECT_EQ(layered.SetFromAssignment(c.assignment), c.accepted);
  if (c.accepted) {
    EXPECT_EQ(layered.ReadString(c.section, c.key, u"absent"_s), c.value);
  } else {
    // Nothing was laid over any plausible key.
    for (const QString& section : {QString(), u"A"_s, u"A/B"_s}) {
      for (const QString& key : {QString(), u"B"_s, u"B=1"_s, u"C"_s}) {
        EXPECT_EQ(layered.ReadString(section, key, u"absent"_s), u"absent");
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    , SetFromAssignmentTest,
    testing::Values(AssignmentCase{"Plain", u"A/B=1"_s, true, u"A"_s, u"B"_s, u"1"_s},
                    AssignmentCase{"EqualsInValue", u"A/B=x=y"_s, true, u"A"_s, u"B"_s, u"x=y"_s},
                    AssignmentCase{"SlashInValue", u"A/B=c/d"_s, true, u"A"_s, u"B"_s, u"c/d"_s},
                    AssignmentCase{"EmptyValue", u"A/B="_s, true, u"A"_s, u"B"_s, QString()},
                    AssignmentCase{"SpacesKept", u"Recent File List/File1= a b"_s, true,
                                   u"Recent File List"_s, u"File1"_s, u" a b"_s},
                    AssignmentCase{"NoEquals", u"A/B"_s, false, {}, {}, {}},
                    AssignmentCase{"NoSlash", u"AB=1"_s, false, {}, {}, {}},
                    AssignmentCase{"SlashOnlyAfterEquals", u"A=B/C"_s, false, {}, {}, {}},
                    AssignmentCase{"EmptySection", u"/B=1"_s, false, {}, {}, {}},
                    AssignmentCase{"EmptyName", u"A/=1"_s, false, {}, {}, {}},
                    AssignmentCase{"EqualsFirst", u"=A/B"_s, false, {}, {}, {}},
                    AssignmentCase{"Empty", QString(), false, {}, {}, {}}),
    [](const testing::TestParamInfo<AssignmentCase>& p) { return p.param.name; });

class QSettingsStoreTest : public testing::Test {
 protected:
  QString IniPath() const { return m_dir.filePath(u"settings.ini"_s); }
  QTemporaryDir m_dir;
};

TEST_F(QSettingsStoreTest, ValuesSurviveReopening) {
  ASSERT_TRUE(m_dir.isValid());
  const QStringList texts{u"plain"_s,  u" padded "_s, u"a,b;c=d"_s,    u"@at"_s,
                          u"日本語"_s, u"x\ny"_s,     u"C:\\dir\\f"_s, QString()};
  {
    QSettingsStore store(IniPath());
    store.WriteInt(u"Settings"_s, u"Width"_s, 640);
    store.WriteInt(u"Settings"_s, u"Negative"_s, -2147483647 - 1);
    store.WriteString(u"Recent File List"_s, u"File1"_s, u"/home/u/a b.qmp"_s);
    for (int i = 0; i < texts.size(); ++i) {
      store.WriteString(u"Texts"_s, u"T"_s + QString::number(i), texts[i]);
    }
    store.Sync();
  }
  QSettingsStore store(IniPath());
  EXPECT_EQ(store.ReadInt(u"Settings"_s, u"Width"_s, 0), 640);
  EXPECT_EQ(store.ReadString(u"Settings"_s, u"Width"_s, QString()), u"640");
  EXPECT_EQ(store.ReadInt(u"Settings"_s, u"Negative"_s, 0), -2147483647 - 1);
  EXPECT_EQ(store.ReadString(u"Recent File List"_s, u"File1"_s, QString()), u"/home/u/a b.qmp");
  EXPECT_EQ(store.ReadString(u"Recent"_s, u"File1"_s, u"none"_s), u"none");
  for (int i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(store.ReadString(u"Texts"_s, u"T"_s + QString::number(i), u"none"_s), texts[i]) << i;
  }
}

TEST_F(QSettingsStoreTest, ReadingAbsentValuesCreatesNothing) {
  ASSERT_TRUE(m_dir.isValid());
  {
    QSettingsStore store(IniPath());
    EXPECT_EQ(store.ReadInt(u"Settings"_s, u"Width"_s, 5), 5);
    EXPECT_EQ(store.ReadString(u"Recent File List"_s, u"File1"_s, u"d"_s), u"d");
    store.Sync();
  }
  EXPECT_FALSE(QFile::exists(IniPath()));

  {
    QSettingsStore store(IniPath());
    store.WriteInt(u"A"_s, u"B"_s, 1);
  }
  ASSERT_TRUE(QFile::exists(IniPath()));
  QFile file(IniPath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray before = file.readAll();
  file.close();
  {
    QSettingsStore store(IniPath());
    EXPECT_EQ(store.ReadString(u"Other"_s, u"Key"_s, u"d"_s), u"d");
  }
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before);
}

}  // namespace
}  // namespace qm
