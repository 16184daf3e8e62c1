// CTreeStore: the nodes of one outline and their mirror in the tree pane.
//
// Nodes (CDirData) live in one array in pre-order: the root at index 0 and
// the only node of level 0, every node followed by its whole branch.
// Structure comes from the paths alone: a node's children are the following
// nodes one level deeper, up to the end of its branch. Every operation takes
// and returns array indices; -1 means none. The store owns its nodes, the
// document settings block, the chapter heading styles and the category list.
//
// The tree pane is optional (SetPane): while one is attached, every editing
// operation keeps the pane's items in step with the array itself, without
// rebuilding the whole pane. A node's m_bExpand records whether the node is
// shown, i.e. whether its parent's item is open.
//
// The check filter decides which nodes get items when the pane is built
// (RebuildTree): the nodes that pass it, every ancestor of one, and the root.
// Between builds the items follow the edits rather than the filter: a node
// added or pasted gets an item whatever its check, a moved branch keeps the
// items it had, and toggling a check neither hides nor shows a node until
// the next build. The array always keeps every node, so saving, copying and
// undo never depend on the filter.
//
// REQUIRES for every index argument: 0 <= i < GetCount() unless a function
// says otherwise; callers get indices from GetSelected, GetParent and the
// like. The settings store, clock and prompt must outlive the store. Not
// thread-safe: the user-interface thread owns it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "model/CategoryList.h"
#include "model/ChapterStyles.h"
#include "model/DirData.h"
#include "model/DocSettings.h"
#include "platform/EncodedFile.h"

namespace qm {

class CTreeStore;
class Clock;
class ReadBudget;
class SettingsStore;
class TreeControl;

// What went wrong in the last Load or Save, and what the user should hear
// even when it went right (bytes that could not be read, nodes re-placed,
// lines or characters the outline could not take).
struct FileReport {
  enum class Error {
    None,
    CannotOpen,
    CannotWrite,
    Unencodable,
    NotSupported,
    // Plain-text and memo files.
    CannotOpenMemo,         // a memo file that cannot be read
    TooLarge,               // a file that would build an outline far larger than itself
    CannotOpenDestination,  // a memo file that cannot be written
    CannotCreateOutput,     // a plain-text file that cannot be written
    FilterShowsChecked,     // plain-text save refused while only checked nodes are shown
    FilterShowsUnchecked,   // ... while only unchecked nodes are shown
    NeedsConsent,           // a plain-text save the user has not agreed to yet
  };
  // How many line numbers of unread lines are kept.
  static constexpr qsizetype kListedLines = 5;

  Error error = Error::None;
  qsizetype undecodable = 0;  // characters read as U+FFFD
  // The byte sequences behind them (see Undecodable). A save's report
  // carries those of the file the outline was loaded from when U+FFFD is
  // among its unencodable characters, so that it can be shown as the bytes
  // it came from.
  QList<QByteArray> undecodableBytes;
  int nodesReplaced = 0;  // nodes whose path did not fit the tree
  // Lines of an outline file nothing in the outline holds: settings no part
  // of the outline knows, body text before the first node, text after a
  // section or body mark. Line numbers count from 1; the first kListedLines.
  int linesUnread = 0;
  QList<int> unreadLines;
  // Characters no outline may hold, left out: U+001A (but the marks that
  // end a file) and, from plain-text and memo files, U+0001..U+0008.
  qsizetype charactersDropped = 0;
  bool settingsUnclosed = false;  // the settings section lacked its closing line
  bool bodyUnclosed = false;      // a body lacked its closing line
  bool noNodeRead = false;        // the root was made from the file name
  QString unencodable;            // characters the code page cannot hold
  // Why the file could not be read or written, with CannotOpen,
  // CannotOpenMemo, CannotWrite, CannotOpenDestination and
  // CannotCreateOutput.
  FileFailure failure;

