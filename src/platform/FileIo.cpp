// Whole-file reading and writing through QFile and QSaveFile.
#include "platform/FileIo.h"

#include <QFile>
#include <QSaveFile>

namespace qm {

std::optional<QByteArray> ReadWholeFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes;
}

bool WriteFileReplacing(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool WriteNewFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  // NewOnly: a file that appeared meanwhile is still never written over.
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
  if (file.write(bytes) == bytes.size() && file.flush()) return true;
  file.close();
  file.remove();  // a half-written new file is worth nothing
  return false;
}

QString FileNameOf(const QString& path) {
  const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  return path.sliced(cut + 1);
}

QString BaseNameOf(const QString& path) {
  const QString name = FileNameOf(path);
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? name : name.left(dot);
}

QString ExtensionOf(const QString& path) {
  const QString name = FileNameOf(path);
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? QString() : name.sliced(dot).toLower();
}

}  // namespace qm
