// QtEditControl: the body pane's edit control port on a QPlainTextEdit.
//
// The port counts a line break as the two units CR LF; the widget's document
// keeps one paragraph per line and counts the break between two paragraphs
// as one position. A port position is therefore the document position plus
// the number of the paragraph that holds it, and both directions are worked
// out from the document's block index, never by rebuilding the text, so
// bodies of several megabytes stay quick to address.
//
// Characters the document cannot hold as ordinary characters (a CR or LF
// standing alone, the paragraph separator U+2029 and the two characters the
// document reserves for frames) are kept in it as Unicode noncharacters from
// U+FDE0 on and turned back on the way out, one unit for one unit, so every
// position still agrees. Noncharacters never occur in exchanged text, which
// is why they can stand in; one typed or pasted into the editor would come
// out as what it stands for. A lone CR that comes to stand right before a
// lone LF, by ReplaceSelection or by the user deleting what lay between,
// makes a line break with it, as it reads in the port's text. The port's
// calls join them at once, within their own undo step. After the user's
// edits the join follows as soon as the event loop runs, as an undo step of
// its own; undoing it leaves the two characters apart (the text still reads
// CR LF, the lines do not count it) until the next undo takes back the edit.
//
// The port's own calls (Undo too) leave the modified flag alone; the user's
// typing raises it. Shift+Enter breaks the line like Enter instead of
// inserting the widget's in-paragraph line separator, which the stored text
// could not tell from an ordinary character. Qt cannot switch an input
// method's conversion on or off, so SetInputMethodOpen asks for it through
// the widget's input hints (closed: prefer Latin input); the input method
// stays usable either way, and the user can still switch it by hand.
//
// The widget must outlive this object. The adapter installs an event filter
// on it, fills its margins with the text background and sets its document
// margin to zero so that SetMargins alone decides the blank space.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QTextBlock>
#include <memory>
#include <vector>

#include "platform/EditControl.h"

namespace qm {

class QtEditControl : public EditControl {
 public:
  explicit QtEditControl(QPlainTextEdit& widget);
  ~QtEditControl() override;

  QString Text() const override;
  void SetText(const QString& text) override;

  int SelectionStart() const override;
  int SelectionEnd() const override;
  void SetSelection(int start, int end) override;
  void ReplaceSelection(const QString& text) override;

  int LineCount() const override;
  QString LineText(int line) const override;
  int LineStart(int line) const override;
  int LineFromPosition(int position) const override;

  int FirstVisibleLine() const override;
  void ScrollCaretIntoView() override;
  void SetFirstVisibleLine(int line) override;

  void Cut() override;
  void Copy() override;
  void Paste() override;
  void SelectAll() override;

  bool IsModified() const override;
  void SetModified(bool modified) override;
  bool CanUndo() const override;
  void Undo() override;

  void SetMargins(int left, int right) override;
  void SetTabStop(int characters) override;
  void SetWrap(bool on) override;

  void SetInputMethodOpen(bool open) override;

  // The widget's position for a port position. A position between the CR
  // and the LF of a break maps to the end of the line the CR ends.
  int ToWidgetPosition(int position) const;
  // The port position for a widget position.
  int ToPortPosition(int widgetPosition) const;

  // The conversions between the port's text and the text the document holds.
  static QString ToDocumentText(const QString& text);
  static QString FromDocumentText(const QString& text);

 private:
  class EventFilter;

  QTextBlock BlockOfPortPosition(int position) const;
  // Turns the stand-ins of a lone CR before widgetPosition and a lone LF at
  // it into one break; returns whether there were such.
  bool JoinSplitBreak(int widgetPosition);
  void QueueBreakJoin(int widgetPosition);
  void JoinUserSplitBreaks();
  void ApplyTabStop();
  void BreakLine();

  QPlainTextEdit& m_widget;
  std::unique_ptr<EventFilter> m_filter;
  int m_tabStop = 8;
  std::vector<int> m_pendingJoins;
  bool m_joinQueued = false;
  bool m_editAdded = false;
};

}  // namespace qm
