// MemorySettingsStore: values in a hash keyed "section/name".
#include "platform/MemorySettingsStore.h"

namespace qm {

int SettingsValueToInt(const QVariant& value, int fallback) {
  if (!value.isValid()) return fallback;
  bool ok = false;
  // Integers beyond 32 bits wrap the way a 32-bit registry value would.
  const qlonglong n = value.toString().trimmed().toLongLong(&ok);
  return ok ? static_cast<int>(static_cast<quint32>(n)) : fallback;
}

QString MemorySettingsStore::Key(const QString& section, const QString& name) {
  return section + u'/' + name;
}

int MemorySettingsStore::ReadInt(const QString& section, const QString& name, int fallback) const {
  return SettingsValueToInt(m_values.value(Key(section, name)), fallback);
}

QString MemorySettingsStore::ReadString(const QString& section, const QString& name,
                                        const QString& fallback) const {
  const auto it = m_values.constFind(Key(section, name));
  return it == m_values.cend() ? fallback : it->toString();
}

void MemorySettingsStore::WriteInt(const QString& section, const QString& name, int value) {
  m_values.insert(Key(section, name), value);
}

void MemorySettingsStore::WriteString(const QString& section, const QString& name,
                                      const QString& value) {
  m_values.insert(Key(section, name), value);
}

bool MemorySettingsStore::Contains(const QString& section, const QString& name) const {
  return m_values.contains(Key(section, name));
}

}  // namespace qm
