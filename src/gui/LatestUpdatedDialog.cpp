// LatestUpdatedDialog: the controls, the highlight following the body box,
// and the jump.
#include "gui/LatestUpdatedDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/RowListView.h"
#include "res/Strings.h"

namespace qm {
namespace {

// Column width in dialog units; four units make one average character.
constexpr int kColumnUnits = 100;

}  // namespace

LatestUpdatedDialog::LatestUpdatedDialog(const LatestUpdatedRequest& request, QWidget* parent)
    : QDialog(parent),
      m_list(new QTreeWidget(this)),
      m_body(new QPlainTextEdit(this)),
      m_jump(new QPushButton(res::kButtonJump.toString(), this)),
      m_close(new QPushButton(res::kButtonClose.toString(), this)) {
  setWindowTitle(res::kLatestUpdatedTitle.toString());
  m_list->setObjectName(QStringLiteral("latestList"));
  m_body->setObjectName(QStringLiteral("bodyBox"));
  m_jump->setObjectName(QStringLiteral("jumpButton"));
  m_close->setObjectName(QStringLiteral("closeButton"));

  m_list->setColumnCount(2);
  m_list->setHeaderLabels(
      {res::kLatestUpdatedTimeColumn.toString(), res::kLatestUpdatedTitleColumn.toString()});
  MakeRowList(m_list);
  const int columnWidth = kColumnUnits * fontMetrics().averageCharWidth() / 4;
  m_list->header()->resizeSection(0, columnWidth);
  m_list->header()->resizeSection(1, columnWidth);

  QList<QTreeWidgetItem*> items;
  m_bodies.reserve(request.rows.size());
  for (const LatestUpdatedRow& row : request.rows) {
    items << new QTreeWidgetItem(QStringList{row.time, row.title});
    m_bodies.push_back(row.body);
  }
  m_list->addTopLevelItems(items);

  m_body->setReadOnly(true);

  connect(m_list, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { ShowBodyOf(m_list->indexOfTopLevelItem(current)); });
  connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { Jump(); });
  connect(m_jump, &QPushButton::clicked, this, [this] { Jump(); });
  connect(m_close, &QPushButton::clicked, this, [this] { reject(); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_jump);
  buttons->addWidget(m_close);
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(m_list, 1);
  outer->addWidget(m_body, 1);
  outer->addLayout(buttons);
  m_jump->setDefault(true);
  resize(2 * columnWidth + 4 * fontMetrics().averageCharWidth(), sizeHint().height());

  if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
  m_list->setFocus();
}

int LatestUpdatedDialog::ChosenRow() const {
  return m_list->indexOfTopLevelItem(m_list->currentItem());
}

void LatestUpdatedDialog::ShowBodyOf(int row) {
  const bool valid = row >= 0 && row < static_cast<int>(m_bodies.size());
  // Stored lines end in CR LF; the box shows one line break for each.
  QString text = valid ? m_bodies[static_cast<size_t>(row)] : QString();
  m_body->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void LatestUpdatedDialog::Jump() {
  if (ChosenRow() >= 0) accept();
}

}  // namespace qm
