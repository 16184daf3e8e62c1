// CTreeStore: loading and saving by file extension, and making a loaded
// node array a well-formed tree.
#include <algorithm>
#include <vector>

#include "model/OutlineFile.h"
#include "model/ReadBudget.h"
#include "model/TreeStore.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/SettingsTable.h"

namespace qm {
namespace {

const QString kOutlineExtension = QStringLiteral(".qmp");
const QString kBackupExtension = QStringLiteral(".bak");
const QString kMemoExtension = QStringLiteral(".mem");

int LevelOf(QStringView path) { return static_cast<int>(path.count(kPathSeparator)); }

}  // namespace

int CTreeStore::Load(const QString& path, int mode) {
  Clear();
  m_report = {};
  const QString extension = ExtensionOf(path);
  bool loaded = false;
  if (mode == 1 || extension == kMemoExtension) {
    loaded = ImportWz(path);
  } else if (extension == kOutlineExtension) {
    loaded = LoadOutline(path);
  } else {
    loaded = ImportText(path, 0);
  }
  if (!loaded) {
    const FileReport report = m_report;
    Clear();
    m_report = report;
    return -1;
  }
  m_loadedUndecodable = m_report.undecodableBytes;
  return Count();
}

bool CTreeStore::LoadOutline(const QString& path) {
  std::optional<QByteArray> bytes = ReadInput(path, FileReport::Error::CannotOpen);
  if (!bytes) return false;
  // The budget counts UTF-16 units; the file's size bounds their number
  // without a pass over the bytes to count them.
  ReadBudget budget(bytes->size());
  const bool read = ReadOutlineFile(*bytes, *this, budget, m_report);
  bytes.reset();  // the nodes are made; the file's bytes are not needed while they settle
  if (!read) {
    m_report.error = FileReport::Error::TooLarge;
    return false;
  }
  return FinishLoadingWithin(path, budget);
}

std::optional<QByteArray> CTreeStore::ReadInput(const QString& path, FileReport::Error cannotOpen) {
  // A limit of 0 or less is a mistake in the settings file, not a wish to
  // read nothing.
  const int megabytes = Read(m_settingsStore, settings::kMaxFileMegabytes);
  const qint64 limit = megabytes > 0 ? qint64{megabytes} << 20 : kDefaultMaxFileBytes;
  ReadResult read = ReadFile(path, limit);
  if (!read) {
    m_report.error = cannotOpen;
    m_report.failure = read.failure;
    return std::nullopt;
  }
  return std::move(read.bytes);
}

QString CTreeStore::DecodeLoaded(const QByteArray& bytes) {
  Undecodable undecodable;
  QString text = CodePage().Decode(bytes, &undecodable);
  m_report.undecodable = undecodable.count;
  m_report.undecodableBytes = std::move(undecodable.sequences);
  return text;
}

bool CTreeStore::FinishLoadingWithin(const QString& path, ReadBudget& budget) {
  m_report.noNodeRead = m_nodes.empty();
  const int replaced = FinishLoading(path, &budget);
  if (replaced < 0) {
    m_report.error = FileReport::Error::TooLarge;
    return false;
  }
  m_report.nodesReplaced = replaced;
  return true;
}

void CTreeStore::AppendLoaded(std::unique_ptr<CDirData> node) {
  // The readers grow a body line by line, which leaves it up to twice its
  // size; once the next node comes the body is whole and gives the rest back.
  if (!m_nodes.empty()) m_nodes.back()->m_strBody.squeeze();
  m_nodes.push_back(std::move(node));
}

int CTreeStore::FinishLoading(const QString& fileName, ReadBudget* budget) {
  if (m_nodes.empty()) {
    AddRoot(BaseNameOf(fileName));
    return 0;
  }
  m_nodes.back()->m_strBody.squeeze();
  int replaced = 0;
  CDirData& root = N(0);
  if (root.GetLevel() > 0) {
    root.m_strPath = TitleOf(root.m_strPath);
    ++replaced;
  }
  const int below = Normalize(1, Count(), 1, budget);
  return below < 0 ? -1 : replaced + below;
}

int CTreeStore::Normalize(int from, int to, int minLevel, ReadBudget* budget) {
  if (from >= to) return 0;
  // ancestors[l]: the index of the latest node of level l on the current
  // line of descent; the range hangs under the parent of its first node.
  std::vector<int> ancestors(static_cast<size_t>(minLevel), 0);
  if (minLevel > 0) {
    int parent = from - 1;
    while (parent > 0 && GetLevel(parent) >= minLevel) --parent;
    ancestors[static_cast<size_t>(minLevel) - 1] = parent;
  }
  int previousLevel = minLevel - 1;
  int replaced = 0;
  for (int j = from; j < to; ++j) {
    QString& path = N(j).m_strPath;
    const int level = std::clamp(LevelOf(path), minLevel, previousLevel + 1);
    const QString& parentPath = N(ancestors[static_cast<size_t>(level) - 1]).m_strPath;
    const qsizetype titleStart = path.lastIndexOf(kPathSeparator) + 1;
    const bool fits = titleStart == parentPath.size() + 1 && path.startsWith(parentPath);
    if (!fits) {
      // A re-placed path repeats its new parent's: a long parent above many
      // such nodes would multiply it, so the growth is counted first.
      const qsizetype growth = parentPath.size() + 1 - titleStart;
      if (budget != nullptr && growth > 0 && !budget->Spend(growth)) return -1;
      path = parentPath + kPathSeparator + path.sliced(titleStart);
      ++replaced;
    }
    ancestors.resize(static_cast<size_t>(level) + 1);
    ancestors[static_cast<size_t>(level)] = j;
    previousLevel = level;
  }
  return replaced;
}

bool CTreeStore::Save(const QString& path, SaveOptions options) {
  const QString extension = ExtensionOf(path);
  if (extension == kOutlineExtension || extension == kBackupExtension) {
    return SaveOutline(path, options.loss);
  }
  if (extension == kMemoExtension) {
    const bool rootIsFileName = Count() > 0 && GetTitle(0) == BaseNameOf(path);
    return ExportWz(path, rootIsFileName, options.loss);
  }
  return SaveText(path, options);
}

bool CTreeStore::WriteEncoded(const QString& path, const TextWriter& write, SaveLoss loss,
                              FileReport::Error cannotWrite) {
  const EncodedWrite written = WriteEncodedFile(path, write, loss);
  m_report.unencodable = written.unencodable;
  NoteLoadedBytes();
  switch (written.status) {
    case EncodedWrite::Status::Written:
      return true;
    case EncodedWrite::Status::Unencodable:
      m_report.error = FileReport::Error::Unencodable;
      return false;
    case EncodedWrite::Status::CannotWrite:
      break;
  }
  m_report.error = cannotWrite;
  m_report.failure = written.failure;
  return false;
}

void CTreeStore::NoteLoadedBytes() {
  if (m_report.unencodable.contains(QChar(0xFFFD))) m_report.undecodableBytes = m_loadedUndecodable;
}

bool CTreeStore::SaveOutline(const QString& path, SaveLoss loss) {
  m_report = {};
  return WriteEncoded(
      path, [this](TextSink& sink) { WriteOutlineText(*this, sink); }, loss,
      FileReport::Error::CannotWrite);
}

}  // namespace qm
