// RecentList: newest-first texts and their numbered settings values.
#include "platform/RecentList.h"

#include <algorithm>

#include "platform/SettingsStore.h"

namespace qm {

RecentList::RecentList(const StringSettingPattern& values, int capacity)
    : m_values(values), m_capacity(std::max(0, capacity)) {}

void RecentList::Load(const SettingsStore& settings) {
  m_entries.clear();
  for (int number = 1; number <= m_capacity; ++number) {
    const QString entry = Read(settings, m_values, number, QString());
    if (!entry.isEmpty() && !m_entries.contains(entry)) m_entries << entry;
  }
}

void RecentList::Save(SettingsStore& settings) const {
  for (int number = 1; number <= m_capacity; ++number) {
    const qsizetype index = number - 1;
    Write(settings, m_values, number, index < m_entries.size() ? m_entries[index] : QString());
  }
}

void RecentList::Add(const QString& entry) {
  if (m_capacity == 0 || entry.isEmpty()) return;
  m_entries.removeAll(entry);
  m_entries.prepend(entry);
  while (m_entries.size() > m_capacity) m_entries.removeLast();
}

void RecentList::Remove(int index) { m_entries.removeAt(index); }

}  // namespace qm
