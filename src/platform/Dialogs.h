// Dialogs: the program's dialog boxes as behaviour code sees them.
//
// One method per dialog. Each takes a plain request struct and returns the
// user's answer; an empty std::optional means the user cancelled, and a
// cancelled dialog has changed nothing. Implementations: the Qt dialogs in
// the window, a scripted fake in tests. Callers hold a reference; the
// implementation must outlive them. Not thread-safe: the user-interface
// thread owns it.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "platform/TextFormat.h"

namespace qm {

// Which of the two save dialogs the user prefers ("System"/"PPCSaveDlg").
enum class SaveDialogKind {
  FileBrowser,  // the program's own file browser
  Standard,     // the desktop's standard save dialog
};

struct SaveFileRequest {
  SaveDialogKind kind = SaveDialogKind::FileBrowser;
  QString title;
  QString proposedName;      // file name only, no folder; may be empty
  QString defaultExtension;  // without the dot, added when the user types none
  // Pairs of "label |pattern|" ending with "|", e.g. "Text (*.txt) |*.txt||".
  QString filters;
  QString initialFolder;  // empty: the dialog's own choice
};

struct OpenFileRequest {
  QString title;
  QString initialName;       // the name field's first text, e.g. a pattern "*.TXT"; may be empty
  QString defaultExtension;  // without the dot, added when the user types none
  // Pairs of "label |pattern|" ending with "|", as in SaveFileRequest.
  QString filters;
  QString initialFolder;  // empty: the dialog's own choice
};

// What the document open dialog answers: the file and the filter the user
// left chosen (0-based; the open commands remember it, and the memo filter
// opens the file as a memo file).
struct OpenDocumentAnswer {
  QString path;
  int filterIndex = 0;
};

class LinkFileActions;
struct LinkFileNameRequest;
struct NewLinkFileRequest;
struct NewLinkFileAnswer;

// The node edit dialog serves both adding and editing a node. titleOutput:
// 0 chapter characters and title, 1 title only, 2 no title. category: 0 for
// none, else the 1-based position in the document's list.
struct NodeEditRequest {
  QString title;
  QString link;
  int titleOutput = 0;
  int category = 0;
  QStringList categories;  // the list's items: "none" first, then the document's names
  QString updated;         // "YYYY/MM/DD hh:mm" local time; empty when adding
  bool wide = true;        // the layout for a screen wider than high
  // What the link-file buttons do; null leaves them disabled.
  LinkFileActions* linkActions = nullptr;
};

struct NodeEditResult {
  QString title;  // never empty: the dialog refuses OK without one
  QString link;
  int titleOutput = 0;
  int category = 0;
  // The user pressed the link's open button on a link that can only be
  // followed once the dialog is closed (a node link).
  bool followLink = false;
};

// ---- Search ----

// The search dialog: a word box that offers the recent words, and where to look.
struct SearchRequest {
  QString caption;          // the dialog's title
  QString word;             // the word box's first text
  QStringList recentWords;  // newest first
  bool caseSensitive = false;
  bool inTitles = true;
  bool inBodies = true;
  bool inLinks = false;
};

struct SearchAnswer {
  QString word;  // never empty: the dialog does not start without one
  bool caseSensitive = false;
  bool inTitles = true;
  bool inBodies = true;
  bool inLinks = false;
};

// The list of matching nodes: one label per match, in the order given.
struct SearchListRequest {
  QStringList entries;
};

// Branch clipboard. Paste levels: 0 below the selected node (as its last
// children), 1 on its level (after its branch).
struct PastePlaceRequest {
  int level = 0;  // the proposal
};

struct PastePlaceAnswer {
  int level = 0;
  bool dontAskAgain = false;  // "do not show this dialog again" ticked
};

// How plain text becomes nodes: 0 one node per line; 1 the first line is
// the title and the rest the body; 2 the first line is the title and the
// whole text the body; 3 all lines joined into one node.
struct TextPasteRequest {
  int mode = 0;  // the proposal
};

struct TextPasteAnswer {
  int mode = 0;
};

// Split: the title proposed for the new node and the split options.
struct SplitRequest {
  QString title;
  bool dropFirstLine = false;  // the split-off text loses its first line
  bool moveCaret = false;      // the new node is selected afterwards
  bool sameLevel = false;      // the new node follows on the same level
};

struct SplitAnswer {
  QString title;  // never empty: the dialog refuses OK without one
  bool dropFirstLine = false;
  bool moveCaret = false;
  bool sameLevel = false;
  bool dontAskAgain = false;  // "do not show this dialog when splitting" ticked
};

// ---- Timestamps and categories ----

// One row of the latest-updated list: a node's updated time as shown beside
// titles, its title without chapter or category text, and its body.
struct LatestUpdatedRow {
  QString time;
  QString title;
  QString body;
};

struct LatestUpdatedRequest {
  std::vector<LatestUpdatedRow> rows;  // newest first; never empty
};

// A category as the category edit dialog shows and returns it.
struct CategoryEntryText {
  QString name;
  QString memo;
};

// The category dialog's hold on the list it edits. The list is edited in
// place: every button acts through one call at once, and the dialog shows
// Names() and Selected() again afterwards. Close is called exactly once, as
// the dialog goes, whether by its close button or by cancelling.
class CategoryListSession {
 public:
  virtual ~CategoryListSession() = default;
  CategoryListSession(const CategoryListSession&) = delete;
  CategoryListSession& operator=(const CategoryListSession&) = delete;

