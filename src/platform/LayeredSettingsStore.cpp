// LayeredSettingsStore: overlay first, base second.
#include "platform/LayeredSettingsStore.h"

namespace qm {

int LayeredSettingsStore::ReadInt(const QString& section, const QString& name, int fallback) const {
  if (m_overlay.Contains(section, name)) return m_overlay.ReadInt(section, name, fallback);
  return m_base.ReadInt(section, name, fallback);
}

QString LayeredSettingsStore::ReadString(const QString& section, const QString& name,
                                         const QString& fallback) const {
  if (m_overlay.Contains(section, name)) return m_overlay.ReadString(section, name, fallback);
  return m_base.ReadString(section, name, fallback);
}

void LayeredSettingsStore::WriteInt(const QString& section, const QString& name, int value) {
  m_overlay.WriteInt(section, name, value);
}

void LayeredSettingsStore::WriteString(const QString& section, const QString& name,
                                       const QString& value) {
  m_overlay.WriteString(section, name, value);
}

bool LayeredSettingsStore::SetFromAssignment(const QString& assignment) {
  const qsizetype equals = assignment.indexOf(u'=');
  if (equals < 0) return false;
  const QString key = assignment.left(equals);
  const qsizetype slash = key.indexOf(u'/');
  if (slash <= 0 || slash == key.size() - 1) return false;
  m_overlay.WriteString(key.left(slash), key.mid(slash + 1), assignment.mid(equals + 1));
  return true;
}

}  // namespace qm
