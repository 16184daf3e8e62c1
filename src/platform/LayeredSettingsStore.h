// LayeredSettingsStore: values for one run laid over another settings store.
//
// Reads look at the overlay first, then at the base. Writes go to the overlay
// only, so nothing of the run reaches the base store. The base must outlive
// this object.
#pragma once

#include "platform/MemorySettingsStore.h"

namespace qm {

class LayeredSettingsStore : public SettingsStore {
 public:
  explicit LayeredSettingsStore(const SettingsStore& base) : m_base(base) {}

  int ReadInt(const QString& section, const QString& name, int fallback) const override;
  QString ReadString(const QString& section, const QString& name,
                     const QString& fallback) const override;
  void WriteInt(const QString& section, const QString& name, int value) override;
  void WriteString(const QString& section, const QString& name, const QString& value) override;
  // Removes the value laid over the base; the base's shows again.
  void Remove(const QString& section, const QString& name) override {
    m_overlay.Remove(section, name);
  }

  // Parses "SECTION/NAME=VALUE" and lays the value over the base.
  // On success returns true. On failure (no "/" before "=", no "=", or an
  // empty section or name) returns false and changes nothing.
  bool SetFromAssignment(const QString& assignment);

 private:
  const SettingsStore& m_base;
  MemorySettingsStore m_overlay;
};

}  // namespace qm
