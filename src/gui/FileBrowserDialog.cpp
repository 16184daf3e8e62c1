// FileBrowserDialog: the controls, the list model over the browser's
// entries, and the user's actions handed to CFileBrowser.
#include "gui/FileBrowserDialog.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "gui/OkCancelButtons.h"
#include "gui/QtPrompt.h"
#include "gui/RowListView.h"
#include "res/FileBrowserStrings.h"

namespace qm {
namespace {

// Column width in dialog units; four units make one average character.
constexpr int kColumnUnits = 100;

}  // namespace

// The browser's entries as rows; texts are made only for the rows shown.
class FileBrowserDialog::ListModel : public QAbstractTableModel {
 public:
  ListModel(const CFileBrowser& browser, QObject* parent)
      : QAbstractTableModel(parent), m_browser(browser) {}

  // The browser's list changed as a whole (new folder, filter or order).
  void Reload() {
    beginResetModel();
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(m_browser.Entries().size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : kFileColumnCount;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto column = static_cast<FileColumn>(index.column());
    if (role == Qt::TextAlignmentRole && column == FileColumn::Size) {
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) return {};
    const CFileObj& entry = m_browser.Entries()[static_cast<std::size_t>(index.row())];
    return FileRowTexts(entry)[static_cast<std::size_t>(index.column())];
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (static_cast<FileColumn>(section)) {
      case FileColumn::Name:
        return res::kFileBrowserNameColumn.toString();
      case FileColumn::Date:
        return res::kFileBrowserDateColumn.toString();
      case FileColumn::Size:
        return res::kFileBrowserSizeColumn.toString();
      case FileColumn::Type:
        return res::kFileBrowserTypeColumn.toString();
    }
    return {};
  }

 private:
  const CFileBrowser& m_browser;
};

FileBrowserDialog::FileBrowserDialog(const FileBrowserRequest& request, const QString& title,
                                     SettingsStore& settings, const FolderLister& lister,
                                     QWidget* parent)
    : QDialog(parent),
      m_settings(settings),
      m_browser(request, settings, lister),
      m_prompt(std::make_unique<QtPrompt>(this)),
      m_model(new ListModel(m_browser, this)),
      m_folderEdit(new QLineEdit(this)),
      m_list(new QTreeView(this)),
      m_nameEdit(new QLineEdit(this)),
      m_filterList(new QComboBox(this)) {
  setWindowTitle(title.isEmpty() ? res::kFileBrowserTitle.toString() : title);
  auto* parentButton = new QPushButton(res::kFileBrowserParentButton.toString(), this);
  auto* chooseFolderButton = new QPushButton(res::kFileBrowserChooseFolderButton.toString(), this);
  m_folderEdit->setObjectName(QStringLiteral("folderEdit"));
  m_list->setObjectName(QStringLiteral("fileList"));
  parentButton->setObjectName(QStringLiteral("parentButton"));
  chooseFolderButton->setObjectName(QStringLiteral("chooseFolderButton"));
  m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
  m_filterList->setObjectName(QStringLiteral("filterList"));
  // Enter belongs to OK and to the list, never to these two.
  parentButton->setAutoDefault(false);
  chooseFolderButton->setAutoDefault(false);

  m_folderEdit->setReadOnly(true);
  m_list->setModel(m_model);
  MakeRowList(m_list);
  QHeaderView* header = m_list->header();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setStretchLastSection(false);
  const int columnWidth = kColumnUnits * fontMetrics().averageCharWidth() / 4;
  for (int column = 0; column < kFileColumnCount; ++column) {
    header->resizeSection(column, columnWidth);
  }
  m_list->installEventFilter(this);

  for (const FileFilter& filter : m_browser.Filters()) m_filterList->addItem(filter.description);
  m_filterList->setCurrentIndex(m_browser.FilterIndex());

  connect(header, &QHeaderView::sectionClicked, this, [this](int column) { SortBy(column); });
  connect(m_list, &QTreeView::doubleClicked, this,
          [this](const QModelIndex& index) { ActivateRow(index.row()); });
  connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (m_showing) return;
            if (const std::optional<QString> name = m_browser.SelectEntry(current.row())) {
              m_nameEdit->setText(*name);
            }
          });
  connect(m_nameEdit, &QLineEdit::textChanged, this,
          [this](const QString& text) { m_browser.SetFileName(text); });
  connect(m_filterList, &QComboBox::activated, this, [this](int index) {
    AfterFolderChange(m_browser.SetFilterIndex(index), m_browser.CurrentFolder());
  });
  connect(parentButton, &QPushButton::clicked, this, [this] {
    const QString parentFolder = ParentFolder(m_browser.CurrentFolder());
    AfterFolderChange(m_browser.GoUp(), parentFolder);
  });
  connect(chooseFolderButton, &QPushButton::clicked, this, [this] { ChooseFolder(); });

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(m_folderEdit, 1);
  folderRow->addWidget(parentButton);
  folderRow->addWidget(chooseFolderButton);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(m_nameEdit, 1);
  nameRow->addWidget(m_filterList);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(folderRow);
  outer->addWidget(m_list, 1);
  outer->addLayout(nameRow);
  outer->addWidget(MakeOkCancelButtons(this));
  resize(kFileColumnCount * columnWidth + 6 * fontMetrics().averageCharWidth(),
         30 * fontMetrics().height());

