// QtDialogs: stored filter texts turned into Qt name filters, the file
// dialogs set up from their requests, and the node edit dialog.
#include "gui/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "gui/CalendarDialog.h"
#include "gui/CategoriesDialog.h"
#include "gui/CategoryEntryDialog.h"
#include "gui/DateFormatDialog.h"
#include "gui/FileBrowserDialog.h"
#include "gui/KeyCustomisationDialog.h"
#include "gui/LatestUpdatedDialog.h"
#include "gui/LinkFileNameDialog.h"
#include "gui/NewLinkFileDialog.h"
#include "gui/NodeEditDialog.h"
#include "gui/PastePlaceDialog.h"
#include "gui/QtPrompt.h"
#include "gui/SearchDialog.h"
#include "gui/SearchListDialog.h"
#include "gui/SettingsSheetDialog.h"
#include "gui/SplitDialog.h"
#include "gui/TextFormatDialog.h"
#include "gui/TextPasteDialog.h"
#include "gui/WebAccountDialog.h"
#include "gui/WebOpenDialog.h"
#include "gui/WebTitleDialog.h"
#include "res/Strings.h"

namespace qm {
namespace {

bool IsEveryFile(const QString& pattern) {
  return pattern == QStringLiteral("*.*") || pattern == QStringLiteral("*");
}

bool IsPattern(const QString& name) { return name.contains(u'*') || name.contains(u'?'); }

// The folder to open in, or empty to let the dialog choose.
QString ExistingFolder(const QString& folder) {
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void SetCommonOptions(QFileDialog& dialog, const QString& title,
                      const std::vector<StoredFilter>& filters, const QString& initialFolder) {
  dialog.setWindowTitle(title);
  // The stored labels already name their patterns, and the case variants
  // added here would only clutter them.
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  if (!filters.empty()) {
    QStringList names;
    for (const StoredFilter& filter : filters) names << QtNameFilter(filter);
    dialog.setNameFilters(names);
  }
  const QString folder = ExistingFolder(initialFolder);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
}

// The position of the dialog's chosen filter in its list. With the
// patterns hidden the dialog names the choice by its label alone.
int IndexOfNameFilter(const QStringList& filters, const QString& selected) {
  const qsizetype exact = filters.indexOf(selected);
  if (exact >= 0) return static_cast<int>(exact);
  for (qsizetype i = 0; i < filters.size(); ++i) {
    if (filters[i].startsWith(selected + QStringLiteral(" ("))) return static_cast<int>(i);
  }
  return -1;
}

// Where the file browser starts. A stored folder may be one of another
// system or one since removed, which the browser could only show empty.
QString BrowserStartFolder(const QString& folder) {
  QString start = ExistingFolder(folder);
  if (start.isEmpty()) {
    start = ExistingFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  }
  return start.isEmpty() ? QDir::homePath() : QDir(start).absolutePath();
}

QString RefuseMissingFolder(const QString& path) {
  return QFileInfo(path).absoluteDir().exists() ? QString() : res::kFolderNotFound.toString();
}

QString RefuseAllButFiles(const QString& path) {
  return QFileInfo(path).isFile() ? QString() : res::kFileNotFound.toString();
}

FileBrowserRequest BrowserRequestFor(const SaveFileRequest& request) {
  FileBrowserRequest browser;
  browser.forSaving = true;
  browser.defaultExtension = request.defaultExtension;
  browser.initialName = request.proposedName;
  browser.filterText = request.filters;
  browser.initialFolder = BrowserStartFolder(request.initialFolder);
  browser.promptOverwrite = true;
  return browser;
}

FileBrowserRequest BrowserRequestFor(const OpenFileRequest& request, int filterIndex) {
  FileBrowserRequest browser;
  browser.defaultExtension = request.defaultExtension;
  browser.initialName = request.initialName;
  browser.filterText = request.filters;
  browser.filterIndex = filterIndex;
  browser.initialFolder = BrowserStartFolder(request.initialFolder);
  browser.fileMustExist = true;
  return browser;
}

}  // namespace

// ---- Filters ----

std::vector<StoredFilter> ParseStoredFilters(QStringView text) {
  std::vector<StoredFilter> filters;
  const QList<QStringView> parts = text.split(u'|');
  // An empty label ends the list, as the doubled bar at the end does.
  for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
    StoredFilter filter;
    filter.label = parts[i].trimmed().toString();
    for (QStringView pattern : parts[i + 1].split(u';')) {
      if (!pattern.trimmed().isEmpty()) filter.patterns << pattern.trimmed().toString();
    }
    if (filter.patterns.isEmpty()) filter.patterns << QStringLiteral("*.*");
    filters.push_back(std::move(filter));
  }
  return filters;
}

QStringList QtPatternsFor(const QString& pattern) {
  // Qt reads "*.*" literally: only names with a dot would match.
  if (IsEveryFile(pattern)) return {QStringLiteral("*")};
  QStringList patterns{pattern};
  for (const QString& variant : {pattern.toLower(), pattern.toUpper()}) {
    if (!patterns.contains(variant)) patterns << variant;
  }
  return patterns;
}

QString QtNameFilter(const StoredFilter& filter) {
  QStringList patterns;
  for (const QString& pattern : filter.patterns) {
    for (const QString& qtPattern : QtPatternsFor(pattern)) {
      if (!patterns.contains(qtPattern)) patterns << qtPattern;
    }
  }
  return filter.label + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

QStringList QtNameFilters(QStringView text) {
  QStringList names;
  for (const StoredFilter& filter : ParseStoredFilters(text)) names << QtNameFilter(filter);
  return names;
}

QString SuffixForFilter(const StoredFilter& filter, const QString& defaultExtension) {
  // Without a default extension the user's name is taken as typed.
  if (defaultExtension.isEmpty() || filter.patterns.size() != 1) return defaultExtension;
  const QString& pattern = filter.patterns.first();
  if (!pattern.startsWith(QStringLiteral("*."))) return defaultExtension;
  const QString extension = pattern.mid(2);
  const bool plain = !extension.isEmpty() && !IsPattern(extension) && !extension.contains(u'.') &&
                     !extension.contains(u'[');
  if (!plain) return defaultExtension;
  return extension.compare(defaultExtension, Qt::CaseInsensitive) == 0 ? defaultExtension
                                                                       : extension;
}

// ---- Set-up ----

void ConfigureSaveDialog(QFileDialog& dialog, const SaveFileRequest& request) {
  const std::vector<StoredFilter> filters = ParseStoredFilters(request.filters);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontUseNativeDialog, request.kind == SaveDialogKind::FileBrowser);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  SetCommonOptions(dialog, request.title, filters, request.initialFolder);
  dialog.setDefaultSuffix(filters.empty()
                              ? request.defaultExtension
                              : SuffixForFilter(filters.front(), request.defaultExtension));
  // Choosing the HTML filter and typing "page" should give "page.htm".
  QFileDialog* target = &dialog;
  const QStringList names = dialog.nameFilters();
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog,
      [target, filters, names, extension = request.defaultExtension](const QString& name) {
        // With the details hidden the dialog may name the filter by its label alone.
        for (size_t i = 0; i < filters.size(); ++i) {
          if (name == names.value(static_cast<qsizetype>(i)) ||
              name.simplified() == filters[i].label.simplified()) {
            target->setDefaultSuffix(SuffixForFilter(filters[i], extension));
            return;
          }
        }
      });
  if (!request.proposedName.isEmpty()) dialog.selectFile(request.proposedName);
}

