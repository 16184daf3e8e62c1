// PasteDialogs: the two questions the branch clipboard asks before it
// pastes — where a branch goes, and how plain text becomes nodes.
//
// Each returns the user's choice, or nothing when the user cancelled.
// Implementations: the Qt dialogs in the window, a scripted fake in tests.
// Not thread-safe: the user-interface thread owns it.
#pragma once

#include <optional>

namespace qm {

// Paste levels: 0 below the selected node (as its last children), 1 on its
// level (after its branch).
struct PastePlaceRequest {
  int level = 0;  // the proposal
};

struct PastePlaceAnswer {
  int level = 0;
  bool dontAskAgain = false;  // "do not show this dialog again" ticked
};

// How plain text becomes nodes: 0 one node per line; 1 the first line is
// the title and the rest the body; 2 the first line is the title and the
// whole text the body; 3 all lines joined into one node.
struct TextPasteRequest {
  int mode = 0;  // the proposal
};

struct TextPasteAnswer {
  int mode = 0;
};

class PasteDialogs {
 public:
  virtual ~PasteDialogs() = default;
  PasteDialogs(const PasteDialogs&) = delete;
  PasteDialogs& operator=(const PasteDialogs&) = delete;

  virtual std::optional<PastePlaceAnswer> ChoosePastePlace(const PastePlaceRequest& request) = 0;
  virtual std::optional<TextPasteAnswer> ChooseTextPasteMode(const TextPasteRequest& request) = 0;

 protected:
  PasteDialogs() = default;
};

}  // namespace qm