  // True when the loaded outline does not hold everything the file held,
  // so that writing it over the file would lose something: bytes read as
  // U+FFFD, nodes re-placed, lines unread, characters dropped, a part that
  // was never closed (the file may have been cut short). Converting a plain
  // text (heading markers, leading blanks) is not a loss.
  bool Lossy() const {
    return undecodable > 0 || nodesReplaced > 0 || linesUnread > 0 || charactersDropped > 0 ||
           settingsUnclosed || bodyUnclosed;
  }
  // Notes an unread line (lineIndex from 0).
  void AddUnreadLine(int lineIndex) {
    ++linesUnread;
    if (unreadLines.size() < kListedLines) unreadLines.append(lineIndex + 1);
  }
};

// How a save may go: whether it may replace characters the code page
// cannot hold by "?", and whether the user agreed that saving an outline as
// plain text changes the file's format ("System"/"bTextFile" asks for that).
struct SaveOptions {
  SaveLoss loss = SaveLoss::Refuse;
  bool plainTextAgreed = false;
};

// Writes into the sink the text that text output writes to a file for the
// nodes [first, end) of the store: what saving under a plain-text name
// writes. It may recount the store's chapter characters.
using TextFileRenderer = std::function<void(CTreeStore& store, int first, int end, TextSink& sink)>;

class CTreeStore {
 public:
  static constexpr int kCheckFilterAll = 0;
  static constexpr int kCheckFilterChecked = 1;
  static constexpr int kCheckFilterUnchecked = 2;
  static constexpr int kTimeDisplayNone = 0;
  static constexpr int kTimeDisplayUpdated = 1;
  static constexpr int kTimeDisplayCreated = 2;

  CTreeStore(SettingsStore& settings, const Clock& clock);
  virtual ~CTreeStore();
  CTreeStore(const CTreeStore&) = delete;
  CTreeStore& operator=(const CTreeStore&) = delete;

  // The undo snapshot's copy: every node deeply (item handles included), the
  // category list, the chapter heading styles, the check filter, the built
  // flag, the struck-through switch, the pane, the settings block and the
  // undecodable bytes the load met; not the time display nor whether
  // chapter characters are shown.
  void CopyFrom(const CTreeStore& other);

  void SetPane(TreeControl* pane) { m_pane = pane; }
  TreeControl* Pane() const { return m_pane; }

  // ---- The operations, in their fixed order. ----

