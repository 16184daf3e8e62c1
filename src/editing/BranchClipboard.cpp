// CBranchClipboard: copy, cut and paste of branches and of plain text.
#include "editing/BranchClipboard.h"

#include <QStringList>
#include <algorithm>
#include <optional>
#include <vector>

#include "editing/PaneHost.h"
#include "editing/PasteDialogs.h"
#include "editing/QuillmapDoc.h"
#include "editing/TreePane.h"
#include "model/TreeStore.h"
#include "platform/Clipboard.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {
namespace {

constexpr QStringView kCrLf = u"\r\n";
// Text holding a record end is branch text; no other text holds one.
constexpr QChar kRecordEnd = u'\x07';

// Other programs on this desktop end lines with a lone LF; inside, every
// line ends with CR LF.
QString WithCrLfBreaks(const QString& text) {
  QString out;
  out.reserve(text.size() + text.size() / 32);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == u'\n' && (i == 0 || text.at(i - 1) != u'\r')) out += u'\r';
    out += c;
  }
  return out;
}

QStringView WithoutLeadingBreaks(QStringView text) {
  while (text.startsWith(kCrLf)) text = text.sliced(kCrLf.size());
  return text;
}

// One node per line: each line's title and the number of tabs it began with.
std::vector<CTreeStore::RunNode> NodesPerLine(QStringView text, int firstLevel) {
  std::vector<CTreeStore::RunNode> run;
  qsizetype from = 0;
  while (from < text.size()) {
    qsizetype end = text.indexOf(kCrLf, from);
    if (end < 0) end = text.size();
    QStringView line = text.sliced(from, end - from);
    from = end + kCrLf.size();
    qsizetype tabs = 0;
    while (tabs < line.size() && line.at(tabs) == u'\t') ++tabs;
    line = line.sliced(tabs);
    // What a title cannot hold would leave an untitled node; skip it as empty.
    const QString title = CDirData::SanitizeLine(line.toString());
    if (title.isEmpty()) continue;
    // The store keeps the level within what the position allows.
    const int depth = static_cast<int>(std::min<qsizetype>(tabs, 1 << 20));
    run.push_back({title, {}, firstLevel + depth});
  }
  return run;
}

}  // namespace

CBranchClipboard::CBranchClipboard(CQuillmapDoc& doc, CQTreeView& tree, Clipboard& clipboard,
                                   SettingsStore& settings, Prompt& prompt, PasteDialogs& dialogs,
                                   PaneHost& host)
    : m_doc(doc),
      m_tree(tree),
      m_clipboard(clipboard),
      m_settings(settings),
      m_prompt(prompt),
      m_dialogs(dialogs),
      m_host(host) {}

void CBranchClipboard::Copy() {
  WaitCursor wait(m_host);
  m_doc.WriteBodyBack();
  const int current = m_doc.Store().GetSelected();
  if (current < 0) return;
  m_clipboard.SetText(m_doc.Store().GetBranchText(current, false));
}

void CBranchClipboard::Cut() {
  {
    WaitCursor wait(m_host);
    m_doc.WriteBodyBack();
    const int current = m_doc.Store().GetSelected();
    if (current < 0) return;
    m_clipboard.SetText(m_doc.Store().GetBranchText(current, true));
  }
  m_tree.DeleteBranch();
}

void CBranchClipboard::Paste() {
  m_doc.WriteBodyBack();
  CTreeStore& store = m_doc.Store();
  const int target = store.GetSelected();
  if (target < 0) {
    m_prompt.Ask(res::kSelectInsertPlace.toString(), PromptButtons::Ok, PromptIcon::Warning);
    return;
  }
  int level =
      Read(m_settings, settings::kPasteLevel) == kPasteSameLevel ? kPasteSameLevel : kPasteBelow;
  if (Read(m_settings, settings::kPasteDlg) != 0) {
    const std::optional<PastePlaceAnswer> answer = m_dialogs.ChoosePastePlace({level});
    if (!answer) return;
    level = answer->level == kPasteSameLevel ? kPasteSameLevel : kPasteBelow;
    Write(m_settings, settings::kPasteLevel, level);
    Write(m_settings, settings::kPasteDlg, answer->dontAskAgain ? 0 : 1);
  }
  const std::optional<QString> text = m_clipboard.Text();
  if (!text) return;

  m_doc.TakeSnapshot();
  if (text->contains(kRecordEnd)) {
    PasteBranchText(target, level, *text);
  } else if (!PastePlainText(target, level, *text)) {
    return;
  }
  store.ExpandAll(target);
}

int CBranchClipboard::FirstLevelOf(int target, int level) const {
  const int targetLevel = m_doc.Store().GetLevel(target);
  return level == kPasteSameLevel && target != 0 ? targetLevel : targetLevel + 1;
}

void CBranchClipboard::PasteBranchText(int target, int level, const QString& text) {
  CTreeStore& store = m_doc.Store();
  const int countBefore = store.GetCount();
  const bool sameLevel = level == kPasteSameLevel && target != 0;
  {
    WaitCursor wait(m_host);
    // A broken record ends the paste; the complete ones before it stay.
    if (sameLevel) {
      store.InsertBranchText(target, text, true);
    } else {
      store.InsertBranchTextBelow(target, text);
    }
  }
  if (store.GetCount() == countBefore) return;
  Finish(target);
  if (sameLevel) store.Select(target);
}

bool CBranchClipboard::PastePlainText(int target, int level, const QString& text) {
  const int proposal =
      std::clamp(Read(m_settings, settings::kTextPasteMode), kTextNodePerLine, kTextOneNode);
  const std::optional<TextPasteAnswer> answer = m_dialogs.ChooseTextPasteMode({proposal});
  if (!answer) return false;
  const int mode = std::clamp(answer->mode, kTextNodePerLine, kTextOneNode);
  Write(m_settings, settings::kTextPasteMode, mode);

  CTreeStore& store = m_doc.Store();
  const int firstLevel = FirstLevelOf(target, level);
  QString lines = WithCrLfBreaks(text);
  std::vector<CTreeStore::RunNode> run;
  if (mode == kTextNodePerLine || mode == kTextOneNode) {
    if (mode == kTextOneNode) lines.remove(kCrLf.toString());
    run = NodesPerLine(lines, firstLevel);
  } else {
    const QStringView whole = WithoutLeadingBreaks(lines);
    const qsizetype end = whole.indexOf(kCrLf);
    const QString title = CDirData::SanitizeLine(whole.left(end).toString());
    const bool wholeBody = mode == kTextTitleAndAll || store.Settings().firstLine != 0;
    const QStringView body =
        wholeBody ? whole : (end < 0 ? QStringView() : WithoutLeadingBreaks(whole.sliced(end)));
    if (!title.isEmpty()) run.push_back({title, body.toString(), firstLevel});
  }
  if (run.empty()) return true;
  {
    WaitCursor wait(m_host);
    store.InsertRun(store.GetBranchEnd(target, true), run);
  }
  Finish(target);
  return true;
}

void CBranchClipboard::Finish(int target) {
  m_tree.RebuildMarksMenu();
  m_doc.Store().ExpandChildren(target);
  m_doc.SetModified();
}

}  // namespace qm
