// FileNameFromTitle: cleaning a node title into a file name.
#include "editing/TitleFileName.h"

#include "res/Strings.h"

namespace qm {

QString FileNameFromTitle(QStringView title, QStringView extension) {
  constexpr QStringView kRefused = u"\\/:*?\"<>|";
  constexpr qsizetype kMaxNameBytes = 255;
  QString name;
  for (const QChar c : title) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) continue;
    name += kRefused.contains(c) ? QChar(u'_') : c;
  }
  const qsizetype dot = name.indexOf(u'.');
  if (dot >= 0) name.truncate(dot);
  const qsizetype extensionBytes = extension.toUtf8().size();
  while (!name.isEmpty() && name.toUtf8().size() + extensionBytes > kMaxNameBytes) {
    name.chop(name.back().isLowSurrogate() ? 2 : 1);
  }
  name = name.trimmed();
  if (name.isEmpty()) name = res::kUntitledNode.toString();
  return name.append(extension);
}

}  // namespace qm
