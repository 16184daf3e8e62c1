// Where the web password is kept: in the desktop's keyring when there is
// one (moved there from the settings on first need), else scrambled in the
// settings, which the user is told about once.
#include <gtest/gtest.h>

#include "editing/WebAccess.h"
#include "net/WebAccount.h"
#include "platform/ConnectionManager.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/NetStrings.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeHttpClient.h"
#include "support/FakePrompt.h"
#include "support/FakeSecretStore.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

class WebAccessKeyringTest : public ::testing::Test {
 protected:
  // The account dialog answered with this mail and password.
  void TypeAccount(const QString& mail, const QString& password) {
    dialogs.ScriptWebAccount({WebAccountAnswer{mail, password, {}, {}}});
    access->EditAccount();
  }
  bool SettingsHoldPassword() const { return settings.Contains(u"System"_s, u"WP"_s); }

  MemorySettingsStore settings;
  test::FakeHttpClient http;
  test::FakeTransferWait wait;
  AlwaysConnected connections;
  test::FakePrompt prompt;
  test::FakeClock clock;
  test::FakeDialogs dialogs;
  test::FakeSecretStore keyring;
  std::unique_ptr<WebAccess> MakeAccess() {
    return std::make_unique<WebAccess>(
        WebAccessPorts{settings, http, wait, connections, prompt, clock, dialogs, {}, &keyring});
  }
  std::unique_ptr<WebAccess> access = MakeAccess();
};

TEST_F(WebAccessKeyringTest, ATypedPasswordGoesIntoTheKeyringNotTheSettings) {
  TypeAccount(u"me@example.jp"_s, u"secret"_s);
  EXPECT_EQ(keyring.secrets.values(), QStringList{u"secret"_s});
  EXPECT_FALSE(SettingsHoldPassword());
  EXPECT_EQ(Read(settings, settings::kWebId), u"me@example.jp");

  // The next run finds it there, and only once it needs it.
  keyring.reads = 0;
  access = MakeAccess();
  EXPECT_EQ(keyring.reads, 0);
  EXPECT_TRUE(access->HasAccount());
  EXPECT_EQ(access->Account().password, u"secret");
  EXPECT_EQ(keyring.reads, 1);
  EXPECT_TRUE(prompt.Asked().isEmpty());
}

TEST_F(WebAccessKeyringTest, APasswordKeptInTheSettingsMovesIntoTheKeyringOnFirstUse) {
  StoreWebAccount(settings, {u"me@example.jp"_s, u"old way"_s});
  access = MakeAccess();
  EXPECT_TRUE(access->HasAccount());
  EXPECT_EQ(access->Account().password, u"old way");
  EXPECT_EQ(keyring.secrets.values(), QStringList{u"old way"_s});
  EXPECT_FALSE(SettingsHoldPassword());

  // A copy left in the settings beside the keyring's goes too.
  Write(settings, settings::kWebPassword, ScrambleWebPassword(u"stale"_s));
  access = MakeAccess();
  EXPECT_EQ(access->Account().password, u"old way");
  EXPECT_FALSE(SettingsHoldPassword());
}

TEST_F(WebAccessKeyringTest, WithoutAKeyringThePasswordStaysInTheSettingsAndTheUserIsToldOnce) {
  keyring.available = false;
  TypeAccount(u"me@example.jp"_s, u"secret"_s);
  EXPECT_EQ(UnscrambleWebPassword(Read(settings, settings::kWebPassword)), u"secret");
  EXPECT_EQ(prompt.Asked(), QStringList{res::kKeyringMissing.toString()});

  TypeAccount(u"me@example.jp"_s, u"another"_s);
  access = MakeAccess();
  EXPECT_EQ(access->Account().password, u"another");
  EXPECT_EQ(prompt.Asked().size(), 1);

  // Turned off, the keyring is never asked.
  keyring.available = true;
  keyring.reads = 0;
  Write(settings, settings::kWebUseKeyring, 0);
  access = MakeAccess();
  EXPECT_EQ(access->Account().password, u"another");
  EXPECT_EQ(keyring.reads, 0);
  EXPECT_TRUE(keyring.secrets.isEmpty());
}

}  // namespace
}  // namespace qm
