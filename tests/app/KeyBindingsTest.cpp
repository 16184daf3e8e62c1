// The key binding table: lookups, key and menu texts, loading and saving its
// file, the start-up path, the edit-area keys and the shipped key file.
#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include "app/KeyBindings.h"
#include "app/QtKeyCodes.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Commands.h"
#include "res/KeyStrings.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

constexpr int kF2 = 113;
constexpr int kA = 65;

CKeycust Key(int key, int alt, int shift, int ctrl, int command) {
  return CKeycust{.key = key, .alt = alt, .ctrl = ctrl, .shift = shift, .command = command};
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(KeyTexts, ModifiersInOrderThenTheName) {
  EXPECT_EQ(KeyText(Key(kF2, 1, 1, 1, 0)), u"Alt+Shift+Ctrl+F2"_s);
  EXPECT_EQ(KeyText(Key(96, 0, 0, 1, 0)), u"Ctrl+NUMPAD0"_s);
  EXPECT_EQ(KeyText(Key(kA, 0, 0, 0, 0)), u"A"_s);
  // Any non-zero flag counts, as a file may hold one; a code without a name
  // shows the prefix alone.
  EXPECT_EQ(KeyText(Key(0xE5, 2, 0, 0, 0)), u"Alt+"_s);
}

TEST(KeyTexts, EveryKeyAndModifierSetParsesBack) {
  QSet<QString> names;
  QSet<int> codes;
  for (const res::KeyName& entry : res::kKeyNames) {
    names.insert(entry.name.toString());
    codes.insert(entry.code);
    for (int mods = 0; mods < 8; ++mods) {
      const CKeycust record = Key(entry.code, mods & 1, (mods >> 1) & 1, (mods >> 2) & 1, 0);
      EXPECT_EQ(ParseKeyText(KeyText(record)), record) << KeyText(record).toStdString();
    }
  }
  EXPECT_EQ(names.size(), 78);
  EXPECT_EQ(codes.size(), 78);
  EXPECT_EQ(ParseKeyText(u"Ctrl++"), Key(107, 0, 0, 1, 0));
  for (const char16_t* bad : {u"", u"Ctrl+", u"Ctrl+Alt+F2", u"Alt+Alt+F2", u"F13", u"ctrl+A"}) {
    EXPECT_FALSE(ParseKeyText(bad)) << QString::fromUtf16(bad).toStdString();
  }
}

TEST(KeyTexts, MenuTextsCarryTheKeyAfterOneTab) {
  EXPECT_EQ(MenuTextWithKey(u"開く(&O)...", u"Ctrl+O"), u"開く(&O)...\tCtrl+O"_s);
  EXPECT_EQ(MenuTextWithKey(u"開く(&O)...\tAlt+O", u"Ctrl+O"), u"開く(&O)...\tCtrl+O"_s);
  EXPECT_EQ(MenuTextWithKey(u"開く(&O)...\tAlt+O", u""), u"開く(&O)..."_s);
  EXPECT_EQ(MenuTextWithKey(u"開く(&O)...", u""), u"開く(&O)..."_s);
  EXPECT_EQ(MenuTextWithKey(u"a\tb\tc", u"F2"), u"a\tF2"_s);
}

TEST(KeyTexts, CommandRowsFollowTheCommandList) {
  EXPECT_EQ(std::size(res::kKeyCommandNames), 56u);
  EXPECT_EQ(CommandNameRow(kCmdNew), 0);
  EXPECT_EQ(CommandNameRow(kCmdSwitchPanes), 35);
  EXPECT_EQ(CommandNameRow(kCmdEditLabel), 55);
  EXPECT_EQ(CommandNameRow(kCmdFindNext), -1);
  EXPECT_EQ(CommandNameRow(0), -1);
}

TEST(KeyBindingTable, TheFirstMatchingRecordWins) {
  MemorySettingsStore settings;
  CKeyBindingTable table(settings);
  table.Append(Key(kA, 0, 0, 1, kCmdSave));
  table.Append(Key(kA, 0, 0, 1, kCmdOpen));  // never used
  table.Append(Key(kF2, 1, 0, 0, 0));        // bound to nothing
  table.Append(Key(kF2, 0, 0, 0, kCmdOpen));

  EXPECT_EQ(table.LookUp(kA, 0, 0, 1), kCmdSave);
  EXPECT_EQ(table.LookUp(kA, 0, 1, 1), 0);
  EXPECT_EQ(table.FindIndex(kA, 0, 0, 1), 0);
  EXPECT_EQ(table.FindIndex(kA, 0, 0, 1, 1), 1);
  EXPECT_EQ(table.FindIndex(kA, 0, 0, 1, 2), -1);
  EXPECT_EQ(table.FindByCommand(kCmdOpen), 1);
  EXPECT_EQ(table.FindByCommand(kCmdOpen, 2), 3);
  EXPECT_EQ(table.FindByCommand(kCmdNew), -1);
  EXPECT_EQ(table.KeyTextFor(kCmdOpen), u"Ctrl+A"_s);
  EXPECT_EQ(table.KeyTextFor(kCmdNew), u""_s);

  EXPECT_EQ(table.CommandFor(KeyPress{kA, false, false, true}), kCmdSave);
  EXPECT_EQ(table.CommandFor(KeyPress{kF2, true, false, false}), 0);
  EXPECT_EQ(table.CommandFor(KeyPress{kF2}), kCmdOpen);

  table.RemoveAt(0);
  EXPECT_EQ(table.LookUp(kA, 0, 0, 1), kCmdOpen);
}

TEST(KeyBindingTable, ChoosingACommandBindsReplacesOrUnbinds) {
  MemorySettingsStore settings;
  CKeyBindingTable table(settings);
  EXPECT_EQ(table.Choose(kA, 0, 0, 1, 0), 0);  // nothing to unbind
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.Choose(kA, 0, 0, 1, kCmdSave), 0);
  EXPECT_EQ(table.Choose(kF2, 0, 0, 0, kCmdEditLabel), 0);
  EXPECT_EQ(table.Choose(kA, 0, 0, 1, kCmdOpen), kCmdSave);
  EXPECT_EQ(table.Records(),
            (std::vector{Key(kA, 0, 0, 1, kCmdOpen), Key(kF2, 0, 0, 0, kCmdEditLabel)}));
  EXPECT_EQ(table.Choose(kA, 0, 0, 1, 0), kCmdOpen);
  EXPECT_EQ(table.Records(), (std::vector{Key(kF2, 0, 0, 0, kCmdEditLabel)}));
}

