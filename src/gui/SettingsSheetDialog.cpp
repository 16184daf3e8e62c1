// SettingsSheetDialog: the five pages, their controls and the OK rule.
#include "gui/SettingsSheetDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/SettingsSheet.h"
#include "gui/OkCancelButtons.h"
#include "res/SettingsStrings.h"

namespace qm {
namespace {

// The usual ranges of the numbers; a stored value outside one widens it so
// that it is shown as it is. The recent-file count may go past what OK
// accepts, so that the user hears why a larger one is refused.
constexpr int kMaxPixels = 999;
constexpr int kMaxTabStop = 99;
constexpr int kMaxRecentFilesTyped = 99;
constexpr int kSwatchSize = 16;

QSpinBox* NumberBox(int value, int maximum, const char* name, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(std::min(0, value), std::max(maximum, value));
  box->setValue(value);
  box->setObjectName(QLatin1String(name));
  return box;
}

QCheckBox* Box(QStringView text, bool checked, const char* name, QWidget* parent) {
  auto* box = new QCheckBox(text.toString(), parent);
  box->setChecked(checked);
  box->setObjectName(QLatin1String(name));
  return box;
}

template <size_t N>
QComboBox* List(const QStringView (&items)[N], int value, const char* name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  for (const QStringView item : items) list->addItem(item.toString());
  list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
  list->setObjectName(QLatin1String(name));
  return list;
}

// A list shows nothing for a stored value it has no entry for; that value
// stays unless the user picks an entry.
int ListValue(const QComboBox* list, int requested) {
  return list->currentIndex() >= 0 ? list->currentIndex() : requested;
}

// 0x00BBGGRR as stored, and back.
QColor ColourOf(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
int BgrOf(const QColor& colour) {
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

void ShowSwatch(QPushButton* button, int colour) {
  QPixmap swatch(kSwatchSize, kSwatchSize);
  swatch.fill(ColourOf(colour));
  button->setIcon(swatch);
}

// A page whose rows are a label beside its field, or a check box alone.
class Page {
 public:
  explicit Page(QWidget* page) : m_page(page), m_form(new QFormLayout(page)) {}
  void Add(QWidget* field) { m_form->addRow(field); }
  void Add(QStringView text, QWidget* field) {
    auto* label = new QLabel(text.toString(), m_page);
    label->setBuddy(field);
    m_form->addRow(label, field);
  }

 private:
  QWidget* m_page;
  QFormLayout* m_form;
};

}  // namespace

SettingsSheetDialog::SettingsSheetDialog(const SettingsSheetRequest& request, Prompt& prompt,
                                         QWidget* parent)
    : QDialog(parent),
      m_request(request),
      m_prompt(prompt),
      m_pages(new QTabWidget(this)),
      m_textColour(request.values.textColour),
      m_backColour(request.values.backColour) {
  setWindowTitle(res::kSettingsSheetTitle.toString());
  m_pages->setObjectName(QStringLiteral("pages"));
  m_pages->addTab(MakeViewPage(), res::kSettingsViewPage.toString());
  m_pages->addTab(MakeBehaviourPage(), res::kSettingsBehaviourPage.toString());
  m_pages->addTab(MakeEditPage(), res::kSettingsEditPage.toString());
  m_pages->addTab(MakeFilePage(), res::kSettingsFilePage.toString());
  m_pages->addTab(MakeColourPage(), res::kSettingsColourPage.toString());

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pages);
  layout->addWidget(MakeOkCancelButtons(this));
}

QWidget* SettingsSheetDialog::MakeViewPage() {
  const SettingsValues& v = m_request.values;
  auto* widget = new QWidget(this);
  m_treeIndent = NumberBox(v.treeIndent, kMaxPixels, "treeIndentEdit", widget);
  m_splitDialog = Box(res::kSettingsSplitDialog, v.splitDialog, "splitDialogBox", widget);
  m_pasteDialog = Box(res::kSettingsPasteDialog, v.pasteDialog, "pasteDialogBox", widget);
  Page page(widget);
  page.Add(res::kSettingsTreeIndent, m_treeIndent);
  page.Add(m_splitDialog);
  page.Add(m_pasteDialog);
  return widget;
}

QWidget* SettingsSheetDialog::MakeBehaviourPage() {
  const SettingsValues& v = m_request.values;
  auto* widget = new QWidget(this);
  m_addMove = Box(res::kSettingsAddMove, v.addMove, "addMoveBox", widget);
  m_addNoTitle = Box(res::kSettingsAddNoTitle, v.addNoTitle, "addNoTitleBox", widget);
  m_addUntitled = Box(res::kSettingsAddUntitled, v.addUntitled, "addUntitledBox", widget);
  m_firstLineIsTitle =
      Box(res::kSettingsFirstLineIsTitle, v.firstLineIsTitle, "firstLineIsTitleBox", widget);
  m_autoFirst = Box(res::kSettingsAutoFirst, v.autoFirst, "autoFirstBox", widget);
  m_firstCursor = Box(res::kSettingsFirstCursor, v.firstCursor, "firstCursorBox", widget);
  m_singleInstance =
      Box(res::kSettingsSingleInstance, v.singleInstance, "singleInstanceBox", widget);
  m_doubleTap = List(res::kDoubleTapChoices, v.doubleTap, "doubleTapList", widget);
  m_okFrame = Box(res::kSettingsOkFrame, v.okFrame, "okFrameBox", widget);
  m_parentDoubleTap =
      List(res::kParentDoubleTapChoices, v.parentDoubleTap, "parentDoubleTapList", widget);
  // The caret is put back only where the last node is selected again.
  m_firstCursor->setEnabled(m_autoFirst->isChecked());
  connect(m_autoFirst, &QCheckBox::toggled, m_firstCursor, &QWidget::setEnabled);

  Page page(widget);
  for (QCheckBox* box : {m_addMove, m_addNoTitle, m_addUntitled, m_firstLineIsTitle, m_autoFirst,
                         m_firstCursor, m_singleInstance}) {
    page.Add(box);
  }
  page.Add(res::kSettingsDoubleTap, m_doubleTap);
  page.Add(m_okFrame);
  page.Add(res::kSettingsParentDoubleTap, m_parentDoubleTap);
  return widget;
}

QWidget* SettingsSheetDialog::MakeEditPage() {
  const SettingsValues& v = m_request.values;
  auto* widget = new QWidget(this);
  m_tabStop = NumberBox(v.tabStop, kMaxTabStop, "tabStopEdit", widget);
  m_editMargin = NumberBox(v.editMargin, kMaxPixels, "editMarginEdit", widget);
  m_imeOn = Box(res::kSettingsImeOn, v.imeOn, "imeOnBox", widget);
  m_autoIndent = Box(res::kSettingsAutoIndent, v.autoIndent, "autoIndentBox", widget);
  Page page(widget);
  page.Add(res::kSettingsTabStop, m_tabStop);
  page.Add(res::kSettingsEditMargin, m_editMargin);
  page.Add(m_imeOn);
  page.Add(m_autoIndent);
  return widget;
}

QWidget* SettingsSheetDialog::MakeFilePage() {
  const SettingsValues& v = m_request.values;
  auto* widget = new QWidget(this);
  m_linkCheck = Box(res::kSettingsLinkCheck, v.linkCheck, "linkCheckBox", widget);
  m_linkFromRoot = Box(res::kSettingsLinkFromRoot, v.linkFromRoot, "linkFromRootBox", widget);
  m_linkExtension = new QLineEdit(v.linkExtension, widget);
  m_linkExtension->setObjectName(QStringLiteral("linkExtensionEdit"));
  m_recentFiles = NumberBox(v.recentFiles, kMaxRecentFilesTyped, "recentFilesEdit", widget);
  m_reopenLastFile =
      Box(res::kSettingsReopenLastFile, v.reopenLastFile, "reopenLastFileBox", widget);
  m_warnTextFile = Box(res::kSettingsWarnTextFile, v.warnTextFile, "warnTextFileBox", widget);
  m_standardSaveDialog =
      Box(res::kSettingsStandardSaveDialog, v.standardSaveDialog, "standardSaveDialogBox", widget);
  m_linkWithEnter = Box(res::kSettingsLinkWithEnter, v.linkWithEnter, "linkWithEnterBox", widget);
  Page page(widget);
  page.Add(m_linkCheck);
  page.Add(m_linkFromRoot);
  page.Add(res::kSettingsLinkExtension, m_linkExtension);
  page.Add(res::kSettingsRecentFiles, m_recentFiles);
  for (QCheckBox* box : {m_reopenLastFile, m_warnTextFile, m_standardSaveDialog, m_linkWithEnter}) {
    page.Add(box);
  }
  return widget;
}

QWidget* SettingsSheetDialog::MakeColourPage() {
  auto* widget = new QWidget(this);
  m_backColourButton = new QPushButton(res::kSettingsBackColour.toString(), widget);
  m_backColourButton->setObjectName(QStringLiteral("backColourButton"));
  m_textColourButton = new QPushButton(res::kSettingsTextColour.toString(), widget);
  m_textColourButton->setObjectName(QStringLiteral("textColourButton"));
  ShowSwatch(m_backColourButton, m_backColour);
  ShowSwatch(m_textColourButton, m_textColour);
  // Neither button may take Enter away from OK.
  for (QPushButton* button : {m_backColourButton, m_textColourButton})
    button->setAutoDefault(false);
  connect(m_backColourButton, &QPushButton::clicked, this,
          [this] { ChooseColour(m_backColour, m_backColourButton); });
  connect(m_textColourButton, &QPushButton::clicked, this,
          [this] { ChooseColour(m_textColour, m_textColourButton); });
  auto* layout = new QVBoxLayout(widget);
  layout->addWidget(m_backColourButton);
  layout->addWidget(m_textColourButton);
  layout->addStretch();
  return widget;
}

void SettingsSheetDialog::ChooseColour(int& colour, QPushButton* button) {
  // The custom colours belong to the chooser of the whole program; they
  // are offered from the settings and never written back.
  for (int i = 0; i < kCustomColourCount; ++i) {
    QColorDialog::setCustomColor(i, ColourOf(m_request.customColours[i]));
  }
  QColorDialog dialog(ColourOf(colour), this);
  dialog.setObjectName(QStringLiteral("colourDialog"));
  // A desktop's own chooser may not offer the custom colours.
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return;
  colour = BgrOf(dialog.selectedColor());
  ShowSwatch(button, colour);
}

SettingsValues SettingsSheetDialog::Result() const {
  SettingsValues v = m_request.values;
  v.treeIndent = m_treeIndent->value();
  v.splitDialog = m_splitDialog->isChecked();
  v.pasteDialog = m_pasteDialog->isChecked();

  v.addMove = m_addMove->isChecked();
  v.addNoTitle = m_addNoTitle->isChecked();
  v.addUntitled = m_addUntitled->isChecked();
  v.firstLineIsTitle = m_firstLineIsTitle->isChecked();
  v.autoFirst = m_autoFirst->isChecked();
  v.firstCursor = m_firstCursor->isChecked();
  v.singleInstance = m_singleInstance->isChecked();
  v.doubleTap = ListValue(m_doubleTap, m_request.values.doubleTap);
  v.okFrame = m_okFrame->isChecked();
  v.parentDoubleTap = ListValue(m_parentDoubleTap, m_request.values.parentDoubleTap);

  v.tabStop = m_tabStop->value();
  v.editMargin = m_editMargin->value();
  v.imeOn = m_imeOn->isChecked();
  v.autoIndent = m_autoIndent->isChecked();

  v.linkCheck = m_linkCheck->isChecked();
  v.linkFromRoot = m_linkFromRoot->isChecked();
  v.linkExtension = m_linkExtension->text();
  v.recentFiles = m_recentFiles->value();
  v.reopenLastFile = m_reopenLastFile->isChecked();
  v.warnTextFile = m_warnTextFile->isChecked();
  v.standardSaveDialog = m_standardSaveDialog->isChecked();
  v.linkWithEnter = m_linkWithEnter->isChecked();

  v.textColour = m_textColour;
  v.backColour = m_backColour;
  return v;
}

void SettingsSheetDialog::accept() {
  if (const std::optional<QString> message = ValidateSettings(Result())) {
    m_prompt.Ask(*message, PromptButtons::Ok, PromptIcon::Warning);
    // The only value refused is the recent-file count.
    m_pages->setCurrentWidget(m_recentFiles->parentWidget());
    m_recentFiles->setFocus();
    m_recentFiles->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace qm
