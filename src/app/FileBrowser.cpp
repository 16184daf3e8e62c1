// The file browser's behaviour: listing, filters, sorting, navigation and OK.
#include "app/FileBrowser.h"

#include <QDir>
#include <algorithm>
#include <ctime>

#include "platform/FolderListing.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/FileBrowserStrings.h"
#include "res/Strings.h"

namespace qm {

namespace {

constexpr QChar kSeparator = u'/';
const QString kRoot = QStringLiteral("/");
// The date the parent entry shows in place of a real one; it sorts with the folders.
constexpr QStringView kParentEntryDate = u"1996/01/01 00:00";

QString LastComponent(const QString& folder) {
  return folder.mid(folder.lastIndexOf(kSeparator) + 1);
}

// Folders arrive as stored settings or from a folder chooser: possibly empty,
// relative or with a trailing "/".
QString NormalFolder(const QString& folder) {
  if (folder.isEmpty()) return kRoot;
  return QDir::cleanPath(folder.startsWith(kSeparator) ? folder : kRoot + folder);
}

bool IsParentEntry(const CFileObj& entry) {
  return entry.isFolder && entry.baseName == kParentEntryName && entry.extension.isEmpty();
}

CFileObj ParentEntry() {
  return CFileObj::Make(kParentEntryName.toString(), true, 0, kParentEntryDate.toString());
}

// Backtracking wildcard match; at most one star is ever re-tried, so it is
// linear for the usual patterns and quadratic at worst.
bool WildcardMatch(QStringView name, QStringView pattern) {
  qsizetype n = 0, p = 0, starP = -1, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == u'?' ||
         (pattern[p] != u'*' && pattern[p].toCaseFolded() == name[n].toCaseFolded()))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++;
      starN = n;
    } else if (starP >= 0) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace

QString CFileObj::FullName() const {
  return extension.isEmpty() ? baseName : baseName + u'.' + extension;
}

CFileObj CFileObj::Make(const QString& name, bool isFolder, qint64 size, const QString& dateText) {
  CFileObj entry;
  const qsizetype dot = name.lastIndexOf(u'.');
  // A name ending in "." keeps it in the base name, so the full name is still
  // the name on the disk ("notes." would otherwise become "notes").
  if (dot < 0 || dot == name.size() - 1) {
    entry.baseName = name;
  } else {
    entry.baseName = name.left(dot);
    entry.extension = name.mid(dot + 1);
  }
  entry.isFolder = isFolder;
  entry.size = size;
  entry.dateText = dateText;
  return entry;
}

QString FileDateText(qint64 secondsSince1970) {
  const std::time_t time = static_cast<std::time_t>(secondsSince1970);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) return {};
  return QString::asprintf("%04d/%02d/%02d %02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                           local.tm_mday, local.tm_hour, local.tm_min);
}

std::vector<FileFilter> ParseFilterText(const QString& filterText) {
  std::vector<FileFilter> filters;
  const QStringList fields = filterText.split(u'|');
  for (qsizetype i = 0; i + 1 < fields.size() && !fields[i].isEmpty(); i += 2) {
    FileFilter filter;
    filter.description = fields[i];
    for (const QString& pattern : fields[i + 1].split(u';', Qt::SkipEmptyParts)) {
      const QString trimmed = pattern.trimmed();
      if (!trimmed.isEmpty()) filter.patterns.append(trimmed);
    }
    if (!filter.patterns.isEmpty()) filters.push_back(std::move(filter));
  }
  if (filters.empty() && filterText != res::kFileBrowserDefaultFilter) {
    return ParseFilterText(res::kFileBrowserDefaultFilter.toString());
  }
  return filters;
}

bool MatchesFilePattern(const QString& name, const QString& pattern) {
  if (pattern == u"*.*" || pattern == u"*") return true;
  return WildcardMatch(name, pattern);
}

void SortFileEntries(std::vector<CFileObj>& entries, FileColumn column, bool descending) {
  // Full names are built once, not in every comparison.
  struct Key {
    QString fullName;
    std::size_t index;
  };
  std::vector<Key> keys;
  keys.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) keys.push_back({entries[i].FullName(), i});