  const FolderResult opened = m_browser.Open();
  m_nameEdit->setText(m_browser.FileName());
  ShowList();
  if (!opened.Ok()) {
    // Told once the dialog is up, over it.
    QTimer::singleShot(0, this, [this, opened, folder = m_browser.CurrentFolder()] {
      m_prompt->Ask(opened.Message(folder), PromptButtons::Ok, PromptIcon::Warning);
    });
  }
  if (request.forSaving) {
    m_nameEdit->setFocus();
  } else {
    m_list->setFocus();
  }
}

FileBrowserDialog::~FileBrowserDialog() = default;

void FileBrowserDialog::ShowList() {
  m_showing = true;
  m_model->Reload();
  m_folderEdit->setText(m_browser.CurrentFolder());
  m_list->header()->setSortIndicator(
      static_cast<int>(m_browser.SortColumn()),
      m_browser.SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
  const QModelIndex selected = m_model->index(m_browser.SelectedIndex(), 0);
  if (selected.isValid()) {
    m_list->setCurrentIndex(selected);
    m_list->scrollTo(selected);
  }
  m_showing = false;
}

void FileBrowserDialog::AfterFolderChange(const FolderResult& result, const QString& folder) {
  ShowList();
  if (!result.Ok()) {
    m_prompt->Ask(result.Message(folder), PromptButtons::Ok, PromptIcon::Warning);
  }
}

void FileBrowserDialog::ActivateRow(int row) {
  if (row < 0 || row >= static_cast<int>(m_browser.Entries().size())) return;
  const CFileObj& entry = m_browser.Entries()[static_cast<std::size_t>(row)];
  const QString target = entry.FullName() == kParentEntryName
                             ? ParentFolder(m_browser.CurrentFolder())
                             : JoinPath(m_browser.CurrentFolder(), entry.FullName());
  const ActivateResult result = m_browser.ActivateEntry(row);
  switch (result.kind) {
    case ActivateResult::Kind::None:
      return;
    case ActivateResult::Kind::ChangedFolder:
      AfterFolderChange(result.folder, target);
      return;
    case ActivateResult::Kind::ChoseFile:
      m_nameEdit->setText(m_browser.FileName());
      Finish(result.accept);
      return;
  }
}

void FileBrowserDialog::SortBy(int column) {
  if (column < 0 || column >= kFileColumnCount) return;
  m_browser.SortByColumn(static_cast<FileColumn>(column));
  ShowList();
}

void FileBrowserDialog::ChooseFolder() {
  const QString folder =
      QFileDialog::getExistingDirectory(this, windowTitle(), m_browser.CurrentFolder());
  if (folder.isEmpty()) return;
  AfterFolderChange(m_browser.ChangeFolder(folder), folder);
}

void FileBrowserDialog::accept() { Finish(m_browser.Accept()); }

void FileBrowserDialog::Finish(const AcceptResult& result) {
  switch (result.kind) {
    case AcceptResult::Kind::InvalidName:
    case AcceptResult::Kind::NotFound:
      m_prompt->Ask(result.message, PromptButtons::Ok, PromptIcon::Warning);
      m_nameEdit->setFocus();
      m_nameEdit->selectAll();
      return;
    case AcceptResult::Kind::ConfirmOverwrite:
    case AcceptResult::Kind::Accepted:
      break;
  }
  if (m_pathCheck) {
    if (const QString refusal = m_pathCheck(result.path); !refusal.isEmpty()) {
      m_prompt->Ask(refusal, PromptButtons::Ok, PromptIcon::Warning);
      return;
    }
  }
  if (result.kind == AcceptResult::Kind::ConfirmOverwrite &&
      m_prompt->Ask(result.message, PromptButtons::YesNo, PromptIcon::Question) !=
          PromptAnswer::Yes) {
    return;
  }
  m_chosenPath = result.path;
  m_chosenFilter = result.filterIndex;
  QDialog::accept();
}

void FileBrowserDialog::done(int result) {
  m_browser.SaveSortChoice(m_settings);
  QDialog::done(result);
}

bool FileBrowserDialog::eventFilter(QObject* watched, QEvent* event) {
  // Enter on the list acts on its row; elsewhere it is OK's.
  if (watched == m_list && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (m_list->currentIndex().isValid()) {
        ActivateRow(m_list->currentIndex().row());
      } else {
        accept();
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace qm