TEST(KeyBindingTable, EditAreaKeysAreThePaneSwitchBindingsAndOutliveTheTable) {
  MemorySettingsStore settings;
  CKeyBindingTable table(settings);
  table.Append(Key(kF2, 0, 0, 0, kCmdSwitchPanes));
  table.Append(Key(kA, 0, 0, 1, kCmdSave));
  table.Append(Key(kA, 0, 0, 1, kCmdSwitchPanes));
  EditAreaKeys keys;
  keys.Rebuild(table);
  EXPECT_EQ(keys.Count(), 2);
  EXPECT_TRUE(keys.Contains(KeyPress{kF2}));
  EXPECT_TRUE(keys.Contains(KeyPress{kA, false, false, true}));
  EXPECT_FALSE(keys.Contains(KeyPress{kA}));
  table.Clear();
  EXPECT_TRUE(keys.Contains(KeyPress{kF2}));
  keys.Rebuild(table);
  EXPECT_EQ(keys.Count(), 0);
}

class KeyFileLoading : public ::testing::Test {
 protected:
  QString PathOf(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
  QString StoredPath() const { return Read(m_settings, settings::kKeyFile); }

  QTemporaryDir m_dir;
  MemorySettingsStore m_settings;
  CKeyBindingTable m_table{m_settings};
};

TEST_F(KeyFileLoading, SaveThenLoadGivesTheSameRecordsAndBytes) {
  m_table.Append(Key(kF2, 1, 1, 1, kCmdEditLabel));
  m_table.Append(Key(kA, 0, 0, 1, kCmdNew));
  ASSERT_TRUE(m_table.Save(PathOf("a.KEY")));
  EXPECT_EQ(m_table.Path(), PathOf("a.KEY"));
  EXPECT_EQ(StoredPath(), u""_s);  // saving does not move the setting

  CKeyBindingTable other(m_settings);
  ASSERT_TRUE(other.Load(PathOf("a.KEY")));
  EXPECT_EQ(other.Records(), m_table.Records());
  EXPECT_EQ(StoredPath(), PathOf("a.KEY"));
  ASSERT_TRUE(other.Save(PathOf("b.KEY")));
  EXPECT_EQ(FileBytes(PathOf("b.KEY")), FileBytes(PathOf("a.KEY")));

  // Without a path, the table's own path.
  m_table.Clear();
  ASSERT_TRUE(m_table.Save());
  EXPECT_EQ(FileBytes(PathOf("a.KEY")), QByteArray(2, '\0'));
}

TEST_F(KeyFileLoading, AFailedLoadChangesNothing) {
  m_table.Append(Key(kA, 0, 0, 1, kCmdNew));
  m_table.SetPath(PathOf("mine.KEY"));
  QFile notKeys(PathOf("notes.txt"));
  ASSERT_TRUE(notKeys.open(QIODevice::WriteOnly));
  notKeys.write("\0\0 not a key file", 17);
  notKeys.close();

  const KeyFileResult malformed = m_table.Load(PathOf("notes.txt"));
  EXPECT_EQ(malformed.error, KeyFileResult::Error::Malformed);
  EXPECT_EQ(KeyFileLoadErrorText(malformed),
            u"読み込めません（理由：キー定義ファイルの形式ではありません）"_s);
  const KeyFileResult missing = m_table.Load(PathOf("gone.KEY"));
  EXPECT_EQ(missing.error, KeyFileResult::Error::File);
  EXPECT_EQ(KeyFileLoadErrorText(missing), u"読み込めません（理由：ファイルがありません）"_s);

  EXPECT_EQ(m_table.Count(), 1);
  // The next save still goes to the table's own file, not over the one that failed.
  EXPECT_EQ(m_table.Path(), PathOf("mine.KEY"));
  EXPECT_FALSE(m_settings.Contains(u"System"_s, u"Keycust"_s));
}

TEST_F(KeyFileLoading, AFailedSaveSaysWhyAndKeepsTheNewPath) {
  const KeyFileResult result = m_table.Save(PathOf("no/such/folder.KEY"));
  EXPECT_FALSE(result);
  EXPECT_EQ(KeyFileSaveErrorText(result), u"保存できません（理由：ファイルがありません）"_s);
  EXPECT_EQ(m_table.Path(), PathOf("no/such/folder.KEY"));
  EXPECT_FALSE(CKeyBindingTable(m_settings).Save());  // no path at all
}

TEST_F(KeyFileLoading, StartUpUsesTheSettingOrElseTheProgramFolder) {
  EXPECT_EQ(DefaultKeyFilePath(u"/opt/q"_s), u"/opt/q/quillmap.key"_s);
  EXPECT_EQ(DefaultKeyFilePath(u"/"_s), u"/quillmap.key"_s);

  // Nothing there: the table stays empty and keeps the program folder's path.
  EXPECT_FALSE(m_table.LoadAtStart(m_dir.path()));
  EXPECT_EQ(m_table.Path(), PathOf("quillmap.key"));
  EXPECT_EQ(m_table.Count(), 0);

  m_table.Append(Key(kF2, 0, 0, 0, kCmdEditLabel));
  ASSERT_TRUE(m_table.Save());
  // A stored path whose file is gone gives way to the program folder's file.
  Write(m_settings, settings::kKeyFile, PathOf("gone.KEY"));
  CKeyBindingTable atStart(m_settings);
  EXPECT_TRUE(atStart.LoadAtStart(m_dir.path()));
  EXPECT_EQ(atStart.Count(), 1);
  EXPECT_EQ(StoredPath(), PathOf("quillmap.key"));

  // A stored path that exists wins.
  CKeyBindingTable empty(m_settings);
  ASSERT_TRUE(empty.Save(PathOf("own.KEY")));
  Write(m_settings, settings::kKeyFile, PathOf("own.KEY"));
  EXPECT_TRUE(atStart.LoadAtStart(m_dir.path()));
  EXPECT_EQ(atStart.Count(), 0);
  EXPECT_EQ(atStart.Path(), PathOf("own.KEY"));

  atStart.SetPath(PathOf("later.KEY"));
  atStart.StorePath();
  EXPECT_EQ(StoredPath(), PathOf("later.KEY"));
}

TEST(DefaultKeyFile, TheBuiltFileHoldsExactlyTheShippedTable) {
  MemorySettingsStore settings;
  CKeyBindingTable table(settings);
  ASSERT_TRUE(table.Load(QStringLiteral(QM_DEFAULT_KEY_FILE)));
  const auto shipped = DefaultKeyRecords();
  ASSERT_TRUE(shipped);
  EXPECT_EQ(table.Records(), *shipped);
  EXPECT_EQ(FileBytes(QStringLiteral(QM_DEFAULT_KEY_FILE)), EncodeKeyFile(*shipped));

  // As the window will ask, from Qt's keys.
  EXPECT_EQ(table.CommandFor(KeyPressFromQt(Qt::Key_N, Qt::ControlModifier)), kCmdNew);
  EXPECT_EQ(table.CommandFor(KeyPressFromQt(Qt::Key_F3, Qt::ShiftModifier)), kCmdFindPrevious);
  EXPECT_EQ(table.CommandFor(KeyPressFromQt(Qt::Key_Left, Qt::AltModifier)), kCmdLevelUp);
  EXPECT_EQ(table.CommandFor(KeyPressFromQt(Qt::Key_Insert, Qt::ControlModifier)), kCmdAddChild);
  EXPECT_EQ(table.CommandFor(KeyPressFromQt(Qt::Key_Insert, Qt::NoModifier)), kCmdAddSibling);
  // Every shipped key is bound once, to a command the window offers.
  for (int i = 0; i < table.Count(); ++i) {
    const CKeycust& key = table.At(i);
    EXPECT_EQ(table.FindIndex(key.key, key.alt, key.shift, key.ctrl), i);
    EXPECT_TRUE(std::any_of(std::begin(res::kCommands), std::end(res::kCommands),
                            [&](const res::CommandInfo& c) { return c.id == key.command; }))
        << KeyText(key).toStdString();
  }
}

}  // namespace
}  // namespace qm