  virtual QStringList Names() const = 0;
  // The selected row, or -1 for none.
  virtual int Selected() const = 0;
  // A row outside the list selects none.
  virtual void Select(int row) = 0;
  virtual void Add() = 0;
  // Edit, Delete, MoveUp and MoveDown act on the selected row and do
  // nothing without one or when the move is impossible.
  virtual void Edit() = 0;
  virtual void Delete() = 0;
  virtual void MoveUp() = 0;
  virtual void MoveDown() = 0;
  // The texts written before and after a category name.
  virtual QString Before() const = 0;
  virtual QString After() const = 0;
  virtual void Close(const QString& before, const QString& after) = 0;

 protected:
  CategoryListSession() = default;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  Dialogs(const Dialogs&) = delete;
  Dialogs& operator=(const Dialogs&) = delete;

  // Asks for the name of a file to save to. On OK returns the full path,
  // in an existing folder, after the user agreed to replace an existing
  // file. On cancel returns nothing.
  virtual std::optional<QString> ChooseSaveFileName(const SaveFileRequest& request) = 0;
  // Asks for an existing file to read, never offering to open it read-only.
  // On OK returns the full path; on cancel returns nothing.
  virtual std::optional<QString> ChooseOpenFileName(const OpenFileRequest& request) = 0;

  // The open command's dialog: as ChooseOpenFileName, starting on the
  // filter filterIndex (0-based), and telling which filter was chosen.
  virtual std::optional<OpenDocumentAnswer> ChooseDocumentToOpen(const OpenFileRequest& request,
                                                                 int filterIndex) = 0;

  // The node edit dialog. OK with an empty title tells the user so and keeps
  // the dialog open (ValidateNodeEdit decides). On OK returns what the user
  // set; on cancel returns nothing.
  virtual std::optional<NodeEditResult> EditNode(const NodeEditRequest& request) = 0;

  // ---- Search ----

  // The search dialog. On start returns the word and the boxes as the user
  // left them; on cancel returns nothing.
  virtual std::optional<SearchAnswer> AskSearch(const SearchRequest& request) = 0;
  // The search results. On jump returns the position of the chosen entry in
  // request.entries; on close returns nothing.
  virtual std::optional<int> ShowSearchList(const SearchListRequest& request) = 0;
  // ---- Link files ----

  // "No link file is set": asks for the name to link, proposing one, with a
  // browse button (request.actions). On OK returns the name as typed.
  virtual std::optional<QString> AskLinkFileName(const LinkFileNameRequest& request) = 0;
  // "New link file": the file to create and, for a text file (any name not
  // ending in ".qmp"), whether to write the title and the body into it.
  virtual std::optional<NewLinkFileAnswer> AskNewLinkFile(const NewLinkFileRequest& request) = 0;
  // Branch clipboard: where to paste (below or on the same level), and how
  // to turn plain text into nodes. On OK returns the choice; on cancel
  // returns nothing.
  virtual std::optional<PastePlaceAnswer> ChoosePastePlace(const PastePlaceRequest& request) = 0;
  virtual std::optional<TextPasteAnswer> ChooseTextPasteMode(const TextPasteRequest& request) = 0;

  // Split: the new node's title and the split options. OK with an empty
  // title tells the user so and keeps the dialog open (ValidateSplit
  // decides). On OK returns what the user set; on cancel returns nothing.
  virtual std::optional<SplitAnswer> SplitNode(const SplitRequest& request) = 0;
  // ---- Timestamps and categories ----

  // The latest-updated list. On jump returns the chosen row; on close
  // returns nothing.
  virtual std::optional<int> ChooseLatestUpdated(const LatestUpdatedRequest& request) = 0;
  // The category dialog, working on session until it closes.
  virtual void EditCategories(CategoryListSession& session) = 0;
  // The category edit dialog, empty for a new category. On OK returns the
  // texts as typed; on cancel returns nothing.
  virtual std::optional<CategoryEntryText> EditCategoryEntry(const CategoryEntryText& request) = 0;
  // Text output: the output format dialog ("出力形式"), showing every
  // option of `current`. On OK returns all of them as the user left them.
  virtual std::optional<TextFormat> EditTextFormat(const TextFormat& current) = 0;

 protected:
  Dialogs() = default;
};

// ---- Link files ----

// What the node edit dialog's link-file buttons do. The dialog passes the
// link name its field holds now (and the title for New) and puts what comes
// back into the field. Implemented by the link-file behaviour, which talks to
// the user itself; it must outlive the dialog.
class LinkFileActions {
 public:
  enum class OpenOutcome {
    StayOpen,       // nothing was opened (the user has been told why)
    Close,          // the file was launched: the dialog closes with OK
    CloseAndFollow  // a node link: the dialog closes with OK, the link is followed after
  };

  virtual ~LinkFileActions() = default;
  LinkFileActions(const LinkFileActions&) = delete;
  LinkFileActions& operator=(const LinkFileActions&) = delete;

  virtual OpenOutcome OpenLink(const QString& name) = 0;
  // Creates a new file named after title. Returns the name the field takes,
  // or nothing when no file was made.
  virtual std::optional<QString> NewLink(const QString& title) = 0;
  // True when the field should be emptied (the file itself stays).
  virtual bool RemoveLink(const QString& name) = 0;
  // A file chosen in a file dialog, or nothing on cancel.
  virtual std::optional<QString> BrowseLink(const QString& name) = 0;

 protected:
  LinkFileActions() = default;
};

struct LinkFileNameRequest {
  QString proposedName;
  LinkFileActions* actions = nullptr;  // for the browse button; may be null
};

struct NewLinkFileRequest {
  QString fileName;
  bool writeTitle = true;  // proposals for a text file
  bool writeBody = false;
};

struct NewLinkFileAnswer {
  QString fileName;  // as the user left it; may differ from the request's
  bool writeTitle = true;
  bool writeBody = false;
};

}  // namespace qm
