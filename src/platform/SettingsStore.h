// SettingsStore: the two-level settings store (section, value name) that
// holds the user's settings between runs.
//
// Values are 32-bit integers or strings. Reading an absent value yields the
// caller's default and writes nothing. Writing creates the section on
// demand; a failed write is ignored. An integer read of a value stored as a
// string parses it as decimal (the default when it is not a number), and a
// string read of an integer value gives its decimal text.
//
// Implementations: QSettingsStore (the user's file), MemorySettingsStore
// (tests, one run only) and LayeredSettingsStore (values laid over another
// store for one run). Callers hold a reference; the store must outlive them.
// Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>

namespace qm {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  virtual int ReadInt(const QString& section, const QString& name, int fallback) const = 0;
  virtual QString ReadString(const QString& section, const QString& name,
                             const QString& fallback) const = 0;
  virtual void WriteInt(const QString& section, const QString& name, int value) = 0;
  virtual void WriteString(const QString& section, const QString& name, const QString& value) = 0;
  // Removes the value: reading it afterwards gives the caller's default.
  virtual void Remove(const QString& section, const QString& name) = 0;

 protected:
  SettingsStore() = default;
};

}  // namespace qm
