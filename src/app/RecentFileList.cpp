// RecentFileList: newest-first paths with their settings-store form.
#include "app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>

#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

namespace qm {
namespace {

const QString kWebPrefix = QStringLiteral("net:");

}  // namespace

RecentFileList::RecentFileList(int capacity) : m_capacity(qBound(0, capacity, 10)) {}

void RecentFileList::Load(const SettingsStore& settings) {
  m_entries.clear();
  for (int number = 1; number <= m_capacity; ++number) {
    const QString path = Read(settings, settings::kRecentFile, number, QString());
    if (!path.isEmpty() && !m_entries.contains(path)) m_entries << path;
  }
}

void RecentFileList::Save(SettingsStore& settings) const {
  for (int number = 1; number <= m_capacity; ++number) {
    const qsizetype index = number - 1;
    Write(settings, settings::kRecentFile, number,
          index < m_entries.size() ? m_entries[index] : QString());
  }
}

void RecentFileList::Add(const QString& path) {
  if (m_capacity == 0 || path.isEmpty()) return;
  const QString entry =
      path.startsWith(kWebPrefix) ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  m_entries.removeAll(entry);
  m_entries.prepend(entry);
  while (m_entries.size() > m_capacity) m_entries.removeLast();
}

void RecentFileList::Remove(int index) { m_entries.removeAt(index); }

QStringList RecentFileList::DisplayNames() const {
  QStringList names;
  for (const QString& entry : m_entries) names << DisplayName(entry);
  return names;
}

QString RecentFileList::DisplayName(const QString& path) {
  QString name;
  if (path.startsWith(kWebPrefix)) {
    // "net:" + file id + ";" + title: the title is what the user knows.
    const qsizetype semicolon = path.indexOf(u';');
    name = semicolon < 0 ? path.sliced(kWebPrefix.size()) : path.sliced(semicolon + 1);
  } else if (path.size() <= kDisplayLength) {
    name = path;
  } else {
    // Keep the file name, which tells documents apart; drop folders first.
    const QString fileName = QFileInfo(path).fileName();
    const QString shortened = QStringLiteral("…/") + fileName;
    name = shortened.size() <= kDisplayLength ? shortened : fileName;
  }
  return name.left(kDisplayLength);
}

}  // namespace qm
