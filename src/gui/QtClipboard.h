// QtClipboard and QtLauncher: the Clipboard and Launcher ports over the
// desktop's clipboard and URL handler. Need a running QGuiApplication.
#pragma once

#include <QUrl>

#include "platform/Clipboard.h"
#include "platform/Launcher.h"

namespace qm {

class QtClipboard : public Clipboard {
 public:
  QtClipboard() = default;
  std::optional<QString> Text() const override;
  void SetText(const QString& text) override;
};

class QtLauncher : public Launcher {
 public:
  QtLauncher() = default;
  bool Launch(const QString& path) override;
  // The URL Launch hands the desktop: a file URL for an absolute path, the
  // text itself as a URL otherwise ("mailto:" has no "//" to tell it by).
  static QUrl UrlFor(const QString& path);
};

}  // namespace qm