  const auto compareNames = [](const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded : QString::compare(a, b, Qt::CaseSensitive);
  };
  const auto compare = [&](const Key& a, const Key& b) -> int {
    const CFileObj& x = entries[a.index];
    const CFileObj& y = entries[b.index];
    int order = 0;
    switch (column) {
      case FileColumn::Date:
        order = QString::compare(x.dateText, y.dateText);
        break;
      case FileColumn::Size:
        order = x.size < y.size ? -1 : (x.size > y.size ? 1 : 0);
        break;
      case FileColumn::Type:
        order = QString::compare(x.extension, y.extension, Qt::CaseInsensitive);
        break;
      case FileColumn::Name:
        break;
    }
    // Equal keys fall back on the name, so a sort never depends on the one before it.
    return order != 0 ? order : compareNames(a.fullName, b.fullName);
  };
  std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
    const bool aFolder = entries[a.index].isFolder;
    if (aFolder != entries[b.index].isFolder) return aFolder;
    const int order = compare(a, b);
    return descending ? order > 0 : order < 0;
  });

  std::vector<CFileObj> sorted;
  sorted.reserve(entries.size());
  for (const Key& key : keys) sorted.push_back(std::move(entries[key.index]));
  entries = std::move(sorted);
}

std::array<QString, kFileColumnCount> FileRowTexts(const CFileObj& entry) {
  if (entry.isFolder) {
    return {u'[' + entry.FullName() + u']', IsParentEntry(entry) ? QString() : entry.dateText,
            res::kFileBrowserFolderSize.toString(), entry.extension};
  }
  return {entry.FullName(), entry.dateText, QString::number(entry.size), entry.extension};
}

QString ParentFolder(const QString& folder) {
  const qsizetype slash = folder.lastIndexOf(kSeparator);
  return slash <= 0 ? kRoot : folder.left(slash);
}

QString JoinPath(const QString& folder, const QString& name) {
  return folder.endsWith(kSeparator) ? folder + name : folder + kSeparator + name;
}

QString FolderResult::Message(const QString& folder) const {
  return res::kCannotListFolder.arg(folder) + FailureReason(failure);
}

CFileBrowser::CFileBrowser(const FileBrowserRequest& request, const SettingsStore& settings,
                           const FolderLister& lister)
    : m_lister(lister), m_request(request) {
  // The stored choice may come from a hand-edited or foreign settings file.
  const int column = Read(settings, settings::kFileSelectSortItem);
  m_sortColumn =
      column >= 0 && column < kFileColumnCount ? static_cast<FileColumn>(column) : FileColumn::Name;
  m_descending = Read(settings, settings::kFileSelectSortMode) == 1;

  m_filters =
      ParseFilterText(request.filterText.isEmpty() ? res::kFileBrowserDefaultFilter.toString()
                                                   : request.filterText);
  const int count = static_cast<int>(m_filters.size());
  m_filterIndex = request.filterIndex >= 0 && request.filterIndex < count ? request.filterIndex : 0;
  m_folder = NormalFolder(request.initialFolder);
  m_fileName = request.initialName;
}

FolderResult CFileBrowser::Open() { return Fill(m_folder, m_request.initialName, false); }

FolderResult CFileBrowser::Fill(const QString& folder, const QString& selectName,
                                bool keepOnFailure) {
  const FolderContents contents = m_lister.List(folder);
  if (!contents.Ok() && keepOnFailure) return {contents.failure};

  m_folder = folder;
  m_entries.clear();
  m_selected = -1;
  if (folder != kRoot) m_entries.push_back(ParentEntry());
  if (contents.Ok()) {
    m_entries.reserve(contents.items.size() + 1);
    std::vector<const FolderItem*> files;
    for (const FolderItem& item : contents.items) {
      if (item.name.startsWith(u'.')) continue;  // hidden
      if (item.isFolder) {
        m_entries.push_back(CFileObj::Make(item.name, true, 0, FileDateText(item.modified)));
      } else {
        files.push_back(&item);
      }
    }
    // Pattern by pattern, as the filter lists them; a file that two patterns
    // match is still one row.
    const QStringList& patterns = m_filters[static_cast<std::size_t>(m_filterIndex)].patterns;
    std::vector<bool> taken(files.size(), false);
    for (const QString& pattern : patterns) {
      for (std::size_t i = 0; i < files.size(); ++i) {
        if (taken[i] || !MatchesFilePattern(files[i]->name, pattern)) continue;
        taken[i] = true;
        m_entries.push_back(CFileObj::Make(files[i]->name, false, files[i]->size,
                                           FileDateText(files[i]->modified)));
      }
    }
  }
  if (!m_entries.empty()) {
    m_selected = 0;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
      if (m_entries[i].FullName() == selectName) {
        m_selected = static_cast<int>(i);
        break;
      }
    }
  }
  Sort();
  return {contents.failure};
}

