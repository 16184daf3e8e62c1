// SettingsTable: reads and writes of the table's entries through a store.
#include "platform/SettingsTable.h"

#include "platform/SettingsStore.h"

namespace qm {
namespace {

QString NameAt(const char* pattern, int number) { return QString::asprintf(pattern, number); }

}  // namespace

int Read(const SettingsStore& store, const IntSetting& setting) {
  return Read(store, setting, setting.fallback);
}

int Read(const SettingsStore& store, const IntSetting& setting, int fallback) {
  return store.ReadInt(setting.section.toString(), setting.name.toString(), fallback);
}

QString Read(const SettingsStore& store, const StringSetting& setting) {
  return Read(store, setting, setting.fallback.toString());
}

QString Read(const SettingsStore& store, const StringSetting& setting, const QString& fallback) {
  return store.ReadString(setting.section.toString(), setting.name.toString(), fallback);
}

int Read(const SettingsStore& store, const IntSettingPattern& pattern, int number, int fallback) {
  return store.ReadInt(pattern.section.toString(), NameAt(pattern.pattern, number), fallback);
}

QString Read(const SettingsStore& store, const StringSettingPattern& pattern, int number,
             const QString& fallback) {
  return store.ReadString(pattern.section.toString(), NameAt(pattern.pattern, number), fallback);
}

void Write(SettingsStore& store, const IntSetting& setting, int value) {
  store.WriteInt(setting.section.toString(), setting.name.toString(), value);
}

void Write(SettingsStore& store, const StringSetting& setting, const QString& value) {
  store.WriteString(setting.section.toString(), setting.name.toString(), value);
}

void Remove(SettingsStore& store, const StringSetting& setting) {
  store.Remove(setting.section.toString(), setting.name.toString());
}

void Write(SettingsStore& store, const IntSettingPattern& pattern, int number, int value) {
  store.WriteInt(pattern.section.toString(), NameAt(pattern.pattern, number), value);
}

void Write(SettingsStore& store, const StringSettingPattern& pattern, int number,
           const QString& value) {
  store.WriteString(pattern.section.toString(), NameAt(pattern.pattern, number), value);
}

}  // namespace qm
