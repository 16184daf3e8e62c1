// DateFormatDialog: the controls, their layout and their rules.
#include "gui/DateFormatDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/OkCancelButtons.h"
#include "res/DateStrings.h"

namespace qm {
namespace {

QCheckBox* Box(QStringView text, const char* name, bool checked, QWidget* parent) {
  auto* box = new QCheckBox(text.toString(), parent);
  box->setObjectName(QLatin1String(name));
  box->setChecked(checked);
  return box;
}

}  // namespace

DateFormatDialog::DateFormatDialog(const DateInsertOptions& options, QWidget* parent)
    : QDialog(parent),
      m_year(Box(res::kDateFormatYear, "yearBox", options.year, this)),
      m_year4(Box(res::kDateFormatYear4, "year4Box", options.fourDigitYear, this)),
      m_week(Box(res::kDateFormatWeek, "weekBox", options.weekday, this)),
      m_era(Box(res::kDateFormatEra, "eraBox", options.eraYear, this)),
      m_mark(new QLineEdit(options.mark, this)),
      m_kanji(Box(res::kDateFormatKanji, "kanjiBox", options.kanjiUnits, this)),
      m_time(Box(res::kDateFormatTime, "timeBox", options.withTime, this)) {
  setWindowTitle(res::kDateFormatDialogTitle.toString());
  m_mark->setObjectName(QStringLiteral("markEdit"));

  auto* yearRow = new QHBoxLayout;
  yearRow->addWidget(m_year);
  yearRow->addWidget(m_year4);
  yearRow->addStretch();

  auto* markRow = new QHBoxLayout;
  auto* markLabel = new QLabel(res::kDateFormatMarkLabel.toString(), this);
  markLabel->setBuddy(m_mark);
  markRow->addWidget(markLabel);
  markRow->addWidget(m_mark);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(yearRow);
  layout->addWidget(m_week);
  layout->addWidget(m_era);
  layout->addLayout(markRow);
  layout->addWidget(m_kanji);
  layout->addWidget(m_time);
  layout->addStretch();
  layout->addWidget(MakeOkCancelButtons(this));

  // Toggled rather than clicked: the keyboard and scripts change the boxes too.
  connect(m_era, &QCheckBox::toggled, this,
          [this](bool on) { m_year->setChecked(WithEraYearToggled(Result(), on).year); });
  for (QCheckBox* box : {m_year, m_year4, m_week, m_era, m_kanji, m_time}) {
    connect(box, &QCheckBox::toggled, this, [this] { ApplyEnabling(); });
  }
  ApplyEnabling();
}

void DateFormatDialog::ApplyEnabling() {
  const DateFormatDialogEnabling enabling = DateFormatDialogEnablingFor(Result());
  m_year->setEnabled(enabling.year);
  m_year4->setEnabled(enabling.fourDigitYear);
  m_week->setEnabled(enabling.weekday);
  m_era->setEnabled(enabling.eraYear);
  m_mark->setEnabled(enabling.mark);
  m_kanji->setEnabled(enabling.kanjiUnits);
  m_time->setEnabled(enabling.withTime);
}

DateInsertOptions DateFormatDialog::Result() const {
  DateInsertOptions options;
  options.mark = m_mark->text();
  options.year = m_year->isChecked();
  options.fourDigitYear = m_year4->isChecked();
  options.weekday = m_week->isChecked();
  options.eraYear = m_era->isChecked();
  options.kanjiUnits = m_kanji->isChecked();
  options.withTime = m_time->isChecked();
  return options;
}

}  // namespace qm