void CFileBrowser::Sort() {
  if (m_entries.empty()) return;
  // The selection follows its entry through the sort.
  QString selectedName;
  bool selectedIsFolder = false;
  if (m_selected >= 0) {
    selectedName = m_entries[static_cast<std::size_t>(m_selected)].FullName();
    selectedIsFolder = m_entries[static_cast<std::size_t>(m_selected)].isFolder;
  }
  SortFileEntries(m_entries, m_sortColumn, m_descending);
  if (m_selected < 0) return;
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (m_entries[i].isFolder == selectedIsFolder && m_entries[i].FullName() == selectedName) {
      m_selected = static_cast<int>(i);
      return;
    }
  }
}

std::optional<QString> CFileBrowser::SelectEntry(int index) {
  if (index < 0 || index >= static_cast<int>(m_entries.size())) return std::nullopt;
  m_selected = index;
  const CFileObj& entry = m_entries[static_cast<std::size_t>(index)];
  if (entry.isFolder) return std::nullopt;
  m_fileName = entry.FullName();
  return m_fileName;
}

ActivateResult CFileBrowser::ActivateEntry(int index) {
  ActivateResult result;
  if (index < 0 || index >= static_cast<int>(m_entries.size())) return result;
  const CFileObj entry = m_entries[static_cast<std::size_t>(index)];
  if (IsParentEntry(entry)) {
    result.kind = ActivateResult::Kind::ChangedFolder;
    result.folder = GoUp();
  } else if (entry.isFolder) {
    result.kind = ActivateResult::Kind::ChangedFolder;
    result.folder = Fill(JoinPath(m_folder, entry.FullName()), QString(), true);
  } else {
    SelectEntry(index);
    result.kind = ActivateResult::Kind::ChoseFile;
    result.accept = Accept();
  }
  return result;
}

FolderResult CFileBrowser::GoUp() {
  return Fill(ParentFolder(m_folder), m_folder == kRoot ? QString() : LastComponent(m_folder),
              true);
}

FolderResult CFileBrowser::ChangeFolder(const QString& folder) {
  return Fill(NormalFolder(folder), QString(), true);
}

FolderResult CFileBrowser::SetFilterIndex(int index) {
  if (index < 0 || index >= static_cast<int>(m_filters.size())) return {};
  m_filterIndex = index;
  return Refresh();
}

FolderResult CFileBrowser::Refresh() {
  const QString selected =
      m_selected >= 0 ? m_entries[static_cast<std::size_t>(m_selected)].FullName() : QString();
  return Fill(m_folder, selected, true);
}

void CFileBrowser::SortByColumn(FileColumn column) {
  m_descending = column == m_sortColumn ? !m_descending : false;
  m_sortColumn = column;
  Sort();
}

AcceptResult CFileBrowser::Accept() const {
  AcceptResult result;
  QString name = m_fileName;
  if (name.isEmpty() || name.contains(u'*')) {
    result.kind = AcceptResult::Kind::InvalidName;
    result.message = res::kEnterValidFileName.toString();
    return result;
  }
  // Only the typed file name counts: "v1.2/notes" has no extension. No
  // default extension means no lone "." either.
  if (!LastComponent(name).contains(u'.') && !m_request.defaultExtension.isEmpty()) {
    name += u'.' + m_request.defaultExtension;
  }
  // A typed absolute path means that file, not one below the current folder.
  result.path = name.startsWith(kSeparator) ? name : JoinPath(m_folder, name);
  result.filterIndex = m_filterIndex;
  if (m_request.forSaving) {
    if (m_request.promptOverwrite && m_lister.Exists(result.path)) {
      result.kind = AcceptResult::Kind::ConfirmOverwrite;
      result.message = res::kConfirmOverwriteFile.arg(result.path);
      return result;
    }
  } else if (m_request.fileMustExist && !m_lister.Exists(result.path)) {
    result.kind = AcceptResult::Kind::NotFound;
    result.message = result.path + u'\n' + res::kFileNotFound.toString();
    return result;
  }
  result.kind = AcceptResult::Kind::Accepted;
  return result;
}

void CFileBrowser::SaveSortChoice(SettingsStore& settings) const {
  Write(settings, settings::kFileSelectSortItem, static_cast<int>(m_sortColumn));
  Write(settings, settings::kFileSelectSortMode, m_descending ? 1 : 0);
}

}  // namespace qm
