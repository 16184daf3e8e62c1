// SearchDialog: the dialog that asks what to search for and where.
//
// An editable word box offers the recent words of the request (newest
// first) and starts with the request's word; four boxes choose case
// sensitivity and the titles, bodies and link file names to search. The
// start button works only while the word box holds text. The box does not
// complete words by itself: a word the user types is searched as typed.
// Every control has an object name (wordBox, caseBox, titlesBox,
// bodiesBox, linksBox, startButton, cancelButton) for tests and scripts.
#pragma once

#include <QDialog>

#include "editing/SearchDialogs.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace qm {

class SearchDialog : public QDialog {
 public:
  explicit SearchDialog(const SearchRequest& request, QWidget* parent = nullptr);

  // What the controls hold now.
  SearchAnswer Answer() const;

 private:
  QComboBox* m_word;
  QCheckBox* m_caseSensitive;
  QCheckBox* m_inTitles;
  QCheckBox* m_inBodies;
  QCheckBox* m_inLinks;
  QPushButton* m_start;
  QPushButton* m_cancel;
};

}  // namespace qm
