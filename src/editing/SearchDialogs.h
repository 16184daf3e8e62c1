// SearchDialogs: the search dialog and the list of matches as the search
// commands see them.
//
// Each method takes a plain request and returns the user's answer; an empty
// std::optional means the user cancelled or closed. Implementations: the Qt
// dialogs in the window, a scripted fake in tests. Not thread-safe: the
// user-interface thread owns it.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace qm {

// The search dialog: a word box that offers the recent words, and where to look.
struct SearchRequest {
  QString caption;          // the dialog's title
  QString word;             // the word box's first text
  QStringList recentWords;  // newest first
  bool caseSensitive = false;
  bool inTitles = true;
  bool inBodies = true;
  bool inLinks = false;
};

struct SearchAnswer {
  QString word;  // never empty: the dialog does not start without one
  bool caseSensitive = false;
  bool inTitles = true;
  bool inBodies = true;
  bool inLinks = false;
};

// The list of matching nodes: one label per match, in the order given.
struct SearchListRequest {
  QStringList entries;
};

class SearchDialogs {
 public:
  virtual ~SearchDialogs() = default;
  SearchDialogs(const SearchDialogs&) = delete;
  SearchDialogs& operator=(const SearchDialogs&) = delete;

  // On start returns the word and the boxes as the user left them; on
  // cancel returns nothing.
  virtual std::optional<SearchAnswer> AskSearch(const SearchRequest& request) = 0;
  // On jump returns the position of the chosen entry in request.entries;
  // on close returns nothing.
  virtual std::optional<int> ShowSearchList(const SearchListRequest& request) = 0;

 protected:
  SearchDialogs() = default;
};

}  // namespace qm
