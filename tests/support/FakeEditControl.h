// FakeEditControl: an edit control that keeps its text in memory and
// reports every text change, as the window's editor does.
//
// Lines break at CR LF only. Ten lines fit in the pane: scrolling the caret
// into view moves the first visible line just far enough. Typing (Type)
// stands for the user: it replaces the selection and raises the modified
// flag; the calls of the port itself leave that flag alone.
#pragma once

#include <QString>
#include <algorithm>
#include <functional>
#include <vector>

#include "platform/EditControl.h"

namespace qm::test {

class FakeEditControl : public EditControl {
 public:
  static constexpr int kVisibleLines = 10;
  static constexpr QStringView kBreak = u"\r\n";

  QString Text() const override { return m_text; }
  void SetText(const QString& text) override {
    m_text = text;
    m_start = m_end = 0;
    m_undo.clear();
    Changed();
  }

  int SelectionStart() const override { return m_start; }
  int SelectionEnd() const override { return m_end; }
  void SetSelection(int start, int end) override {
    m_start = start;
    m_end = end;
  }
  void ReplaceSelection(const QString& text) override {
    m_undo.push_back({m_text, m_start, m_end});
    m_text.replace(m_start, m_end - m_start, text);
    m_start = m_end = m_start + static_cast<int>(text.size());
    Changed();
  }

  int LineCount() const override { return static_cast<int>(m_text.count(kBreak)) + 1; }
  QString LineText(int line) const override {
    const int start = LineStart(line);
    const qsizetype end = m_text.indexOf(kBreak, start);
    return m_text.mid(start, end < 0 ? -1 : end - start);
  }
  int LineStart(int line) const override {
    qsizetype at = 0;
    for (int i = 0; i < line; ++i) at = m_text.indexOf(kBreak, at) + kBreak.size();
    return static_cast<int>(at);
  }
  int LineFromPosition(int position) const override {
    // A position between CR and LF still belongs to the line the CR ends.
    return static_cast<int>(QStringView(m_text).left(position).count(kBreak));
  }

  int FirstVisibleLine() const override { return m_firstVisible; }
  void ScrollCaretIntoView() override {
    const int line = LineFromPosition(m_end);
    if (line < m_firstVisible) m_firstVisible = line;
    if (line >= m_firstVisible + kVisibleLines) m_firstVisible = line - kVisibleLines + 1;
  }
  void SetFirstVisibleLine(int line) override {
    m_firstVisible = std::clamp(line, 0, LineCount() - 1);
  }

  // The clipboard is the public member below.
  void Cut() override {
    Copy();
    ReplaceSelection(QString());
  }
  void Copy() override {
    if (HasSelection()) clipboard = m_text.mid(m_start, m_end - m_start);
  }
  void Paste() override { ReplaceSelection(clipboard); }
  void SelectAll() override {
    m_start = 0;
    m_end = static_cast<int>(m_text.size());
  }

  bool IsModified() const override { return m_modified; }
  void SetModified(bool modified) override { m_modified = modified; }
  bool CanUndo() const override { return !m_undo.empty(); }
  void Undo() override {
    if (m_undo.empty()) return;
    const Step step = m_undo.back();
    m_undo.pop_back();
    m_text = step.text;
    m_start = step.start;
    m_end = step.end;
    Changed();
  }

  void SetMargins(int left, int right) override {
    m_leftMargin = left;
    m_rightMargin = right;
  }
  void SetTabStop(int characters) override { m_tabStop = characters; }
  void SetWrap(bool on) override { m_wrap = on; }
  void SetInputMethodOpen(bool open) override { m_inputMethodOpen = open; }

  // ---- For tests ----

  // Called after every change of the text, like the editor's notification.
  std::function<void()> onTextChanged;
  // What Cut and Copy put aside and Paste inserts.
  QString clipboard;

  // The user types text over the selection.
  void Type(const QString& text) {
    ReplaceSelection(text);
    m_modified = true;
  }
  void MoveCaret(int position) { m_start = m_end = position; }
  // The caret to column 0 of line.
  void MoveToLine(int line) { MoveCaret(LineStart(line)); }
  int LeftMargin() const { return m_leftMargin; }
  int RightMargin() const { return m_rightMargin; }
  int TabStop() const { return m_tabStop; }
  bool Wraps() const { return m_wrap; }
  bool InputMethodOpen() const { return m_inputMethodOpen; }

 private:
  struct Step {
    QString text;
    int start;
    int end;
  };

  void Changed() {
    if (onTextChanged) onTextChanged();
  }

  QString m_text;
  int m_start = 0;
  int m_end = 0;
  int m_firstVisible = 0;
  bool m_modified = false;
  std::vector<Step> m_undo;
  int m_leftMargin = 0;
  int m_rightMargin = 0;
  int m_tabStop = 0;
  bool m_wrap = false;
  bool m_inputMethodOpen = false;
};

}  // namespace qm::test
