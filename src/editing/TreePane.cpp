// CQTreeView: the tree pane's commands, update rules and notifications.
#include "editing/TreePane.h"

#include <QStringList>
#include <algorithm>

#include "editing/KeyTable.h"
#include "editing/LinkFileDialogs.h"
#include "editing/NodeEdit.h"
#include "editing/PaneHost.h"
#include "editing/QuillmapDoc.h"
#include "model/TimeText.h"
#include "model/TreeStore.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/Strings.h"

namespace qm {
namespace {

constexpr QStringView kCrLf = u"\r\n";
// Longest title the body's first line gives, as the body pane reads it.
constexpr qsizetype kMaxLineTitle = 255;

constexpr int kTitleOutputTitleOnly = 1;
constexpr int kTitleOutputNoTitle = 2;

qint32 FlagsFor(int titleOutput, int category) {
  qint32 flags = 0;
  if (titleOutput == kTitleOutputTitleOnly) flags = kFlagTitleOnly;
  if (titleOutput == kTitleOutputNoTitle) flags = kFlagTitleOnly | kFlagNoTitle;
  return flags | ((category << kCategoryShift) & kCategoryMask);
}

int TitleOutputOf(const CTreeStore& store, int i) {
  if (store.IsNoTitle(i)) return kTitleOutputNoTitle;
  return store.IsTitleOnly(i) ? kTitleOutputTitleOnly : 0;
}

QString FirstLineOf(const QString& body) {
  const qsizetype end = body.indexOf(kCrLf);
  return end < 0 ? body : body.first(end);
}

// The title the body's first line stands for; the body pane gives an empty
// first line the same title, so leaving a node never empties its title.
QString TitleFromFirstLine(const QString& body) {
  const QString line = CDirData::SanitizeLine(FirstLineOf(body)).left(kMaxLineTitle);
  return line.isEmpty() ? res::kUntitledNode.toString() : line;
}

QStringList CategoryChoices(const CCategoryList& categories) {
  QStringList choices{res::kNoCategory.toString()};
  for (const Category& category : categories.Entries()) choices << category.name;
  return choices;
}

// Raises a flag for the length of a scope; commands leave early in many places.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : m_flag(flag) { m_flag = true; }
  ~ScopedFlag() { m_flag = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& m_flag;
};

}  // namespace

CQTreeView::CQTreeView(CQuillmapDoc& doc, SettingsStore& settings, const Clock& clock,
                       Prompt& prompt, NodeEditDialogs& dialogs, PaneHost& host,
                       const KeyTable& keys)
    : m_doc(doc),
      m_settings(settings),
      m_clock(clock),
      m_prompt(prompt),
      m_dialogs(dialogs),
      m_host(host),
      m_keys(keys) {
  m_doc.AddView(this);
}

CQTreeView::~CQTreeView() { m_doc.RemoveView(this); }

CTreeStore& CQTreeView::Store() { return m_doc.Store(); }
const CTreeStore& CQTreeView::Store() const { return m_doc.Store(); }

int CQTreeView::Current() const { return Store().GetSelected(); }

int CQTreeView::ReadSetting(const IntSetting& setting) const {
  // Read at each use: the settings pages change these while the pane lives.
  return Read(m_settings, setting);
}

bool CQTreeView::FirstLineIsTitle() const { return Store().Settings().firstLine != 0; }

void CQTreeView::Tell(QStringView text) {
  m_prompt.Ask(text.toString(), PromptButtons::Ok, PromptIcon::Warning);
}

void CQTreeView::RebuildMarksMenu() {
  if (m_rebuildMarksMenu) m_rebuildMarksMenu();
}

void CQTreeView::ShowNode(int index) {
  // The control's own reports were ignored while items were rebuilt, and
  // the node at the old index may be another one now: always follow.
  m_doc.SetCurrentNode(index);
  m_doc.UpdateAllViews(this, kHintBodyOnly);
}

void CQTreeView::TitleToFirstBodyLine(int index) {
  CTreeStore& store = Store();
  const QString& body = store.GetBody(index);
  const qsizetype end = body.indexOf(kCrLf);
  store.SetBody(index, store.GetTitle(index) + (end < 0 ? QString() : body.sliced(end)));
  m_doc.UpdateAllViews(this, kHintAll);
}

// ---- Adding and editing ----

void CQTreeView::AddChild() { AddNode(false); }

void CQTreeView::AddSibling() { AddNode(true); }

void CQTreeView::AddNode(bool sibling) {
  m_doc.WriteBodyBack();
  const int current = Current();
  if (current < 0 || (sibling && current == 0)) return;

  const QString untitled = res::kUntitledNode.toString();
  NodeEditResult node{untitled, {}, 0, 0};
  if (ReadSetting(settings::kAddNoTitle) == 0) {
    const std::unique_ptr<LinkFileActions> linkActions =
        m_linkActionsFor ? m_linkActionsFor(-1) : nullptr;
    NodeEditRequest request;
    request.linkActions = linkActions.get();
    request.dateTitle = m_titleDating;
    if (ReadSetting(settings::kAddIni) != 0) request.title = untitled;
    request.categories = CategoryChoices(Store().Categories());
    request.wide = m_host.IsLandscape();
    std::optional<NodeEditResult> answer = m_dialogs.EditNode(request);
    if (!answer) return;
    node = std::move(*answer);
  }
  const QString body =
      FirstLineIsTitle() && node.title != untitled ? CDirData::SanitizeLine(node.title) : QString();

  CTreeStore& store = Store();
  m_doc.TakeSnapshot();
  // The store stamps creation and update with one reading of the clock.
  const qint32 flags = FlagsFor(node.titleOutput, node.category);
  const int added = sibling ? store.InsertSibling(current, node.title, node.link, body, flags, 0)
                            : store.InsertChild(current, node.title, node.link, body, flags, 0);
  m_doc.SetModified();
  if (sibling || ReadSetting(settings::kAddMove) != 0) {
    store.Select(added);
  } else {
    // The parent stays selected; its children, the new one among them, show.
    store.ExpandChildren(current);
  }
  // The link the user asked to open is the new node's.
  if (node.followLink) {
    store.Select(added);
    m_host.SendToFrame(kCmdOpenLinkFile);
  }
}

void CQTreeView::EditNode() {
  m_doc.WriteBodyBack();
  const int current = Current();
  if (current < 0) return;
  CTreeStore& store = Store();
  const CDirData& node = store.GetNode(current);

  const std::unique_ptr<LinkFileActions> linkActions =
      m_linkActionsFor ? m_linkActionsFor(current) : nullptr;
  NodeEditRequest request;
  request.linkActions = linkActions.get();
  request.dateTitle = m_titleDating;
  request.title = store.GetTitle(current);
  request.link = store.GetLink(current);
  request.titleOutput = TitleOutputOf(store, current);
  request.category = node.GetCategory();
  request.categories = CategoryChoices(store.Categories());
  if (node.HasUpdateTime()) request.updated = FormatDisplayTime(node.m_tmUpdate);
  request.wide = m_host.IsLandscape();
  const std::optional<NodeEditResult> answer = m_dialogs.EditNode(request);
  if (!answer) return;

  m_doc.TakeSnapshot();
  bool reselect = false;
  if (answer->titleOutput != request.titleOutput) {
    store.SetTitleOutput(current, answer->titleOutput);
    // Numbering or skipping one node renumbers everything after it.
    if (store.ShowsChapters()) store.RefreshBranchText(0, true);
    reselect = true;
  }
  if (answer->category != request.category) {
    store.GetNode(current).SetCategory(answer->category);
    reselect = true;
  }
  if (reselect) store.Select(current);
  store.GetNode(current).SetUpdateTime(m_clock.Now());
  store.SetTitleAndLink(current, answer->title, answer->link);
  if (FirstLineIsTitle()) TitleToFirstBodyLine(current);
  if (store.GetMark(current) != 0) RebuildMarksMenu();
  m_doc.SetModified();
  if (answer->followLink) m_host.SendToFrame(kCmdOpenLinkFile);
}

// ---- Deleting, moving, levels, undo ----

void CQTreeView::DeleteBranch() {
  // Written back before the snapshot so that Undo brings the node back with
  // what the user had just typed into it.
  m_doc.WriteBodyBack();
  const int current = Current();
  if (current < 0) return;
  m_doc.TakeSnapshot();
  if (current == 0) {
    Tell(res::kCannotDeleteTop);
    return;
  }
  if (m_prompt.Ask(res::kAskDeleteTree.toString(), PromptButtons::OkCancel, PromptIcon::Question) !=
      PromptAnswer::Ok) {
    return;
  }
  CTreeStore& store = Store();
  ScopedFlag rebuilding(m_rebuildingItems);
  // A mark anywhere in the branch leaves with it, not only the node's own.
  bool marked = false;
  const int end = store.GetBranchEnd(current, true);
  for (int i = current; i < end && !marked; ++i) marked = store.GetMark(i) != 0;
  store.DeleteBranch(current);
  m_doc.SetModified();
  ShowNode(std::min(current, store.GetCount() - 1));
  if (marked) RebuildMarksMenu();
}

void CQTreeView::MoveUp() {
  m_doc.WriteBodyBack();
  if (!CanMoveUp()) return;
  const int current = Current();
  const int previous = Store().GetPrevSibling(current);
  m_doc.TakeSnapshot();
  ScopedFlag rebuilding(m_rebuildingItems);
  Store().MoveRange(previous, current);
  m_doc.SetModified();
  ShowNode(previous);
}

void CQTreeView::MoveDown() {
  m_doc.WriteBodyBack();
  if (!CanMoveDown()) return;
  const int current = Current();
  const int next = Store().GetBranchEnd(current, false);
  m_doc.TakeSnapshot();
  ScopedFlag rebuilding(m_rebuildingItems);
  // The following branch moves in front, so the node lands that many further.
  const int moved = Store().MoveRange(current, next);
  m_doc.SetModified();
  ShowNode(current + moved);
}

void CQTreeView::LevelUp() { ChangeLevel(true); }

void CQTreeView::LevelDown() { ChangeLevel(false); }

void CQTreeView::ChangeLevel(bool up) {
  m_doc.WriteBodyBack();
  const int current = Current();
  if (current < 0) return;
  m_doc.TakeSnapshot();
  // The store would report an impossible change as done; nothing may change.
  if (!(up ? CanLevelUp() : CanLevelDown())) return;
  CTreeStore& store = Store();
  const bool marked = store.GetMark(current) != 0;
  ScopedFlag rebuilding(m_rebuildingItems);
  const int moved = up ? store.LevelUp(current) : store.LevelDown(current);
  if (moved < 0) return;
  if (marked) RebuildMarksMenu();
  m_doc.SetModified();
  ShowNode(moved);
}

void CQTreeView::Undo() {
  // No write-back: whatever was typed since the snapshot is undone with it.
  // The node the change was about is selected again, not whichever node
  // now stands where the selection was.
  const int changed = m_doc.SnapshotNode() >= 0 ? m_doc.SnapshotNode() : Current();
  ScopedFlag rebuilding(m_rebuildingItems);
  if (!m_doc.RestoreSnapshot() || Store().GetCount() == 0) return;
  ShowNode(std::clamp(changed, 0, Store().GetCount() - 1));
  // The restored outline has the marks it had then.
  RebuildMarksMenu();
}

// ---- Other commands ----

void CQTreeView::Reload() {
  m_doc.WriteBodyBack();
  const QString path = m_doc.PathName();
  // The placeholder left by a failed open names no file either.
  if (path.isEmpty() || path == res::kUntitledFileName) {
    Tell(res::kReloadNewFile);
    return;
  }
  if (m_prompt.Ask(res::kAskReload.toString(), PromptButtons::OkCancel, PromptIcon::Question) !=
      PromptAnswer::Ok) {
    return;
  }
  bool reopened = false;
  {
    WaitCursor wait(m_host);
    Unload();
    reopened = m_doc.OpenDocument(path);
  }
  if (!reopened) {
    m_ready = true;
    return;
  }
  InitialLoad();
  // The body pane still shows a body of the outline that was thrown away.
  m_doc.UpdateAllViews(this, kHintAll);
}

void CQTreeView::EditLabel() {
  const int current = Current();
  TreeControl* pane = Store().Pane();
  if (current < 0 || pane == nullptr || Store().GetItem(current) == 0) return;
  pane->EditLabel(Store().GetItem(current));
}

void CQTreeView::ShowTextOnly() { m_host.SendToFrame(kCmdTextOnly); }

void CQTreeView::QuitWithConfirmation() {
  m_doc.WriteBodyBack();
  if (m_prompt.Ask(res::kAskQuit.toString(), PromptButtons::OkCancel, PromptIcon::Question) ==
      PromptAnswer::Ok) {
    m_host.CloseMainWindow();
  }
}

void CQTreeView::Quit() {
  m_doc.WriteBodyBack();
  m_host.CloseMainWindow();
}

void CQTreeView::SwitchPanes() {
  m_doc.WriteBodyBack();
  if (m_host.BodyPaneHasFocus()) {
    m_host.FocusTreePane();
  } else if (ReadSetting(settings::kTreeText) == 1) {
    m_host.SendToFrame(kCmdTextOnly);
  } else {
    m_host.FocusBodyPane();
  }
}

void CQTreeView::ToggleChapterCharacters() {
  m_doc.WriteBodyBack();
  CTreeStore& store = Store();
  store.SetShowsChapters(!store.ShowsChapters());
  Write(m_settings, settings::kViewShoStr, store.ShowsChapters() ? 1 : 0);
  if (store.GetCount() > 0) {
    WaitCursor wait(m_host);
    store.RefreshBranchText(0, true);
  }
  m_doc.UpdateAllViews(this, kHintAll);
}

void CQTreeView::InitialLoad() {
  m_ready = false;
  CTreeStore& store = Store();
  store.RebuildTree();
  RebuildMarksMenu();
  int index = ReadSetting(settings::kAutoFirst) != 0 ? store.Settings().treeView : 0;
  // A file edited elsewhere may name a node it no longer has.
  if (index < 0 || index >= store.GetCount()) index = 0;
  m_doc.SetCurrentNode(store.GetCount() > 0 ? index : -1);
  m_rebuildingItems = false;
  m_ready = true;
}

// ---- Update rules ----

bool CQTreeView::CanMoveUp() const {
  const int current = Current();
  return current > 0 && Store().GetPrevSibling(current) >= 0;
}

bool CQTreeView::CanMoveDown() const {
  const int current = Current();
  return current > 0 && Store().GetBranchEnd(current, false) >= 0;
}

bool CQTreeView::CanLevelUp() const {
  const int current = Current();
  return current > 0 && Store().GetLevel(current) > 1;
}

// A node goes down a level under its previous sibling, which it must have.
bool CQTreeView::CanLevelDown() const { return CanMoveUp(); }

bool CQTreeView::CanUndo() const { return m_doc.IsUndoAvailable(); }

bool CQTreeView::IsChapterCharactersShown() const { return Store().ShowsChapters(); }

// ---- Notifications ----

void CQTreeView::OnSelectionChanging(TreeItem oldItem) {
  if (!m_ready || m_rebuildingItems) return;
  m_doc.WriteBodyBack();
  if (!FirstLineIsTitle()) return;
  const int left = Store().FindItem(oldItem);
  if (left < 0) return;
  const QString title = TitleFromFirstLine(Store().GetBody(left));
  if (title == Store().GetTitle(left)) return;
  Store().Rename(left, title);
  m_doc.SetModified();
}

void CQTreeView::OnSelectionChanged(TreeItem newItem) {
  if (!m_ready || m_rebuildingItems) return;
  const int index = Store().FindItem(newItem);
  if (index < 0) return;
  m_doc.SetCurrentNode(index);
  if (Store().IsBuilt()) m_doc.UpdateAllViews(this, kHintBodyOnly);
}

void CQTreeView::OnItemExpanded(TreeItem item, bool expanded) {
  // Items the store opens while it builds them follow its own records.
  if (m_rebuildingItems || !Store().IsBuilt()) return;
  const int index = Store().FindItem(item);
  if (index < 0) return;
  if (expanded) {
    // The user opened the item: the pane shows the children already, and
    // must not scroll away from where the user is looking.
    Store().MarkChildrenExpanded(index);
  } else {
    Store().CollapseAll(index);
  }
}

bool CQTreeView::OnDoubleTap() {
  const int current = Current();
  if (current < 0) return false;
  if (Store().HasChildren(current) && ReadSetting(settings::kFolderDblClk) != 0) {
    return false;
  }
  switch (ReadSetting(settings::kDblClk)) {
    case 1:
      EditNode();
      break;
    case 2:
      m_host.SendToFrame(kCmdOpenLinkFile);
      break;
    default:
      if (Store().GetLink(current).isEmpty()) {
        EditNode();
      } else {
        m_host.SendToFrame(kCmdOpenLinkFile);
      }
      break;
  }
  return true;
}

bool CQTreeView::OnKey(const KeyPress& key) {
  // Reading mode on a tall screen: Enter flips between the panes.
  if (key.code == kKeyEnter && key.IsPlain() && !m_host.IsLandscape() &&
      ReadSetting(settings::kViewMode) != 0) {
    SwitchPanes();
    return true;
  }
  if (const int command = m_keys.CommandFor(key); command != 0) {
    m_host.SendToFrame(command);
    return true;
  }
  if (key.alt) return false;
  if (key.code == kKeyEnter) {
    const int current = Current();
    if (current >= 0 && ReadSetting(settings::kLinkEnter) != 0 &&
        !Store().GetLink(current).isEmpty()) {
      m_host.SendToFrame(kCmdOpenLinkFile);
    } else {
      EditNode();
    }
    return true;
  }
  if (key.code == kKeyDelete) DeleteBranch();
  return false;
}

std::optional<QString> CQTreeView::TitleFromLabel(int index, const QString& label) const {
  const CTreeStore& store = Store();
  const CDirData& node = store.GetNode(index);
  QString title = label;
  // The editor starts from the whole label; the chapter characters and the
  // category in front of the title are not part of it.
  const QString prefix = (store.ShowsChapters() ? store.GetChapter(index) : QString()) +
                         store.Categories().DisplayText(node.GetCategory());
  if (!prefix.isEmpty() && title.startsWith(prefix)) title.remove(0, prefix.size());

  const int mode = store.TimeDisplay();
  const bool dated = (mode == CTreeStore::kTimeDisplayUpdated && node.HasUpdateTime()) ||
                     (mode == CTreeStore::kTimeDisplayCreated && node.HasCreateTime());
  if (!dated) return title;
  // The date is the last parenthesis; a title may hold parentheses itself.
  const qsizetype open = title.lastIndexOf(u'(');
  if (open < 0) return std::nullopt;
  title.truncate(open);
  if (title.endsWith(u' ')) title.chop(1);
  return title;
}

void CQTreeView::OnLabelEdited(const QString& text) {
  const int current = Current();
  if (current < 0) return;
  const std::optional<QString> title = TitleFromLabel(current, text);
  if (!title || CDirData::SanitizeLine(*title).isEmpty()) return;
  m_doc.WriteBodyBack();
  if (CDirData::SanitizeLine(*title) == Store().GetTitle(current)) return;
  Store().Rename(current, *title);
  m_doc.SetModified();
  if (FirstLineIsTitle()) TitleToFirstBodyLine(current);
  // The marks menu shows the title.
  if (Store().GetMark(current) != 0) RebuildMarksMenu();
}

void CQTreeView::OnUpdate(const DocumentView*, int) {}

// ---- Timestamps and categories ----

void CQTreeView::RebuildAndSelect(int index) {
  ScopedFlag rebuilding(m_rebuildingItems);
  Store().RebuildTree();
  if (index >= Store().GetCount()) index = Store().GetCount() - 1;
  m_doc.SetCurrentNode(index);
  // The marks menu shows the labels, which carry the date and the category.
  RebuildMarksMenu();
}

}  // namespace qm
