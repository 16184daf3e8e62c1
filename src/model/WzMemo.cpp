// WZ memo reader and writer.
#include "model/WzMemo.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "model/DirData.h"
#include "model/ReadBudget.h"
#include "model/TextLines.h"
#include "model/TreeStore.h"
#include "platform/TextSink.h"

namespace qm {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

qsizetype LeadingDots(QStringView line) {
  qsizetype dots = 0;
  while (dots < line.size() && line[dots] == u'.') ++dots;
  return dots;
}

// The writer ends every body with an empty line; one such line at the end
// of a body is that separator, not part of the text.
void DropSeparatorLine(CDirData& node) {
  QString& body = node.m_strBody;
  if (body == kCrLf) {
    body.clear();
  } else if (body.endsWith(u"\r\n\r\n")) {
    body.chop(2);
  }
}

// Gives the root a new title: every node read so far hangs below it, so
// every path's first component changes with it.
bool RenameRoot(CTreeStore& store, const QString& title, ReadBudget& budget) {
  const qsizetype oldSize = store.GetNode(0).m_strPath.size();
  const qsizetype growth = title.size() - oldSize;
  for (int i = 0; i < store.GetCount(); ++i) {
    QString& path = store.GetNode(i).m_strPath;
    if (growth > 0 && !budget.Spend(growth)) return false;
    path.replace(0, oldSize, title);
  }
  return true;
}

void AppendBody(QString& out, const QString& stored, const WzWriteOptions& options) {
  QString body = stored;
  if (options.dropFirstBodyLine) {
    const qsizetype lineEnd = body.indexOf(u'\n');
    body = lineEnd < 0 ? QString() : body.sliced(lineEnd + 1);
  }
  if (body.isEmpty()) return;
  if (options.protectPeriods) {
    if (body.startsWith(u'.')) body.prepend(u' ');
    body.replace(QStringLiteral("\n."), QStringLiteral("\n ."));
  }
  out += body;
  if (!body.endsWith(kCrLf)) out += kCrLf;
  out += kCrLf;
}

}  // namespace

bool ReadWzMemoText(QStringView rawText, const WzReadOptions& options, CTreeStore& store,
                    ReadBudget* givenBudget, FileReport* report) {
  ReadBudget ownBudget(rawText.size());
  ReadBudget& budget = givenBudget != nullptr ? *givenBudget : ownBudget;
  qsizetype dropped = 0;
  QString cleaned;
  const QStringView text = reading::WithoutControlMarks(rawText, cleaned, true, dropped);
  if (report != nullptr) report->charactersDropped += dropped;

  auto rootNode = std::make_unique<CDirData>();
  rootNode->m_strPath = CDirData::SanitizeLine(options.rootTitle);
  CDirData* const root = rootNode.get();
  store.AppendLoaded(std::move(rootNode));
  if (!budget.SpendNode(*root)) return false;

  // The current line of descent: descent[l] is the latest heading of level
  // l above or at the last heading (descent[0] is the root).
  std::vector<CDirData*> descent{root};
  CDirData* bodyOwner = root;
  bool rootPending = options.rootFromFirstHeading;
  qsizetype previousDepth = -1;  // dots - 1 of the last heading; -1 before any
  int lineNumber = -1;
  reading::LineWalker lines(text);
  QStringView line;
  while (lines.Next(line)) {
    ++lineNumber;
    // A heading is judged without the stray carriage returns its title
    // could not keep, so that its dots are the ones it is written with.
    const QString heading =
        line.startsWith(u'.') ? CDirData::SanitizeLine(line.toString()) : QString();
    // Once the first heading has named the root, a line with a single dot
    // is text: there is only one root.
    const bool secondDot = heading.size() > 1 && heading[1] == u'.';
    if (heading.isEmpty() || (options.rootFromFirstHeading && !rootPending && !secondDot)) {
      if (!budget.Spend(line.size() + 2)) return false;
      bodyOwner->m_strBody += line;
      bodyOwner->m_strBody += kCrLf;
      continue;
    }

    const qsizetype dots = LeadingDots(heading);
    const QString title = heading.sliced(dots);
    DropSeparatorLine(*bodyOwner);
    if (rootPending && dots == 1) {
      // Headings read before this one stay below the root it renames.
      if (!RenameRoot(store, title, budget)) return false;
      root->m_nLine = lineNumber;
      rootPending = false;
      descent.assign(1, root);
      bodyOwner = root;
      previousDepth = -1;
      continue;
    }

    const qsizetype depth = dots - 1;
    const qsizetype previousLevel = static_cast<qsizetype>(descent.size()) - 1;
    qsizetype parentLevel = previousLevel;  // deeper: a child of the last heading
    if (depth == previousDepth) {
      parentLevel = previousLevel - 1;
    } else if (depth < previousDepth) {
      // The level the dots name: one-dot headings are level 1 below a root
      // named after the file, two-dot headings below a root named by one.
      const qsizetype wanted =
          std::max<qsizetype>(0, options.rootFromFirstHeading ? depth - 1 : depth);
      // Never below the last heading: fewer dots never nest deeper.
      parentLevel = std::min(wanted, previousLevel - 1);
    }
    auto node = std::make_unique<CDirData>();
    const QString& parentPath = descent[static_cast<size_t>(parentLevel)]->m_strPath;
    node->m_strPath.reserve(parentPath.size() + 1 + title.size());
    node->m_strPath += parentPath;
    node->m_strPath += kPathSeparator;
    node->m_strPath += title;
    node->m_nLine = lineNumber;
    if (!budget.Spend(ReadBudget::kNodeUnits + node->m_strPath.size())) return false;
    descent.resize(static_cast<size_t>(parentLevel) + 1);
    descent.push_back(node.get());
    bodyOwner = node.get();
    store.AppendLoaded(std::move(node));
    previousDepth = depth;
  }
  DropSeparatorLine(*bodyOwner);
  return true;
}

void WriteWzMemoText(const CTreeStore& store, const WzWriteOptions& options, TextSink& sink) {
  QString& out = sink.Text();

  int first = 0;
  if (options.skipRoot && store.GetCount() > 0) {
    // Without a root line the root's body comes first, where a reader that
    // names the root after the file puts text before the first heading.
    AppendBody(out, store.GetBody(0), options);
    first = 1;
  }
  const int extraDots = options.skipRoot ? 0 : 1;
  for (int i = first; i < store.GetCount(); ++i) {
    out.resize(out.size() + store.GetLevel(i) + extraDots, u'.');
    out += store.GetTitle(i);
    out += kCrLf;
    AppendBody(out, store.GetBody(i), options);
    sink.Pace();
  }
}

QString WriteWzMemoText(const CTreeStore& store, const WzWriteOptions& options) {
  StringSink sink;
  WriteWzMemoText(store, options, sink);
  return sink.Take();
}

}  // namespace qm
