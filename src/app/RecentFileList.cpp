// RecentFileList: newest-first paths with their settings-store form.
#include "app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>

#include "net/WebPath.h"
#include "platform/SettingsTable.h"

namespace qm {

RecentFileList::RecentFileList(int capacity)
    : m_list(settings::kRecentFile, qBound(0, capacity, 10)) {}

void RecentFileList::Add(const QString& path) {
  if (path.isEmpty()) return;
  m_list.Add(IsWebPath(path) ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

QStringList RecentFileList::DisplayNames() const {
  QStringList names;
  for (const QString& entry : Entries()) names << DisplayName(entry);
  return names;
}

QString RecentFileList::DisplayName(const QString& path) {
  QString name;
  if (IsWebPath(path)) {
    // "net:" + file id + ";" + title: the title is what the user knows.
    name = WebPathTitle(path);
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