  // Removes all nodes and loads the file: by extension (".qmp" outline file,
  // ".mem" memo file, anything else plain text), or as a memo file whatever
  // the extension when mode is 1. Returns the node count, or -1 on failure
  // (LastFileReport says why; nothing of the file is kept). TooLarge when
  // the file would build an outline far larger than itself (see
  // ReadBudget). After success LastFileReport tells what the outline could
  // not take (FileReport::Lossy).
  virtual int Load(const QString& path, int mode);
  virtual void RebuildTree();
  virtual CDirData& GetNode(int i);
  const CDirData& GetNode(int i) const { return N(i); }
  virtual const QString& GetPath(int i) const;
  virtual const QString& GetLink(int i) const;
  virtual const QString& GetBody(int i) const;
  // Bodies and links lose the separator characters U+0001..U+0008.
  virtual void SetBody(int i, const QString& text);
  virtual void SetLink(int i, const QString& text);
  virtual QString GetTitle(int i) const;
  // Branch text of i's branch with i itself / of i's descendants only.
  virtual QString GetBranchText(int i, bool withTimes) const;
  virtual QString GetChildrenText(int i, bool withTimes) const;
  virtual int GetCount() const;
  virtual int GetSpare() const;
  // Appends a node with path = title, expanded, all else default.
  virtual void AddRoot(const QString& title);
  // consecutive false: as InsertChild of i; true: as InsertSibling after the
  // last insertion point (i when none). Either way the new index becomes the
  // last insertion point.
  virtual int InsertNode(int i, const QString& title, const QString& link, const QString& body,
                         qint32 flags, qint32 mark, bool consecutive);
  // New last child of i. idText, when not empty, is an identifier-and-times
  // text as the branch text holds it. Returns the new index.
  virtual int InsertChild(int i, const QString& title, const QString& link, const QString& body,
                          qint32 flags, qint32 mark, const QString& idText = {});
  // New node after i's branch under the same parent. On the root it fails
  // and returns 0.
  virtual int InsertSibling(int i, const QString& title, const QString& link, const QString& body,
                            qint32 flags, qint32 mark, const QString& idText = {});
  // Inserts a branch text as children of i's parent, before i (after false)
  // or after i's branch (after true); on the root, as its last children.
  // Returns the index of the first inserted node, or -1 when the text held
  // no complete record (the complete ones before a broken record stay) or
  // would build branches far larger than itself (see ReadBudget; nothing is
  // inserted then).
  virtual int InsertBranchText(int i, const QString& text, bool after);
  // Removes i and its branch. Does nothing for the root.
  virtual void DeleteBranch(int i);
  virtual void DeleteByPath(const QString& path);
  virtual void Rename(int i, const QString& title);
  // Renames i (rewriting the path prefix of its whole branch) and sets its link.
  virtual void SetTitleAndLink(int i, const QString& title, const QString& link);
  // Saves by the extension of the file name: ".qmp" and ".bak" as outline
  // files, ".mem" as a memo file, anything else as plain text. On failure
  // returns false, leaves any existing file untouched and LastFileReport
  // says why (Unencodable: nothing was written, the characters are listed).
  virtual bool Save(const QString& path, SaveOptions options = {});
  virtual bool SaveOutline(const QString& path, SaveLoss loss = SaveLoss::Refuse);
  // Writes the whole outline as text output (the renderer set with
  // SetTextFileRenderer; NotSupported without one). Refuses while the check
  // filter hides nodes (FilterShowsChecked/Unchecked). With "System"/
  // "bTextFile" set and options.plainTextAgreed false, writes nothing and
  // reports NeedsConsent once the text is known to be storable, so the
  // caller can ask and save again. CannotCreateOutput when the file cannot
  // be written.
  virtual bool SaveText(const QString& path, SaveOptions options = {});
  // Writes the outline as a memo file; rootTitleIsFileName leaves the root
  // line out. CannotOpenDestination when the file cannot be written.
  virtual bool ExportWz(const QString& path, bool rootTitleIsFileName,
                        SaveLoss loss = SaveLoss::Refuse);
  virtual int FindPath(const QString& path) const;
  virtual int FindItem(TreeItem item) const;
  // As FindPath, comparing from the ends of the paths (they share long prefixes).
  virtual int FindPathReverse(const QString& path) const;
  virtual TreeItem GetItem(int i) const;
  // Replaces text in the titles of i's branch, and in the bodies when asked.
  // Returns the number of replacements; rebuilds the pane when any was made.
  virtual int ReplaceInBranch(int i, const QString& before, const QString& after, bool bodies);
  // Moves the branch at max(a, b) to the place of min(a, b); the two must be
  // siblings. Returns the number of nodes moved (0 when they are not siblings).
  virtual int MoveRange(int a, int b);
  // Removes all nodes, empties the pane, resets the settings block, the
  // category list and the chapter heading styles.
  virtual void Clear();
  virtual int GetLevel(int i) const;
  // The path component at depth (-1 = i's own), up to U+0001, U+0002 or U+0003.
  virtual QString GetPathPart(int i, int depth) const;
  // The previous sibling, or -1 when a node of a lower level comes first; 0 for 0.
  virtual int GetPrevSibling(int i) const;
  // whole: the end of i's branch; else the next sibling or -1.
  virtual int GetBranchEnd(int i, bool whole) const;
  // The parent; 0 when none.
  virtual int GetParent(int i) const;
  virtual QString ParentPathOf(const QString& path) const;
  virtual QString TitleOf(const QString& path) const;
  // The index in i's path just after its depth-th U+0001 (0 for depth 0).
  virtual int PathPosition(int i, int depth) const;
  // Makes i the next sibling of its parent (only below level 1). Returns
  // i's new index (i itself when nothing moved).
  virtual int LevelUp(int i);
  // Makes i the last child of its previous sibling. Returns i; returns i
  // unchanged when its item is the first in the pane; -1 when i has no
  // previous sibling.
  virtual int LevelDown(int i);
  virtual int GetTextExtent(int i) const;
  virtual const QString& GetChapter(int i) const;
  // Flip the check (strike) bit of i, and with wholeBranch give every node
  // below i the same state. ToggleCheck returns false when the pane could
  // not show the new check image (the flag is flipped all the same).
  virtual bool ToggleCheck(int i, bool wholeBranch);
  virtual void ToggleStrike(int i, bool wholeBranch);
  virtual bool IsStruckBranch(int i) const;
  // Marks i's children expanded, opens i's item and brings the children
  // into view as far as they fit with i still shown.
  virtual void ExpandChildren(int i);
  // Only marks i's children expanded (the user opened the item in the pane
  // already). Returns the last child, or -1 when i has none.
  int MarkChildrenExpanded(int i);
  virtual void CollapseAll(int i);
  virtual void ExpandAll(int i);
  virtual void Reveal(int i);
  virtual bool HasChildren(int i) const;
  // Reads a plain-text file into the empty store (every mode reads the
  // same way). CannotOpen when it cannot be read; TooLarge when its
  // headings would build an outline far larger than the file.
  virtual bool ImportText(const QString& path, int mode);
  // Reads a memo file into the empty store, the root named after the file
  // or ("System"/"WzImportTopTree" 0) by its first one-dot heading.
  // CannotOpenMemo when it cannot be read; TooLarge as for ImportText.
  virtual bool ImportWz(const QString& path);
  // Replaces every occurrence of before in text; returns how many.
  virtual int Replace(QString& text, const QString& before, const QString& after) const;
  virtual bool IsBuilt() const;
  virtual void SetBuilt();
  virtual int GetMark(int i) const;
  virtual void SetMark(int i, int mark);
  virtual void ClearMarks(int i);
  virtual bool IsTitleOnly(int i) const;
  virtual void SetTitleOnly(int i, bool on);
  virtual bool IsNoTitle(int i) const;
  virtual void SetNoTitle(int i, bool on);
  // 0: chapter characters and title; 1: title only; 2: no title.
  virtual void SetTitleOutput(int i, int kind);

