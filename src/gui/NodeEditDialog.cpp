// NodeEditDialog: the controls, the two layouts and the OK rule.
#include "gui/NodeEditDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "editing/NodeEdit.h"
#include "gui/OkCancelButtons.h"
#include "res/DateStrings.h"
#include "res/Strings.h"

namespace qm {
namespace {

// Selects value in list, or nothing when the list has no such item.
void SelectIndex(QComboBox& list, int value) {
  list.setCurrentIndex(value >= 0 && value < list.count() ? value : -1);
}

}  // namespace

NodeEditDialog::NodeEditDialog(const NodeEditRequest& request, Prompt& prompt, QWidget* parent)
    : QDialog(parent),
      m_prompt(prompt),
      m_requestedTitleOutput(request.titleOutput),
      m_requestedCategory(request.category),
      m_title(new QLineEdit(request.title, this)),
      m_link(new QLineEdit(request.link, this)),
      m_titleOutput(new QComboBox(this)),
      m_category(new QComboBox(this)),
      m_updated(new QLabel(request.updated, this)),
      m_linkActions(request.linkActions),
      m_dateTitle(request.dateTitle) {
  setWindowTitle(res::kNodeEditDialogTitle.toString());
  m_title->setObjectName(QStringLiteral("titleEdit"));
  m_link->setObjectName(QStringLiteral("linkEdit"));
  m_titleOutput->setObjectName(QStringLiteral("titleOutputList"));
  m_category->setObjectName(QStringLiteral("categoryList"));
  m_updated->setObjectName(QStringLiteral("updatedLabel"));

  // The item order is the stored value: 0, 1, 2.
  m_titleOutput->addItems({res::kTitleOutputChapterAndTitle.toString(),
                           res::kTitleOutputTitleOnly.toString(),
                           res::kTitleOutputNoTitle.toString()});
  SelectIndex(*m_titleOutput, request.titleOutput);
  // Category 0 means none; without its item no node could lose its category.
  m_category->addItems(request.categories.isEmpty() ? QStringList{res::kNoCategory.toString()}
                                                    : request.categories);
  SelectIndex(*m_category, request.category);
  m_updated->setTextInteractionFlags(Qt::TextSelectableByMouse);

  BuildLayout(request.wide);
  m_title->setFocus();
  m_title->selectAll();
}

void NodeEditDialog::BuildLayout(bool wide) {
  auto label = [this](QStringView text, QWidget* buddy) {
    auto* result = new QLabel(text.toString(), this);
    result->setBuddy(buddy);
    return result;
  };
  struct Row {
    QLabel* caption;  // null: none
    QWidget* field;
    QWidget* beside = nullptr;  // a button to the right of the field
  };
  const std::vector<Row> rows = {
      {label(res::kNodeEditTitleLabel, m_title), m_title, BuildDateButton()},
      {label(res::kNodeEditLinkLabel, m_link), m_link},
      {nullptr, BuildLinkButtons()},  // under the link field, without a label
      {label(res::kNodeEditOutputLabel, m_titleOutput), m_titleOutput},
      {label(res::kNodeEditCategoryLabel, m_category), m_category},
      {label(res::kNodeEditUpdatedLabel, m_updated), m_updated},
  };
  // The field and its button share a row; the field stays a direct child
  // of the dialog, placed by the dialog's own layout.
  auto fieldLayout = [](const Row& row) {
    auto* line = new QHBoxLayout;
    line->addWidget(row.field, 1);
    if (row.beside != nullptr) line->addWidget(row.beside);
    return line;
  };

  QDialogButtonBox* buttons = MakeOkCancelButtons(this);

  auto* outer = new QVBoxLayout(this);
  if (wide) {
    auto* grid = new QGridLayout;
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
      if (rows[row].caption != nullptr) grid->addWidget(rows[row].caption, row, 0);
      grid->addLayout(fieldLayout(rows[row]), row, 1);
    }
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);
  } else {
    for (const Row& row : rows) {
      if (row.caption != nullptr) outer->addWidget(row.caption);
      outer->addLayout(fieldLayout(row));
    }
  }
  outer->addStretch();
  outer->addWidget(buttons);
}

QPushButton* NodeEditDialog::BuildDateButton() {
  auto* date = new QPushButton(res::kNodeEditDateButton.toString(), this);
  date->setObjectName(QStringLiteral("dateButton"));
  date->setAutoDefault(false);
  date->setEnabled(static_cast<bool>(m_dateTitle));
  // Tab goes from the title to its button, as the row reads.
  setTabOrder(m_title, date);
  connect(date, &QPushButton::clicked, this, [this] {
    if (const std::optional<QString> title = m_dateTitle(m_title->text())) {
      m_title->setText(*title);
      m_title->setFocus();
    }
  });
  return date;
}

QWidget* NodeEditDialog::BuildLinkButtons() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  auto button = [this, box, row](QStringView text, const char* name, auto onClick) {
    auto* result = new QPushButton(text.toString(), box);
    result->setObjectName(QLatin1String(name));
    result->setAutoDefault(false);
    result->setEnabled(m_linkActions != nullptr);
    connect(result, &QPushButton::clicked, this, onClick);
    row->addWidget(result);
  };
  button(res::kLinkOpenButton, "linkOpenButton", [this] { OpenLink(); });
  button(res::kLinkNewButton, "linkNewButton", [this] {
    if (const std::optional<QString> name = m_linkActions->NewLink(m_title->text())) {
      m_link->setText(*name);
    }
  });
  button(res::kLinkDeleteButton, "linkDeleteButton", [this] {
    if (m_linkActions->RemoveLink(m_link->text())) m_link->clear();
  });
  button(res::kLinkBrowseButton, "linkBrowseButton", [this] {
    if (const std::optional<QString> name = m_linkActions->BrowseLink(m_link->text())) {
      m_link->setText(*name);
    }
  });
  row->addStretch();
  return box;
}

void NodeEditDialog::OpenLink() {
  switch (m_linkActions->OpenLink(m_link->text())) {
    case LinkFileActions::OpenOutcome::StayOpen:
      return;
    case LinkFileActions::OpenOutcome::CloseAndFollow:
      m_followLink = true;
      break;
    case LinkFileActions::OpenOutcome::Close:
      break;
  }
  accept();
}

NodeEditResult NodeEditDialog::Result() const {
  NodeEditResult result;
  result.title = m_title->text();
  result.link = m_link->text();
  // No choice shown: the value came in out of range and the user left it.
  result.titleOutput =
      m_titleOutput->currentIndex() < 0 ? m_requestedTitleOutput : m_titleOutput->currentIndex();
  result.category =
      m_category->currentIndex() < 0 ? m_requestedCategory : m_category->currentIndex();
  result.followLink = m_followLink;
  return result;
}

void NodeEditDialog::accept() {
  if (const std::optional<QString> message = ValidateNodeEdit(Result())) {
    m_prompt.Ask(*message, PromptButtons::Ok, PromptIcon::Warning);
    // A link is followed only together with the answer it belongs to.
    m_followLink = false;
    m_title->setFocus();
    m_title->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace qm
