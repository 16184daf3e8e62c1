// TextFormatDialog: the controls, their layout and the answer.
#include "gui/TextFormatDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "gui/OkCancelButtons.h"
#include "res/Strings.h"

namespace qm {
namespace {

// The usual range of a count; a stored value outside it widens the range
// so that it is shown as it is.
constexpr int kMaxWidth = 9999;
constexpr int kMaxCount = 999;

QSpinBox* NumberBox(int value, int maximum, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(std::min(0, value), std::max(maximum, value));
  box->setValue(value);
  return box;
}

QComboBox* List(const QStringView* items, size_t count, int value, QWidget* parent) {
  auto* list = new QComboBox(parent);
  for (size_t i = 0; i < count; ++i) list->addItem(items[i].toString());
  list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
  return list;
}

QCheckBox* Box(QStringView text, bool checked, QWidget* parent) {
  auto* box = new QCheckBox(text.toString(), parent);
  box->setChecked(checked);
  return box;
}

}  // namespace

TextFormatDialog::TextFormatDialog(const TextFormat& format, QWidget* parent)
    : QDialog(parent),
      m_requested(format),
      m_form(List(res::kTextFormNames, std::size(res::kTextFormNames), format.form, this)),
      m_indent(List(res::kTextIndentNames, std::size(res::kTextIndentNames), format.indent, this)),
      m_selectOnly(Box(res::kTextSelectOnly, format.selectOnly, this)),
      m_fileOut(Box(res::kTextFileOut, format.fileOut, this)),
      m_editOut(Box(res::kTextEditOut, format.editOut, this)),
      m_space(Box(res::kTextSpace, format.space, this)),
      m_tSpace(Box(res::kTextTSpace, format.tSpace, this)),
      m_width(NumberBox(format.width, kMaxWidth, this)),
      m_separator(new QLineEdit(format.separator, this)),
      m_tabNo(NumberBox(format.tabNo, kMaxCount, this)),
      m_spaceNo(NumberBox(format.spaceNo, kMaxCount, this)) {
  setWindowTitle(res::kTextFormatTitle.toString());
  m_form->setObjectName(QStringLiteral("formList"));
  m_indent->setObjectName(QStringLiteral("indentList"));
  m_selectOnly->setObjectName(QStringLiteral("selectOnlyBox"));
  m_fileOut->setObjectName(QStringLiteral("fileOutBox"));
  m_editOut->setObjectName(QStringLiteral("editOutBox"));
  m_space->setObjectName(QStringLiteral("spaceBox"));
  m_tSpace->setObjectName(QStringLiteral("tSpaceBox"));
  m_width->setObjectName(QStringLiteral("widthEdit"));
  m_separator->setObjectName(QStringLiteral("separatorEdit"));
  m_tabNo->setObjectName(QStringLiteral("tabNoEdit"));
  m_spaceNo->setObjectName(QStringLiteral("spaceNoEdit"));

  auto* grid = new QGridLayout;
  int row = 0;
  auto addRow = [this, grid, &row](QStringView text, QWidget* field) {
    auto* label = new QLabel(text.toString(), this);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    ++row;
  };
  addRow(res::kTextFormLabel, m_form);
  addRow(res::kTextIndentLabel, m_indent);
  for (QCheckBox* box : {m_selectOnly, m_fileOut, m_editOut, m_space, m_tSpace}) {
    grid->addWidget(box, row++, 0, 1, 2);
  }
  addRow(res::kTextWidthLabel, m_width);
  addRow(res::kTextSeparatorLabel, m_separator);
  addRow(res::kTextTabNoLabel, m_tabNo);
  addRow(res::kTextSpaceNoLabel, m_spaceNo);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(MakeOkCancelButtons(this));

  connect(m_indent, &QComboBox::currentIndexChanged, this, [this] { UpdateCounts(); });
  UpdateCounts();
}

void TextFormatDialog::UpdateCounts() {
  // Each count matters only in its own indentation mode.
  m_spaceNo->setEnabled(m_indent->currentIndex() == TextFormat::kSpaces);
  m_tabNo->setEnabled(m_indent->currentIndex() == TextFormat::kTabs);
}

TextFormat TextFormatDialog::Result() const {
  TextFormat format = m_requested;
  if (m_form->currentIndex() >= 0) format.form = m_form->currentIndex();
  if (m_indent->currentIndex() >= 0) format.indent = m_indent->currentIndex();
  format.selectOnly = m_selectOnly->isChecked();
  format.fileOut = m_fileOut->isChecked();
  format.editOut = m_editOut->isChecked();
  format.space = m_space->isChecked();
  format.tSpace = m_tSpace->isChecked();
  format.width = m_width->value();
  format.separator = m_separator->text();
  format.tabNo = m_tabNo->value();
  format.spaceNo = m_spaceNo->value();
  return format;
}

}  // namespace qm
