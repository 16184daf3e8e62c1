// FileBrowser: the behaviour of the program's own file dialog, without a window.
//
// CFileBrowser holds what the dialog shows (the current folder, the filters,
// the four-column list of folders and matching files, the sort) and answers
// every user action with a plain result that the dialog window shows: the
// list to redraw, the text for the name edit, a message, a question, or the
// chosen path. It never talks to the user and never writes a file; the
// folder listing goes through the FolderLister port, the sort choice is read
// from the settings store when the browser is made and written back only
// when the caller asks (SaveSortChoice).
//
// Paths use "/" and the root is "/". Names beginning with "." are hidden
// and never listed. Filter indexes are 0-based throughout.
//
// Not thread-safe: the user-interface thread owns it. The lister must
// outlive the browser.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "platform/FileIo.h"

namespace qm {

class FolderLister;
class SettingsStore;

// One row of the list.
struct CFileObj {
  QString baseName;   // the name before its last "."
  QString extension;  // after the last "."; empty when the name has none
  bool isFolder = false;
  QString dateText;  // last write, local time, "2010/03/05 14:07"
  qint64 size = 0;   // bytes

  // Base name, plus "." and the extension when there is one.
  QString FullName() const;
  // Splits name at its last ".".
  static CFileObj Make(const QString& name, bool isFolder, qint64 size, const QString& dateText);
};

// The entry that leads to the parent folder.
inline constexpr QStringView kParentEntryName = u"..";

// "2010/03/05 14:07": secondsSince1970 in the host's local time.
QString FileDateText(qint64 secondsSince1970);

// One choice of the filter list: what it is called and the name patterns it
// lets through ("*.qmp", "*.*"; "*" and "?" are wildcards).
struct FileFilter {
  QString description;
  QStringList patterns;
};

// Parses "description|pattern;pattern|description|pattern||": pairs of
// fields separated by "|", ended by an empty field. A description without a
// pattern field is dropped. Returns the default "all files" filter when the
// text holds no pair.
std::vector<FileFilter> ParseFilterText(const QString& filterText);

// True when name matches pattern: "*" any run of characters, "?" any one,
// letters in either case (the handheld's file system ignores case, and
// "*.QMP" files are meant too); "*.*" matches every name, dot or not.
bool MatchesFilePattern(const QString& name, const QString& pattern);

// The list's columns, in order; also the sort keys.
enum class FileColumn { Name = 0, Date = 1, Size = 2, Type = 3 };
inline constexpr int kFileColumnCount = 4;

// Folders first; within folders and within files ordered by column, reversed
// when descending. Name compares full names ignoring case (exact text breaks
// ties); Date compares the date texts; Size the sizes; Type the extensions
// ignoring case. Equal dates, sizes and types fall back on the name order.
void SortFileEntries(std::vector<CFileObj>& entries, FileColumn column, bool descending);

// The four texts of an entry's row: "[name]" for a folder; the date text
// ("" for ".."); the size, or an eight-wide marker for a folder; the type.
std::array<QString, kFileColumnCount> FileRowTexts(const CFileObj& entry);

// What the dialog was asked for.
struct FileBrowserRequest {
  bool forSaving = false;
  QString defaultExtension;      // without the dot; added to a typed name that has no "."
  QString initialName;           // the name edit's first text; may be a pattern such as "*.qmp"
  QString filterText;            // as ParseFilterText takes it; empty: all files
  int filterIndex = 0;           // 0-based; out of range: the first
  QString initialFolder;         // empty: the root
  bool promptOverwrite = false;  // saving: ask before an existing file is replaced
  bool fileMustExist = false;    // opening: refuse a name that is not there
};

// How a change of folder went.
struct FolderResult {
  FileFailure failure;  // None: the folder was listed

  bool Ok() const { return !failure.Failed(); }
  // The message the dialog shows when the folder could not be listed.
  QString Message(const QString& folder) const;
};

// What OK (or a double tap on a file) leads to.
struct AcceptResult {
  enum class Kind {
    InvalidName,       // show message; the dialog stays open
    NotFound,          // opening a file that is not there: show message; stays open
    ConfirmOverwrite,  // ask message with Yes and No; Yes closes with path, No stays
    Accepted,          // close with path and filterIndex
  };
  Kind kind = Kind::InvalidName;
  QString message;  // for every kind but Accepted
  QString path;     // for ConfirmOverwrite and Accepted
  int filterIndex = 0;
};

// What a double tap on a row did.
struct ActivateResult {
  enum class Kind {
    None,           // no such row
    ChangedFolder,  // entered a folder or went up; folder says how
    ChoseFile,      // a file: accept holds what OK gives for it
  };
  Kind kind = Kind::None;
  FolderResult folder;
  AcceptResult accept;
};

class CFileBrowser {
 public:
  // Reads the sort choice (FileSelect/SortItem, SortMode) from settings and
  // parses the filters; lists nothing until Open.
  CFileBrowser(const FileBrowserRequest& request, const SettingsStore& settings,
               const FolderLister& lister);

  // Lists the initial folder, selecting the entry named like the initial
  // name. A folder that cannot be listed leaves only ".." in the list (so
  // the user can leave it) and says why.
  FolderResult Open();

  const QString& CurrentFolder() const { return m_folder; }
  const std::vector<FileFilter>& Filters() const { return m_filters; }
  int FilterIndex() const { return m_filterIndex; }
  FileColumn SortColumn() const { return m_sortColumn; }
  bool SortDescending() const { return m_descending; }
  // The rows, in shown order, and the selected one (-1: none).
  const std::vector<CFileObj>& Entries() const { return m_entries; }
  int SelectedIndex() const { return m_selected; }
  // The name edit's text.
  const QString& FileName() const { return m_fileName; }
  void SetFileName(const QString& name) { m_fileName = name; }

  // The user selected a row. A file's full name goes to the name edit
  // (returned; the edit shows FileName()); a folder leaves it as it is.
  std::optional<QString> SelectEntry(int index);
  // Double tap: a folder is entered, ".." goes up, a file is accepted.
  ActivateResult ActivateEntry(int index);
  // "↑": the parent folder, with the folder just left selected. The root
  // stays the root.
  FolderResult GoUp();
  // A folder chosen with the folder dialog ("...") or typed.
  FolderResult ChangeFolder(const QString& folder);
  // Another filter; the list is refilled. Out of range is ignored.
  FolderResult SetFilterIndex(int index);
  // A click on a column header: that column ascending, or the other
  // direction when it is already the sort column.
  void SortByColumn(FileColumn column);
  // Lists the current folder again, keeping the selected entry's name.
  FolderResult Refresh();

  // OK with the name edit's text.
  AcceptResult Accept() const;

  // Writes the sort choice back; the dialog calls it when it closes, either way.
  void SaveSortChoice(SettingsStore& settings) const;

 private:
  // On failure the list and the folder stay as they were unless
  // keepOnFailure is false, which shows the failed folder with only "..".
  FolderResult Fill(const QString& folder, const QString& selectName, bool keepOnFailure);
  void Sort();

  const FolderLister& m_lister;
  FileBrowserRequest m_request;
  std::vector<FileFilter> m_filters;
  int m_filterIndex = 0;
  FileColumn m_sortColumn = FileColumn::Name;
  bool m_descending = false;
  QString m_folder;
  QString m_fileName;
  std::vector<CFileObj> m_entries;
  int m_selected = -1;
};

// The folder above folder: the part before its last "/", or "/".
QString ParentFolder(const QString& folder);
// folder joined with a name, with one "/" between.
QString JoinPath(const QString& folder, const QString& name);

}  // namespace qm
