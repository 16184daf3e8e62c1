// MemorySettingsStore: a settings store that lives in memory only.
//
// Used by tests and as the top layer of LayeredSettingsStore. Values keep the
// type they were written with; see SettingsStore for how reads convert.
#pragma once

#include <QHash>
#include <QVariant>

#include "platform/SettingsStore.h"

namespace qm {

class MemorySettingsStore : public SettingsStore {
 public:
  MemorySettingsStore() = default;

  int ReadInt(const QString& section, const QString& name, int fallback) const override;
  QString ReadString(const QString& section, const QString& name,
                     const QString& fallback) const override;
  void WriteInt(const QString& section, const QString& name, int value) override;
  void WriteString(const QString& section, const QString& name, const QString& value) override;
  void Remove(const QString& section, const QString& name) override {
    m_values.remove(Key(section, name));
  }

  // True when the value exists (of either type).
  bool Contains(const QString& section, const QString& name) const;
  void Clear() { m_values.clear(); }
  qsizetype Size() const { return m_values.size(); }

 private:
  static QString Key(const QString& section, const QString& name);
  QHash<QString, QVariant> m_values;
};

// Shared by the stores: the integer a stored value stands for, or fallback.
int SettingsValueToInt(const QVariant& value, int fallback);

}  // namespace qm
