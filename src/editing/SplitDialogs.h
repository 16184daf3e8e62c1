// SplitDialogs: the split dialog as split and merge see it — the new node's
// title and the split options.
//
// Implementations: the Qt dialog in the window, a scripted fake in tests.
// Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>
#include <optional>

namespace qm {

struct SplitRequest {
  QString title;
  bool dropFirstLine = false;  // the split-off text loses its first line
  bool moveCaret = false;      // the new node is selected afterwards
  bool sameLevel = false;      // the new node follows on the same level
};

struct SplitAnswer {
  QString title;  // never empty: the dialog refuses OK without one
  bool dropFirstLine = false;
  bool moveCaret = false;
  bool sameLevel = false;
  bool dontAskAgain = false;  // "do not show this dialog when splitting" ticked
};

class SplitDialogs {
 public:
  virtual ~SplitDialogs() = default;
  SplitDialogs(const SplitDialogs&) = delete;
  SplitDialogs& operator=(const SplitDialogs&) = delete;

  // OK with an empty title tells the user so and keeps the dialog open
  // (ValidateSplit decides). On OK returns what the user set; on cancel
  // returns nothing.
  virtual std::optional<SplitAnswer> SplitNode(const SplitRequest& request) = 0;

 protected:
  SplitDialogs() = default;
};

}  // namespace qm