  // ---- Helpers for the document and the views. ----

  // The selected node, or -1.
  int GetSelected() const;
  void Select(int i);
  // Recomputes i's displayed text in the pane.
  void RefreshItemText(int i);
  // With recount, recomputes every node's chapter characters first; then
  // refreshes the displayed text of every node of i's branch.
  void RefreshBranchText(int i, bool recount);
  // Recomputes the chapter characters of every node.
  void RecountChapters();
  // The text the pane shows for node i.
  QString DisplayText(int i) const;
  // The label without chapter characters: category prefix, title, and the
  // date suffix of the time display mode.
  QString TitleLabel(int i) const;
  // True when node i passes the check filter by itself.
  bool PassesCheckFilter(int i) const;
  // True when the pane holds an item for node i. Without a built pane every
  // node counts as being in it.
  bool IsInPane(int i) const;
  // i when it is in the pane, else its nearest ancestor that is (the root
  // always is).
  int NearestInPane(int i) const;
  // Every node of category from + 1 gets category to + 1 (to = -1 clears).
  void RenumberCategory(int from, int to);

  // Inserts a branch text as the last children of i (at the end of i's
  // branch). Returns as InsertBranchText.
  int InsertBranchTextBelow(int i, const QString& text);

  // One node of InsertRun: its title, body and the level it should get.
  struct RunNode {
    QString title;
    QString body;
    int level = 1;
  };
  // Inserts nodes at array position `at` in one pass, however many: empty
  // link, flags 0, mark 0, expanded, created and updated now. Each node
  // gets the level asked for, but never deeper than one below the node
  // before it, and never shallower than 1 or than the node that followed
  // position `at` (which keeps its parent); paths follow from the levels.
  // Returns the index of the first new node, or -1 when run is empty.
  // REQUIRES: 1 <= at <= GetCount().
  int InsertRun(int at, const std::vector<RunNode>& run);

  CDocSettings& Settings() { return m_settings; }
  const CDocSettings& Settings() const { return m_settings; }
  CChapterStyles& Styles() { return m_styles; }
  const CChapterStyles& Styles() const { return m_styles; }
  CCategoryList& Categories() { return m_categories; }
  const CCategoryList& Categories() const { return m_categories; }

  int CheckFilter() const { return m_checkFilter; }
  void SetCheckFilter(int filter) { m_checkFilter = filter; }
  int TimeDisplay() const { return m_timeDisplay; }
  void SetTimeDisplay(int mode) { m_timeDisplay = mode; }
  bool ShowsChapters() const { return m_showChapters; }
  void SetShowsChapters(bool on) { m_showChapters = on; }
  bool NumbersStruck() const { return m_numberStruck; }
  void SetNumbersStruck(bool on) { m_numberStruck = on; }
  void SetSpare(int value) { m_spare = value; }

  const FileReport& LastFileReport() const { return m_report; }

  // The text output that SaveText writes. Wiring, not outline state: the
  // undo snapshot's copy leaves it alone.
  void SetTextFileRenderer(TextFileRenderer renderer) { m_textRenderer = std::move(renderer); }