void ConfigureOpenDialog(QFileDialog& dialog, const OpenFileRequest& request) {
  const std::vector<StoredFilter> filters = ParseStoredFilters(request.filters);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  SetCommonOptions(dialog, request.title, filters, request.initialFolder);
  dialog.setDefaultSuffix(request.defaultExtension);
  if (request.initialName.isEmpty()) return;
  if (!IsPattern(request.initialName)) {
    dialog.selectFile(request.initialName);
    return;
  }
  // A pattern is not a file name: show the filter that lists those files.
  for (const StoredFilter& filter : filters) {
    if (filter.patterns.contains(request.initialName, Qt::CaseInsensitive)) {
      dialog.selectNameFilter(QtNameFilter(filter));
      return;
    }
  }
}

// ---- The port ----

std::optional<OpenDocumentAnswer> QtDialogs::RunFileBrowser(
    const FileBrowserRequest& request, const QString& title,
    const std::function<QString(const QString&)>& pathCheck) {
  FileBrowserDialog dialog(request, title, m_settings != nullptr ? *m_settings : m_sessionSettings,
                           m_folders, m_parent.data());
  dialog.SetPathCheck(pathCheck);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return OpenDocumentAnswer{QDir::cleanPath(dialog.ChosenPath()), dialog.ChosenFilterIndex()};
}

