// FileAssociation: the mime package and the desktop entry.
#include "app/FileAssociation.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/FileIo.h"
#include "res/Strings.h"

namespace qm {
namespace {

QString DataHome() { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation); }

// Runs a cache refresher when it is installed; its absence is no failure.
void RunIfPresent(const QString& program, const QStringList& arguments) {
  const QString found = QStandardPaths::findExecutable(program);
  if (!found.isEmpty()) QProcess::execute(found, arguments);
}

bool WriteText(const QString& path, const QString& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  return WriteFileReplacing(path, text.toUtf8()).Ok();
}

}  // namespace

FileAssociation::FileAssociation(QString programPath) : m_programPath(std::move(programPath)) {}

QString FileAssociation::MimePackagePath() const {
  return DataHome() + QStringLiteral("/mime/packages/quillmap.xml");
}

QString FileAssociation::DesktopEntryPath() const {
  return DataHome() + QStringLiteral("/applications/quillmap.desktop");
}

bool FileAssociation::IsRegistered() const { return QFileInfo::exists(MimePackagePath()); }

bool FileAssociation::Register() const {
  const QString mime =
      QStringLiteral(
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
          "  <mime-type type=\"application/x-quillmap\">\n"
          "    <comment>%1</comment>\n"
          "    <comment xml:lang=\"ja\">%2</comment>\n"
          "    <glob pattern=\"*.qmp\"/>\n"
          "  </mime-type>\n"
          "</mime-info>\n")
          .arg(res::kFileTypeDescription, res::kFileTypeName);
  // Exec quotes the program path so folders with blanks work.
  const QString desktop = QStringLiteral(
                              "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=%1\n"
                              "Comment=%2\n"
                              "Exec=\"%3\" %f\n"
                              "Icon=accessories-text-editor\n"
                              "MimeType=application/x-quillmap;\n"
                              "Categories=Office;Utility;\n"
                              "Terminal=false\n")
                              .arg(res::kProgramName, res::kProgramComment, m_programPath);
  if (!WriteText(MimePackagePath(), mime) || !WriteText(DesktopEntryPath(), desktop)) {
    return false;
  }
  RunIfPresent(QStringLiteral("update-mime-database"), {DataHome() + QStringLiteral("/mime")});
  RunIfPresent(QStringLiteral("update-desktop-database"),
               {DataHome() + QStringLiteral("/applications")});
  return true;
}

bool FileAssociation::RegisterIfMissing() const { return IsRegistered() || Register(); }

}  // namespace qm
