// The Clipboard and Launcher ports over QClipboard and QDesktopServices.
#include "gui/QtClipboard.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace qm {

std::optional<QString> QtClipboard::Text() const {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.isEmpty()) return std::nullopt;
  return text;
}

void QtClipboard::SetText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

bool QtLauncher::Launch(const QString& path) {
  const QUrl url = path.contains(QStringLiteral("://")) ? QUrl(path) : QUrl::fromLocalFile(path);
  return QDesktopServices::openUrl(url);
}

}  // namespace qm
