// NodeEdit: the node edit dialog as the tree pane sees it, and the rule the
// dialog applies when the user presses OK.
//
// One dialog serves both adding and editing a node. The dialog itself lives
// in the window; it calls ValidateNodeEdit before it closes so that the rule
// runs, and is tested, without a display. A scripted fake stands in for it
// in tests. Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace qm {

class LinkFileActions;

// The date button: asks the user for a date and returns the title with the
// date in front of it, or nothing when the user cancels.
using TitleDating = std::function<std::optional<QString>(const QString& title)>;

// titleOutput: 0 chapter characters and title, 1 title only, 2 no title.
// category: 0 for none, else the 1-based position in the document's list.
struct NodeEditRequest {
  QString title;
  QString link;
  int titleOutput = 0;
  int category = 0;
  QStringList categories;  // the list's items: "none" first, then the document's names
  QString updated;         // "YYYY/MM/DD hh:mm" local time; empty when adding
  bool wide = true;        // the layout for a window wider than high
  // What the link-file buttons do; null leaves them disabled.
  LinkFileActions* linkActions = nullptr;
  // What the date button does with the title field; null leaves it disabled.
  TitleDating dateTitle;
};

struct NodeEditResult {
  QString title;  // never empty: the dialog refuses OK without one
  QString link;
  int titleOutput = 0;
  int category = 0;
  // The user pressed the link's open button on a link that can only be
  // followed once the dialog is closed (a node link).
  bool followLink = false;
};

class NodeEditDialogs {
 public:
  virtual ~NodeEditDialogs() = default;
  NodeEditDialogs(const NodeEditDialogs&) = delete;
  NodeEditDialogs& operator=(const NodeEditDialogs&) = delete;

  // OK with an empty title tells the user so and keeps the dialog open
  // (ValidateNodeEdit decides). On OK returns what the user set; on cancel
  // returns nothing.
  virtual std::optional<NodeEditResult> EditNode(const NodeEditRequest& request) = 0;

 protected:
  NodeEditDialogs() = default;
};

// Returns the message to show while the dialog stays open, or nothing when
// the answer may be accepted. A title made only of characters that titles
// cannot hold (line breaks, separators) counts as empty: it would become one.
std::optional<QString> ValidateNodeEdit(const NodeEditResult& result);

}  // namespace qm
