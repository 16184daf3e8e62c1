// Clipboard: the system clipboard's Unicode text, as behaviour code sees it.
//
// The window implements it over the desktop clipboard, so text put there by
// one outline (or any other program) reaches another; tests use a fake that
// holds one string. Callers hold a reference; the implementation must
// outlive them. Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>
#include <optional>

namespace qm {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  Clipboard(const Clipboard&) = delete;
  Clipboard& operator=(const Clipboard&) = delete;

  // The clipboard's text, or nothing when it holds no text (an empty text
  // counts as none).
  virtual std::optional<QString> Text() const = 0;
  // Replaces whatever the clipboard holds by text.
  virtual void SetText(const QString& text) = 0;

 protected:
  Clipboard() = default;
};

}  // namespace qm
