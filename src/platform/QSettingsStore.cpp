// QSettingsStore: QSettings behind the settings-store port.
#include "platform/QSettingsStore.h"

#include "platform/MemorySettingsStore.h"

namespace qm {

QSettingsStore::QSettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vorel"),
                 QStringLiteral("Quillmap")) {}

QSettingsStore::QSettingsStore(const QString& iniPath)
    : m_settings(iniPath, QSettings::IniFormat) {}

QString QSettingsStore::Key(const QString& section, const QString& name) {
  return section + u'/' + name;
}

int QSettingsStore::ReadInt(const QString& section, const QString& name, int fallback) const {
  return SettingsValueToInt(m_settings.value(Key(section, name)), fallback);
}

QString QSettingsStore::ReadString(const QString& section, const QString& name,
                                   const QString& fallback) const {
  const QVariant value = m_settings.value(Key(section, name));
  return value.isValid() ? value.toString() : fallback;
}

void QSettingsStore::WriteInt(const QString& section, const QString& name, int value) {
  m_settings.setValue(Key(section, name), value);
}

void QSettingsStore::Remove(const QString& section, const QString& name) {
  m_settings.remove(Key(section, name));
}

void QSettingsStore::WriteString(const QString& section, const QString& name,
                                 const QString& value) {
  m_settings.setValue(Key(section, name), value);
}

}  // namespace qm
