// QtDialogs: every dialog port of the editing layer, and the settings
// sheet's, on Qt's file dialogs and the program's own dialog windows.
//
// File filters arrive in the stored form "Label |pattern|Label |pattern||":
// pairs of a label and one or more patterns separated by ';', ended by an
// empty label. Each pair becomes a Qt name filter "Label (patterns)" whose
// details the dialogs hide, so the user reads the label as stored. Outline
// and text files arrive with extensions in either case, so each pattern is
// also offered in lower and in upper case: "*.TXT" also lists "a.txt" on a
// case-sensitive file system (a mixed-case "a.Txt" still not). "*.*" means
// every file, also one without an extension.
//
// The save dialog asks before replacing a file, adds the default extension
// (or the extension of the chosen filter) when the user types none, and
// returns only a path in an existing folder. The open dialog returns only an
// existing file. An initial folder that does not exist here (the stored
// default names a folder of another system) leaves the choice to the
// dialog. A pattern as the open dialog's initial name ("*.TXT") picks the
// filter it belongs to instead of being offered as a file name.
//
// SaveDialogKind::FileBrowser and OpenDialogKind::FileBrowser use the
// program's own file browser (FileBrowserDialog), which browses any folder
// and remembers its sort in the settings given (else for this run only); it
// starts in the requested folder, or when that is not there in the
// documents folder, else the home folder. The Standard kinds let the
// desktop supply its native dialog.
// The parent window, when set, must outlive the dialogs it owns; the
// settings, when given, must outlive the object.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/DateDialogs.h"
#include "app/KeyCustomisationDialogs.h"
#include "app/SettingsDialogs.h"
#include "editing/CategoryDialogs.h"
#include "editing/FileDialogs.h"
#include "editing/LinkFileDialogs.h"
#include "editing/NodeEdit.h"
#include "editing/PasteDialogs.h"
#include "editing/SearchDialogs.h"
#include "editing/SplitDialogs.h"
#include "editing/TextOutputDialogs.h"
#include "editing/TimestampDialogs.h"
#include "editing/WebDialogs.h"
#include "platform/FolderListing.h"
#include "platform/MemorySettingsStore.h"

class QFileDialog;

namespace qm {

class SettingsStore;
struct FileBrowserRequest;

// One label-and-patterns pair of a stored filter text.
struct StoredFilter {
  QString label;         // trimmed, as the user reads it
  QStringList patterns;  // as stored, trimmed, never empty
};

// The pairs of a stored filter text, in order.
std::vector<StoredFilter> ParseStoredFilters(QStringView text);
// The Qt patterns for one stored pattern: "*.*" → "*"; "*.TXT" → "*.TXT",
// "*.txt"; every other pattern also in lower and upper case.
QStringList QtPatternsFor(const QString& pattern);
// The Qt name filter for one pair: "Label (pattern pattern...)".
QString QtNameFilter(const StoredFilter& filter);
// The Qt name filters for a whole stored filter text.
QStringList QtNameFilters(QStringView text);
// The extension the save dialog adds while filter is chosen: the filter's
// own when it has exactly one pattern "*.ext" with a plain extension, else
// defaultExtension. An extension equal to defaultExtension but for case is
// spelled as defaultExtension; without a default extension none is added.
QString SuffixForFilter(const StoredFilter& filter, const QString& defaultExtension);

// Set a file dialog up from a request without showing it.
void ConfigureSaveDialog(QFileDialog& dialog, const SaveFileRequest& request);
void ConfigureOpenDialog(QFileDialog& dialog, const OpenFileRequest& request);

class QtDialogs : public FileDialogs,
                  public NodeEditDialogs,
                  public SearchDialogs,
                  public LinkFileDialogs,
                  public PasteDialogs,
                  public SplitDialogs,
                  public TimestampDialogs,
                  public CategoryDialogs,
                  public TextOutputDialogs,
                  public KeyCustomisationDialogs,
                  public DateDialogs,
                  public SettingsDialogs,
                  public WebDialogs {
 public:
  // parent: the window the dialogs are modal to; may be null. settings:
  // where the file browser keeps its sort; may be null.
  explicit QtDialogs(QWidget* parent = nullptr, SettingsStore* settings = nullptr)
      : m_parent(parent), m_settings(settings) {}
  void SetParent(QWidget* parent) { m_parent = parent; }

  std::optional<QString> ChooseSaveFileName(const SaveFileRequest& request) override;
  std::optional<QString> ChooseOpenFileName(const OpenFileRequest& request) override;
  std::optional<OpenDocumentAnswer> ChooseDocumentToOpen(const OpenFileRequest& request,
                                                         int filterIndex) override;
  std::optional<NodeEditResult> EditNode(const NodeEditRequest& request) override;
  // Search.
  std::optional<SearchAnswer> AskSearch(const SearchRequest& request) override;
  std::optional<int> ShowSearchList(const SearchListRequest& request) override;
  // Link files.
  std::optional<QString> AskLinkFileName(const LinkFileNameRequest& request) override;
  std::optional<NewLinkFileAnswer> AskNewLinkFile(const NewLinkFileRequest& request) override;
  // Branch clipboard, split and merge.
  std::optional<PastePlaceAnswer> ChoosePastePlace(const PastePlaceRequest& request) override;
  std::optional<TextPasteAnswer> ChooseTextPasteMode(const TextPasteRequest& request) override;
  std::optional<SplitAnswer> SplitNode(const SplitRequest& request) override;
  // Timestamps and categories.
  std::optional<int> ChooseLatestUpdated(const LatestUpdatedRequest& request) override;
  void EditCategories(CategoryListSession& session) override;
  std::optional<CategoryEntryText> EditCategoryEntry(const CategoryEntryText& request) override;
  // Text output.
  std::optional<TextFormat> EditTextFormat(const TextFormat& current) override;
  // Key customisation.
  void CustomiseKeys(KeyCustomisationSession& session) override;
  // Date insertion. These stack on a dialog already open (the node edit
  // dialog's date button), else on the parent window.
  std::optional<DateInsertOptions> EditDateInsertFormat(const DateInsertOptions& current) override;
  std::optional<CalendarDate> PickCalendarDate(const CalendarRequest& request) override;
  // The settings sheet.
  std::optional<SettingsValues> EditSettings(const SettingsSheetRequest& request) override;
  // The web outline service.
  std::optional<WebAccountAnswer> EditWebAccount(const WebAccountRequest& request) override;
  std::optional<int> ChooseWebFile(const QStringList& titles) override;
  std::optional<QString> AskWebTitle(const QString& prompt, const QString& proposal) override;

 private:
  // The file browser over the host's folders; pathCheck refuses a path
  // with a message, as FileBrowserDialog::PathCheck.
  std::optional<OpenDocumentAnswer> RunFileBrowser(
      const FileBrowserRequest& request, const QString& title,
      const std::function<QString(const QString&)>& pathCheck);

  QPointer<QWidget> m_parent;
  SettingsStore* m_settings;
  MemorySettingsStore m_sessionSettings;  // the file browser's when no settings are given
  SystemFolderLister m_folders;
};

}  // namespace qm
