// RecentList: a newest-first list of texts of fixed capacity, kept in the
// settings store as numbered values of one family ("File1", "str1", ...).
//
// Adding a text that is already listed moves it to the top instead of
// listing it twice; empty texts are never listed. The list reads the store
// only in Load and writes it only in Save. Callers that need a normal form
// (full paths, for instance) make it before Add.
#pragma once

#include <QString>
#include <QStringList>

#include "platform/SettingsTable.h"

namespace qm {

class SettingsStore;

class RecentList {
 public:
  // values: the family the entries are stored as, numbered from 1.
  // capacity: how many entries the list keeps; negative counts as 0.
  RecentList(const StringSettingPattern& values, int capacity);

  int Capacity() const { return m_capacity; }
  const QStringList& Entries() const { return m_entries; }

  // Replaces the entries by the stored ones, skipping empty values and
  // repeats, up to the capacity.
  void Load(const SettingsStore& settings);
  // Writes every entry, and clears the values of empty places up to the
  // capacity so that removed entries do not come back at the next Load.
  void Save(SettingsStore& settings) const;

  void Add(const QString& entry);
  // REQUIRES: 0 <= index < Entries().size().
  void Remove(int index);

 private:
  StringSettingPattern m_values;
  int m_capacity;
  QStringList m_entries;
};

}  // namespace qm
