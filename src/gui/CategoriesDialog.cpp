// CategoriesDialog: the controls, the buttons acting through the session,
// and the texts handed over on closing.
#include "gui/CategoriesDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "res/Strings.h"

namespace qm {

CategoriesDialog::CategoriesDialog(CategoryListSession& session, QWidget* parent)
    : QDialog(parent),
      m_session(session),
      m_list(new QListWidget(this)),
      m_before(new QLineEdit(session.Before(), this)),
      m_after(new QLineEdit(session.After(), this)) {
  setWindowTitle(res::kCategoriesTitle.toString());
  m_list->setObjectName(QStringLiteral("categoryList"));
  m_before->setObjectName(QStringLiteral("beforeEdit"));
  m_after->setObjectName(QStringLiteral("afterEdit"));
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);

  struct Button {
    QStringView text;
    const char* name;
    void (CategoryListSession::*action)();
  };
  const Button buttons[] = {
      {res::kCategoryAddButton, "addButton", &CategoryListSession::Add},
      {res::kCategoryEditButton, "editButton", &CategoryListSession::Edit},
      {res::kCategoryDeleteButton, "deleteButton", &CategoryListSession::Delete},
      {res::kCategoryUpButton, "upButton", &CategoryListSession::MoveUp},
      {res::kCategoryDownButton, "downButton", &CategoryListSession::MoveDown},
  };
  auto* column = new QVBoxLayout;
  for (const Button& button : buttons) {
    auto* push = new QPushButton(button.text.toString(), this);
    push->setObjectName(QLatin1String(button.name));
    push->setAutoDefault(false);
    connect(push, &QPushButton::clicked, this, [this, action = button.action] { Act(action); });
    column->addWidget(push);
  }
  column->addStretch();
  auto* close = new QPushButton(res::kButtonClose.toString(), this);
  close->setObjectName(QStringLiteral("closeButton"));
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, [this] { accept(); });
  column->addWidget(close);

  connect(m_list, &QListWidget::currentRowChanged, this,
          [this](int row) { m_session.Select(row); });
  connect(m_list, &QListWidget::itemDoubleClicked, this,
          [this] { Act(&CategoryListSession::Edit); });

  auto* texts = new QGridLayout;
  auto addText = [this, texts](QStringView caption, QLineEdit* edit, int at) {
    auto* label = new QLabel(caption.toString(), this);
    label->setBuddy(edit);
    texts->addWidget(label, 0, at);
    texts->addWidget(edit, 0, at + 1);
  };
  addText(res::kCategoryBeforeLabel, m_before, 0);
  addText(res::kCategoryAfterLabel, m_after, 2);

  auto* top = new QHBoxLayout;
  top->addWidget(m_list, 1);
  top->addLayout(column);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(top, 1);
  outer->addLayout(texts);

  Refill();
  m_list->setFocus();
}

void CategoriesDialog::Act(void (CategoryListSession::*action)()) {
  (m_session.*action)();
  Refill();
}

void CategoriesDialog::Refill() {
  const QSignalBlocker quiet(m_list);
  m_list->clear();
  m_list->addItems(m_session.Names());
  m_list->setCurrentRow(m_session.Selected());
}

void CategoriesDialog::done(int result) {
  if (!m_closed) {
    m_closed = true;
    m_session.Close(m_before->text(), m_after->text());
  }
  QDialog::done(result);
}

}  // namespace qm
