// CategoriesDialog: the category list with its buttons (add, edit, delete,
// one up, one down, close) and the texts written before and after a name.
//
// Every button acts on the list at once through the session; the dialog
// then shows the session's names and selection again. A double click on a
// name edits it. However the dialog closes (the close button, Esc, the
// window's close box), it hands the two texts to the session's Close, once.
// Object names: categoryList, addButton, editButton, deleteButton,
// upButton, downButton, closeButton, beforeEdit, afterEdit. The session
// must outlive the dialog.
#pragma once

#include <QDialog>

#include "editing/CategoryDialogs.h"

class QLineEdit;
class QListWidget;

namespace qm {

class CategoriesDialog : public QDialog {
 public:
  CategoriesDialog(CategoryListSession& session, QWidget* parent = nullptr);

  void done(int result) override;

 private:
  // Runs one session action, then shows the list as it is now.
  void Act(void (CategoryListSession::*action)());
  void Refill();

  CategoryListSession& m_session;
  bool m_closed = false;
  QListWidget* m_list;
  QLineEdit* m_before;
  QLineEdit* m_after;
};

}  // namespace qm
