// The web account's storage: the password's scrambled form and its round trip.
#include <gtest/gtest.h>

#include "net/WebAccount.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

TEST(WebAccountTest, TheScrambledFormIsFixed) {
  // "ab": groups 6607 and 6604, halves swapped. "é" as the one byte 0xE9:
  // EE07, its first E disguised as D.
  EXPECT_EQ(ScrambleWebPassword(u"ab"_s), u"66046607");
  EXPECT_EQ(UnscrambleWebPassword(u"66046607"_s), u"ab");
  EXPECT_EQ(UnscrambleWebPassword(u"07DD"_s), u"é");  // a text of one byte per character
  EXPECT_EQ(ScrambleWebPassword(QString()), u"");
}

TEST(WebAccountTest, EveryPasswordComesBackAsTyped) {
  for (const QString& password :
       {QString(), u"secret"_s, u"パスワード"_s, u"pässwörd"_s, u"0123456789abcdefghij"_s,
        u"\u00ff\u0100\U0001F511"_s, u" spaced\t"_s}) {
    const QString scrambled = ScrambleWebPassword(password);
    EXPECT_EQ(UnscrambleWebPassword(scrambled), password) << password.toStdString();
    if (!password.isEmpty()) {
      EXPECT_FALSE(scrambled.contains(password));
    }
  }
}

TEST(WebAccountTest, ATextNotInTheScrambledFormGivesAnEmptyPassword) {
  for (const QString& stored : {u"660"_s, u"66046G07"_s, u"+1-1"_s, u" 1 1"_s}) {
    EXPECT_EQ(UnscrambleWebPassword(stored), u"") << stored.toStdString();
  }
}

TEST(WebAccountTest, TheAccountIsStoredAndLoadedThroughTheSettings) {
  MemorySettingsStore store;
  EXPECT_EQ(LoadWebAccount(store).mail, u"");
  EXPECT_EQ(LoadWebAccount(store).password, u"");
  StoreWebAccount(store, {u"me@example.jp"_s, u"秘密"_s});
  EXPECT_EQ(Read(store, settings::kWebId), u"me@example.jp");
  EXPECT_EQ(Read(store, settings::kWebPassword), ScrambleWebPassword(u"秘密"_s));
  const WebAccount loaded = LoadWebAccount(store);
  EXPECT_EQ(loaded.mail, u"me@example.jp");
  EXPECT_EQ(loaded.password, u"秘密");
}

}  // namespace
}  // namespace qm
