// WebOpenDialog: the title list and OK/Cancel.
#include "gui/WebOpenDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "gui/OkCancelButtons.h"
#include "res/NetStrings.h"

namespace qm {

WebOpenDialog::WebOpenDialog(const QStringList& titles, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)) {
  setWindowTitle(res::kWebOpenCaption.toString());
  m_list->setObjectName(QStringLiteral("fileList"));
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  // Titles are shown as they are; a title is not edited here.
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_list->addItems(titles);

  // Activation is the double click (or Enter) the desktop's style chose.
  // Enter may land on a row that has the focus frame but no selection yet.
  connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    m_list->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    accept();
  });

  auto* label = new QLabel(res::kWebOpenLabel.toString(), this);
  QDialogButtonBox* buttons = MakeOkCancelButtons(this, res::kWebOpenCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(m_list, 1);
  layout->addWidget(buttons);
  m_list->setFocus();
}

int WebOpenDialog::Chosen() const {
  // The selection, not the current row: the list makes its first row
  // current when it gets the focus, which is no choice of the user's.
  const QList<QListWidgetItem*> selected = m_list->selectedItems();
  return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

}  // namespace qm
