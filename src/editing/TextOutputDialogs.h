// TextOutputDialogs: the output format dialog ("出力形式") as the text
// output commands see it.
//
// Implementations: the Qt dialog in the window, a scripted fake in tests.
// Not thread-safe: the user-interface thread owns it.
#pragma once

#include <optional>

#include "output/TextFormat.h"

namespace qm {

class TextOutputDialogs {
 public:
  virtual ~TextOutputDialogs() = default;
  TextOutputDialogs(const TextOutputDialogs&) = delete;
  TextOutputDialogs& operator=(const TextOutputDialogs&) = delete;

  // Shows every option of `current`. On OK returns all of them as the user
  // left them; on cancel returns nothing.
  virtual std::optional<TextFormat> EditTextFormat(const TextFormat& current) = 0;

 protected:
  TextOutputDialogs() = default;
};

}  // namespace qm
