// The Clipboard and Launcher ports over QClipboard and QDesktopServices.
#include "gui/QtClipboard.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QUrl>

namespace qm {

std::optional<QString> QtClipboard::Text() const {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.isEmpty()) return std::nullopt;
  return text;
}

void QtClipboard::SetText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

QUrl QtLauncher::UrlFor(const QString& path) {
  return QDir::isAbsolutePath(path) ? QUrl::fromLocalFile(path) : QUrl(path);
}

bool QtLauncher::Launch(const QString& path) { return QDesktopServices::openUrl(UrlFor(path)); }

}  // namespace qm
