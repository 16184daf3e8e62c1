// FileAssociation: makes the desktop open ".qmp" outlines with this program,
// for the current user: a shared-mime-info type (application/x-quillmap)
// and a desktop entry that names the program and handles that type.
//
// Files go below the user's data folder (XDG_DATA_HOME, normally
// ~/.local/share): mime/packages/quillmap.xml and
// applications/quillmap.desktop. The desktop's caches are refreshed when the
// usual tools are installed; without them the files still take effect at
// the desktop's next scan.
#pragma once

#include <QString>

namespace qm {

class FileAssociation {
 public:
  // programPath: the full path of the program to open outlines with.
  explicit FileAssociation(QString programPath);

  // True when the type for ".qmp" is registered for this user already.
  bool IsRegistered() const;
  // Writes both files (replacing older ones). Returns false when a file
  // could not be written.
  bool Register() const;
  // Start-up's silent form: registers only when nothing is registered yet.
  bool RegisterIfMissing() const;

  QString MimePackagePath() const;
  QString DesktopEntryPath() const;

 private:
  QString m_programPath;
};

}  // namespace qm