std::optional<QString> QtDialogs::ChooseSaveFileName(const SaveFileRequest& request) {
  if (request.kind == SaveDialogKind::FileBrowser) {
    const auto answer =
        RunFileBrowser(BrowserRequestFor(request), request.title, RefuseMissingFolder);
    if (!answer) return std::nullopt;
    return answer->path;
  }
  QFileDialog dialog(m_parent.data());
  ConfigureSaveDialog(dialog, request);
  QtPrompt prompt(&dialog);
  while (dialog.exec() == QDialog::Accepted) {
    const QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty()) continue;
    const QFileInfo info(path);
    // Qt's dialog accepts a name typed into a folder that does not exist.
    if (info.absoluteDir().exists()) return info.absoluteFilePath();
    prompt.Ask(res::kFolderNotFound.toString(), PromptButtons::Ok, PromptIcon::Warning);
  }
  return std::nullopt;
}

std::optional<QString> QtDialogs::ChooseOpenFileName(const OpenFileRequest& request) {
  if (request.kind == OpenDialogKind::FileBrowser) {
    const auto answer =
        RunFileBrowser(BrowserRequestFor(request, 0), request.title, RefuseAllButFiles);
    if (!answer) return std::nullopt;
    return answer->path;
  }
  QFileDialog dialog(m_parent.data());
  ConfigureOpenDialog(dialog, request);
  QtPrompt prompt(&dialog);
  while (dialog.exec() == QDialog::Accepted) {
    const QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty()) continue;
    const QFileInfo info(path);
    if (info.isFile()) return info.absoluteFilePath();
    prompt.Ask(res::kFileNotFound.toString(), PromptButtons::Ok, PromptIcon::Warning);
  }
  return std::nullopt;
}

std::optional<OpenDocumentAnswer> QtDialogs::ChooseDocumentToOpen(const OpenFileRequest& request,
                                                                  int filterIndex) {
  if (request.kind == OpenDialogKind::FileBrowser) {
    return RunFileBrowser(BrowserRequestFor(request, filterIndex), request.title,
                          RefuseAllButFiles);
  }
  QFileDialog dialog(m_parent.data());
  ConfigureOpenDialog(dialog, request);
  const QStringList filters = dialog.nameFilters();
  if (filterIndex >= 0 && filterIndex < filters.size()) {
    dialog.selectNameFilter(filters[filterIndex]);
  }
  QtPrompt prompt(&dialog);
  while (dialog.exec() == QDialog::Accepted) {
    const QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty()) continue;
    const QFileInfo info(path);
    if (info.isFile()) {
      return OpenDocumentAnswer{info.absoluteFilePath(),
                                IndexOfNameFilter(filters, dialog.selectedNameFilter())};
    }
    prompt.Ask(res::kFileNotFound.toString(), PromptButtons::Ok, PromptIcon::Warning);
  }
  return std::nullopt;
}

