// NodeEditDialog: the dialog that adds or edits one node of the outline.
//
// It shows the node's title, link file name, title output (chapter
// characters and title, title only, no title), category and, read-only, its
// updated date, filled from a NodeEditRequest. OK runs ValidateNodeEdit:
// when that returns a message the dialog tells the user through the prompt
// and stays open; otherwise it closes accepted and Result() holds the
// answer. A title-output or category value the lists cannot show (out of
// range) is shown as no choice and handed back unchanged unless the user
// picks another item, so opening and closing the dialog never alters a node.
//
// The wide layout puts each label beside its field in a two-column grid; the
// tall one stacks labels and fields. Every control has an object name
// (titleEdit, linkEdit, titleOutputList, categoryList, updatedLabel,
// okButton, cancelButton) so that tests and scripts can find it. The prompt
// must outlive the dialog.
//
// Under the link field sit the link buttons (linkOpenButton, linkNewButton,
// linkDeleteButton, linkBrowseButton). They hand the field to the request's
// LinkFileActions and put back what it answers; opening a file closes the
// dialog as OK does. Without actions the buttons are disabled.
//
// Beside the title sits the date button (dateButton): it hands the title
// field to the request's TitleDating and puts back the dated title it
// answers. Without one the button is disabled.
#pragma once

#include <QDialog>

#include "editing/LinkFileDialogs.h"
#include "editing/NodeEdit.h"
#include "platform/Prompt.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qm {

class NodeEditDialog : public QDialog {
 public:
  NodeEditDialog(const NodeEditRequest& request, Prompt& prompt, QWidget* parent = nullptr);

  // What the controls hold now.
  NodeEditResult Result() const;

  // OK: closes only when the answer passes ValidateNodeEdit.
  void accept() override;

 private:
  void BuildLayout(bool wide);
  QWidget* BuildLinkButtons();
  QPushButton* BuildDateButton();
  void OpenLink();

  Prompt& m_prompt;
  int m_requestedTitleOutput;
  int m_requestedCategory;
  QLineEdit* m_title;
  QLineEdit* m_link;
  QComboBox* m_titleOutput;
  QComboBox* m_category;
  QLabel* m_updated;
  LinkFileActions* m_linkActions;
  TitleDating m_dateTitle;
  bool m_followLink = false;
};

}  // namespace qm