  // Appends a node read from a file, as it is. The readers call this, then
  // FinishLoading.
  void AppendLoaded(std::unique_ptr<CDirData> node);
  // Makes the array a well-formed tree after reading: a root of level 0
  // first, and every other node directly under the nearest node one level up
  // (paths that skip levels or name other ancestors are rewritten). Returns
  // how many nodes were re-placed. With a budget, the reader's, the paths
  // it rewrites are counted too; returns -1, the paths partly rewritten,
  // once they would pass it.
  int FinishLoading(const QString& fileName, ReadBudget* budget = nullptr);

 private:
  // Node access without bounds checks in release builds.
  CDirData& N(int i) { return *m_nodes[static_cast<size_t>(i)]; }
  const CDirData& N(int i) const { return *m_nodes[static_cast<size_t>(i)]; }
  int Count() const { return static_cast<int>(m_nodes.size()); }
  bool ShowingPane() const { return m_pane != nullptr && m_built; }

  int InsertNewNode(int parent, int at, TreeItem after, const QString& title, const QString& link,
                    const QString& body, qint32 flags, qint32 mark, const QString& idText);
  // Rewrites paths from `from` up to `to` so each node sits under the
  // nearest preceding node one level up, never above minLevel. Returns how
  // many it rewrote; -1 once the growth of the paths would pass the budget.
  int Normalize(int from, int to, int minLevel, ReadBudget* budget = nullptr);
  // Pane mirroring. An item mask tells, for each node of a range from its
  // first, whether the node gets an item; a node left out takes its branch
  // along.
  using ItemMask = std::vector<bool>;
  TreeItem InsertItems(int first, int end, TreeItem parentItem, TreeItem after,
                       const ItemMask* mask = nullptr);
  void ForgetItems(int first, int end);
  ItemMask CheckFilterMask() const;
  ItemMask ItemsHeld(int first, int end) const;
  // The item of the nearest previous sibling of i that has one, or kFirst.
  TreeItem ItemBefore(int i) const;
  // Gives node i an item, and its ancestors first, when it has none.
  void EnsureItem(int i);
  void RefreshImage(int i);
  bool RefreshImageChecked(int i);
  void RefreshChaptersIfShown(int branch);
  void SetBranchFlag(int i, qint32 bit, bool on);
  // The outline file reader behind Load.
  bool LoadOutline(const QString& path);
  // The file's bytes, at most the size System/MaxFileMB allows; without
  // them the report holds cannotOpen and why.
  std::optional<QByteArray> ReadInput(const QString& path, FileReport::Error cannotOpen);
  // Decodes a file's bytes and notes in the report what could not be read.
  QString DecodeLoaded(const QByteArray& bytes);
  // FinishLoading within the reader's budget; notes in the report the nodes
  // re-placed, or TooLarge.
  bool FinishLoadingWithin(const QString& path, ReadBudget& budget);
  // Gives a save's report the bytes its U+FFFD came from (see FileReport).
  void NoteLoadedBytes();
  // Writes text through WriteEncodedFile and notes in the report what went
  // wrong; cannotWrite names a failed write.
  bool WriteEncoded(const QString& path, const TextWriter& write, SaveLoss loss,
                    FileReport::Error cannotWrite);
  void ReadIdAndTimes(CDirData& node, const QString& text) const;
  void AppendBranchRecords(QString& out, int first, qsizetype relativeFrom, bool withTimes) const;
  // Inserts the records of a branch text at `at` under parent; the pane
  // items of the top records go after `position` under the parent's item.
  int InsertRecords(int parent, int at, TreeItem position, const QString& text);

  SettingsStore& m_settingsStore;
  const Clock& m_clock;
  TreeControl* m_pane = nullptr;

  std::vector<std::unique_ptr<CDirData>> m_nodes;
  bool m_built = false;
  CDocSettings m_settings;
  CChapterStyles m_styles;
  CCategoryList m_categories;
  int m_checkFilter = kCheckFilterAll;
  int m_lastInsert = -1;
  bool m_numberStruck = false;
  int m_timeDisplay = kTimeDisplayNone;
  bool m_showChapters = false;
  int m_spare = 0;
  FileReport m_report;
  // The byte sequences the last Load read as U+FFFD, kept for the reports of
  // later saves until the next Load or Clear.
  QList<QByteArray> m_loadedUndecodable;
  TextFileRenderer m_textRenderer;
};

}  // namespace qm
