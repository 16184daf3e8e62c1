// SearchDialog: the word box, the four boxes and the start rule.
#include "gui/SearchDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/Strings.h"

namespace qm {

SearchDialog::SearchDialog(const SearchRequest& request, QWidget* parent)
    : QDialog(parent),
      m_word(new QComboBox(this)),
      m_caseSensitive(new QCheckBox(res::kSearchCaseSensitive.toString(), this)),
      m_inTitles(new QCheckBox(res::kSearchInTitles.toString(), this)),
      m_inBodies(new QCheckBox(res::kSearchInBodies.toString(), this)),
      m_inLinks(new QCheckBox(res::kSearchInLinks.toString(), this)),
      m_start(new QPushButton(res::kSearchStart.toString(), this)),
      m_cancel(new QPushButton(res::kSearchCancel.toString(), this)) {
  setWindowTitle(request.caption);
  m_word->setObjectName(QStringLiteral("wordBox"));
  m_caseSensitive->setObjectName(QStringLiteral("caseBox"));
  m_inTitles->setObjectName(QStringLiteral("titlesBox"));
  m_inBodies->setObjectName(QStringLiteral("bodiesBox"));
  m_inLinks->setObjectName(QStringLiteral("linksBox"));
  m_start->setObjectName(QStringLiteral("startButton"));
  m_cancel->setObjectName(QStringLiteral("cancelButton"));

  m_word->setEditable(true);
  // The list is the recent words as stored; what the user types is not
  // added to it here, and completing would change a word that differs
  // from a recent one only in case.
  m_word->setInsertPolicy(QComboBox::NoInsert);
  m_word->setCompleter(nullptr);
  m_word->setMaxVisibleItems(20);
  m_word->setMinimumContentsLength(20);
  m_word->addItems(request.recentWords);
  m_word->setEditText(request.word);

  m_caseSensitive->setChecked(request.caseSensitive);
  m_inTitles->setChecked(request.inTitles);
  m_inBodies->setChecked(request.inBodies);
  m_inLinks->setChecked(request.inLinks);

  m_start->setDefault(true);
  m_start->setEnabled(!request.word.isEmpty());
  connect(m_word, &QComboBox::editTextChanged, this,
          [this](const QString& text) { m_start->setEnabled(!text.isEmpty()); });
  connect(m_start, &QPushButton::clicked, this, [this] { accept(); });
  connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(m_start, QDialogButtonBox::AcceptRole);
  buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_word);
  for (QCheckBox* box : {m_caseSensitive, m_inTitles, m_inBodies, m_inLinks}) {
    layout->addWidget(box);
  }
  layout->addStretch();
  layout->addWidget(buttons);

  m_word->setFocus();
  m_word->lineEdit()->selectAll();
}

SearchAnswer SearchDialog::Answer() const {
  SearchAnswer answer;
  answer.word = m_word->currentText();
  answer.caseSensitive = m_caseSensitive->isChecked();
  answer.inTitles = m_inTitles->isChecked();
  answer.inBodies = m_inBodies->isChecked();
  answer.inLinks = m_inLinks->isChecked();
  return answer;
}

}  // namespace qm
