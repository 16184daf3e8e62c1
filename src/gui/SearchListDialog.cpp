// SearchListDialog: the match list and its jump and close buttons.
#include "gui/SearchListDialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/Strings.h"

namespace qm {

SearchListDialog::SearchListDialog(const SearchListRequest& request, QWidget* parent)
    : QDialog(parent),
      m_list(new QListWidget(this)),
      m_jump(new QPushButton(res::kSearchResultsJump.toString(), this)),
      m_close(new QPushButton(res::kSearchResultsClose.toString(), this)) {
  setWindowTitle(res::kSearchResultsTitle.toString());
  m_list->setObjectName(QStringLiteral("matchList"));
  m_jump->setObjectName(QStringLiteral("jumpButton"));
  m_close->setObjectName(QStringLiteral("closeButton"));

  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->addItems(request.entries);
  if (m_list->count() > 0) m_list->setCurrentRow(0);

  m_jump->setDefault(true);
  m_jump->setEnabled(m_list->currentRow() >= 0);
  connect(m_list, &QListWidget::currentRowChanged, this,
          [this](int row) { m_jump->setEnabled(row >= 0); });
  // Activation is the double click (or Enter) the desktop's style chose.
  connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    m_list->setCurrentItem(item);
    accept();
  });
  connect(m_jump, &QPushButton::clicked, this, [this] { accept(); });
  connect(m_close, &QPushButton::clicked, this, [this] { reject(); });

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(m_jump, QDialogButtonBox::AcceptRole);
  buttons->addButton(m_close, QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list);
  layout->addWidget(buttons);
  m_list->setFocus();
}

int SearchListDialog::Chosen() const { return m_list->currentRow(); }

}  // namespace qm
