// QSettingsStore: the user's settings file, through QSettings.
//
// The file is ~/.config/Vorel/Quillmap.conf (XDG_CONFIG_HOME moves it); a
// section is a group, a value name a key inside it.
#pragma once

#include <QSettings>

#include "platform/SettingsStore.h"

namespace qm {

class QSettingsStore : public SettingsStore {
 public:
  // Opens the store of organisation "Vorel", application "Quillmap".
  QSettingsStore();
  // Opens the store kept in the file at path (INI format); for tests and tools.
  explicit QSettingsStore(const QString& iniPath);

  int ReadInt(const QString& section, const QString& name, int fallback) const override;
  QString ReadString(const QString& section, const QString& name,
                     const QString& fallback) const override;
  void WriteInt(const QString& section, const QString& name, int value) override;
  void WriteString(const QString& section, const QString& name, const QString& value) override;
  void Remove(const QString& section, const QString& name) override;

  // Writes pending changes to disk now (they are written on destruction too).
  void Sync() { m_settings.sync(); }

 private:
  static QString Key(const QString& section, const QString& name);
  mutable QSettings m_settings;
};

}  // namespace qm
