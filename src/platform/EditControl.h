// EditControl: the body pane's multi-line text editor as its behaviour sees it.
//
// The text is one QString whose line breaks are CR LF; every position and
// length counts UTF-16 units of that string, a line break counting two, so
// the positions agree with the caret position the outline file stores. A
// CR or LF standing alone is an ordinary character, not a break. Lines are
// the text's own lines between breaks, never the rows that wrapping shows:
// what the user reads as the first line must not depend on the pane's
// width. There is no length limit.
//
// Every change of the text, by the user or through this interface, is
// reported by the widget to its pane (the pane decides which changes count
// as edits). Implementations: the Qt plain-text editor in the window, a
// recording fake in tests. Callers hold a reference; the control must
// outlive them. Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>

namespace qm {

class EditControl {
 public:
  virtual ~EditControl() = default;
  EditControl(const EditControl&) = delete;
  EditControl& operator=(const EditControl&) = delete;

  // ---- Text ----

  virtual QString Text() const = 0;
  // Replaces the whole text, puts the caret at the start and forgets the
  // undo history (undoing must never bring back another node's text).
  virtual void SetText(const QString& text) = 0;

  // ---- Selection and caret ----

  // REQUIRES for the setters: 0 <= start <= end <= Text().size().
  virtual int SelectionStart() const = 0;
  virtual int SelectionEnd() const = 0;
  // Selects [start, end) with the caret at end.
  virtual void SetSelection(int start, int end) = 0;
  // Replaces the selection by text (an empty selection: inserts at the
  // caret) as one undoable step; the caret ends after the new text.
  virtual void ReplaceSelection(const QString& text) = 0;

  // ---- Lines ----

  // At least 1: an empty text has one empty line.
  virtual int LineCount() const = 0;
  // The line's text without its break. REQUIRES: 0 <= line < LineCount().
  virtual QString LineText(int line) const = 0;
  // The position of the line's first character. REQUIRES as LineText.
  virtual int LineStart(int line) const = 0;
  // The line that holds position. REQUIRES: 0 <= position <= Text().size().
  virtual int LineFromPosition(int position) const = 0;

  // ---- Scrolling ----

  virtual int FirstVisibleLine() const = 0;
  virtual void ScrollCaretIntoView() = 0;
  // Scrolls so that line is the first visible one, as far as the text
  // allows; a line past the end counts as the last. Caret and selection stay.
  virtual void SetFirstVisibleLine(int line) = 0;

  // ---- Clipboard ----

  // The editor's own cut, copy and paste through the desktop clipboard, and
  // selecting the whole text.
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
  virtual void SelectAll() = 0;
  bool HasSelection() const { return SelectionStart() != SelectionEnd(); }

  // ---- Modified flag and undo ----

  // The calls of this interface leave the flag alone; the user's edits raise it.
  virtual bool IsModified() const = 0;
  virtual void SetModified(bool modified) = 0;
  virtual bool CanUndo() const = 0;
  virtual void Undo() = 0;

  // ---- Layout ----

  // Blank space, in pixels, between the pane's edges and the text.
  virtual void SetMargins(int left, int right) = 0;
  // One tab stop every `characters` average character widths.
  virtual void SetTabStop(int characters) = 0;
  // On: long lines wrap at the pane's edge and there is no horizontal
  // scrolling. Off: lines run on and the pane scrolls sideways.
  virtual void SetWrap(bool on) = 0;

  // ---- Input ----

  // Switches the input method (the converter for Japanese input) on or off.
  virtual void SetInputMethodOpen(bool open) = 0;

 protected:
  EditControl() = default;
};

}  // namespace qm