std::optional<NodeEditResult> QtDialogs::EditNode(const NodeEditRequest& request) {
  // The prompt outlives the dialog that holds it; its boxes sit on the dialog.
  QtPrompt prompt(m_parent.data());
  NodeEditDialog dialog(request, prompt, m_parent.data());
  prompt.SetParent(&dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

// ---- Search ----

std::optional<SearchAnswer> QtDialogs::AskSearch(const SearchRequest& request) {
  SearchDialog dialog(request, m_parent.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Answer();
}

std::optional<int> QtDialogs::ShowSearchList(const SearchListRequest& request) {
  SearchListDialog dialog(request, m_parent.data());
  if (dialog.exec() != QDialog::Accepted || dialog.Chosen() < 0) return std::nullopt;
  return dialog.Chosen();
}

// ---- Link files ----

std::optional<QString> QtDialogs::AskLinkFileName(const LinkFileNameRequest& request) {
  LinkFileNameDialog dialog(request, m_parent.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Name();
}

std::optional<NewLinkFileAnswer> QtDialogs::AskNewLinkFile(const NewLinkFileRequest& request) {
  NewLinkFileDialog dialog(request, m_parent.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Answer();
}

// ---- Branch clipboard, split and merge ----

std::optional<PastePlaceAnswer> QtDialogs::ChoosePastePlace(const PastePlaceRequest& request) {
  PastePlaceDialog dialog(request, m_parent.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<TextPasteAnswer> QtDialogs::ChooseTextPasteMode(const TextPasteRequest& request) {
  TextPasteDialog dialog(request, m_parent.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<SplitAnswer> QtDialogs::SplitNode(const SplitRequest& request) {
  QtPrompt prompt(m_parent.data());
  SplitDialog dialog(request, prompt, m_parent.data());
  prompt.SetParent(&dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

// ---- Timestamps and categories ----

std::optional<int> QtDialogs::ChooseLatestUpdated(const LatestUpdatedRequest& request) {
  LatestUpdatedDialog dialog(request, m_parent.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ChosenRow();
}

void QtDialogs::EditCategories(CategoryListSession& session) {
  CategoriesDialog dialog(session, m_parent.data());
  dialog.exec();
}

std::optional<CategoryEntryText> QtDialogs::EditCategoryEntry(const CategoryEntryText& request) {
  // Opened from the category dialog: it belongs on top of that one.
  QWidget* modal = QApplication::activeModalWidget();
  CategoryEntryDialog dialog(request, modal != nullptr ? modal : m_parent.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

// ---- Text output ----

std::optional<TextFormat> QtDialogs::EditTextFormat(const TextFormat& current) {
  TextFormatDialog dialog(current, m_parent.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

// ---- Key customisation ----

void QtDialogs::CustomiseKeys(KeyCustomisationSession& session) {
  KeyCustomisationDialog dialog(session, m_parent.data());
  dialog.exec();
}

// ---- Date insertion ----

namespace {

// The window a date dialog is modal to: the dialog open now, if any.
QWidget* StackingParent(QWidget* window) {
  QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr ? modal : window;
}

}  // namespace

std::optional<DateInsertOptions> QtDialogs::EditDateInsertFormat(const DateInsertOptions& current) {
  DateFormatDialog dialog(current, StackingParent(m_parent.data()));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<CalendarDate> QtDialogs::PickCalendarDate(const CalendarRequest& request) {
  CalendarDialog dialog(request, StackingParent(m_parent.data()));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Picked();
}

// ---- The settings sheet ----

std::optional<SettingsValues> QtDialogs::EditSettings(const SettingsSheetRequest& request) {
  QtPrompt prompt(m_parent.data());
  SettingsSheetDialog dialog(request, prompt, m_parent.data());
  prompt.SetParent(&dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

// ---- The web outline service ----

std::optional<WebAccountAnswer> QtDialogs::EditWebAccount(const WebAccountRequest& request) {
  WebAccountDialog dialog(request, m_parent.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Answer();
}

std::optional<int> QtDialogs::ChooseWebFile(const QStringList& titles) {
  WebOpenDialog dialog(titles, m_parent.data());
  if (dialog.exec() != QDialog::Accepted || dialog.Chosen() < 0) return std::nullopt;
  return dialog.Chosen();
}

std::optional<QString> QtDialogs::AskWebTitle(const QString& prompt, const QString& proposal) {
  WebTitleDialog dialog(prompt, proposal, m_parent.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Title();
}

}  // namespace qm
