// RecentFileList: the most recently opened documents, newest first, kept in
// the settings store (section "Recent File List", values "File1" ... up to
// the list's size).
//
// Adding a document that is already listed moves it to the top. Local paths
// are stored absolute; a web document's path ("net:" ...) is kept as it is
// and shown by its title. Display names never exceed 24 characters. The
// list reads the store only in Load and writes it only in Save.
#pragma once

#include <QString>
#include <QStringList>

#include "platform/RecentList.h"

namespace qm {

class SettingsStore;

class RecentFileList {
 public:
  static constexpr int kDisplayLength = 24;

  // capacity: how many entries the list keeps (0..10; clamped).
  explicit RecentFileList(int capacity);

  int Capacity() const { return m_list.Capacity(); }
  const QStringList& Entries() const { return m_list.Entries(); }

  void Load(const SettingsStore& settings) { m_list.Load(settings); }
  // Writes every entry, and clears the values of empty places up to the
  // capacity so that removed entries do not come back at the next start.
  void Save(SettingsStore& settings) const { m_list.Save(settings); }

  void Add(const QString& path);
  // REQUIRES: 0 <= index < Entries().size().
  void Remove(int index) { m_list.Remove(index); }

  // The names the menu shows, in list order.
  QStringList DisplayNames() const;
  static QString DisplayName(const QString& path);

 private:
  RecentList m_list;
};

}  // namespace qm
