// Tests of the settings table: a slip in one entry would read or overwrite another value.
#include <gtest/gtest.h>

#include <QSet>

#include "platform/SettingsTable.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

TEST(SettingsTableTest, EveryEntryHasASectionAndANameUniqueInItsSection) {
  QSet<QString> seen;
  const auto check = [&seen](QStringView section, QStringView name) {
    EXPECT_FALSE(section.isEmpty()) << name.toString().toStdString();
    EXPECT_FALSE(name.isEmpty()) << section.toString().toStdString();
    const QString key = section.toString() + u'/' + name.toString();
    EXPECT_FALSE(seen.contains(key)) << key.toStdString();
    seen.insert(key);
  };
  for (const IntSetting* setting : settings::kAllIntSettings)
    check(setting->section, setting->name);
  for (const StringSetting* setting : settings::kAllStringSettings) {
    check(setting->section, setting->name);
  }
}

}  // namespace
}  // namespace qm
