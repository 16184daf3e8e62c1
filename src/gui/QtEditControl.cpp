// QtEditControl: EditControl calls turned into QPlainTextEdit calls, with
// every position translated between CR LF units and document positions.
#include "gui/QtEditControl.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <functional>
#include <utility>

namespace qm {
namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kParagraphSeparator = 0x2029;  // how the document's raw text ends a paragraph

// What the document would turn into paragraph breaks, and what stands in
// for each of them inside the document. Qt reserves U+FDD0 and U+FDD1 for
// frame boundaries, so the stand-ins start further up the noncharacter block.
constexpr char16_t kPlain[] = {kCr, kLf, kParagraphSeparator, 0xFDD0, 0xFDD1};
constexpr char16_t kStandIn[] = {0xFDE0, 0xFDE1, 0xFDE2, 0xFDE3, 0xFDE4};

char16_t ToStandIn(char16_t c) {
  if (c > kCr && c < kParagraphSeparator) return c;  // most text, at one comparison
  for (size_t i = 0; i < std::size(kPlain); ++i) {
    if (c == kPlain[i]) return kStandIn[i];
  }
  return c;
}

char16_t FromStandIn(char16_t c) {
  // The stand-ins are contiguous; one comparison keeps ordinary text fast.
  if (c < kStandIn[0] || c > kStandIn[std::size(kStandIn) - 1]) return c;
  return kPlain[c - kStandIn[0]];
}

// QPlainTextEdit keeps the first visible block, and QAbstractScrollArea the
// viewport margins, behind protected members. A pointer to member taken in
// a derived class reaches them on any instance without a subclass of the
// widget, which the adapter does not own.
struct ProtectedAccess : QPlainTextEdit {
  static QTextBlock FirstVisibleBlock(const QPlainTextEdit& widget) {
    return (widget.*&ProtectedAccess::firstVisibleBlock)();
  }
  static void SetViewportMargins(QPlainTextEdit& widget, const QMargins& margins) {
    void (QAbstractScrollArea::*set)(const QMargins&) = &ProtectedAccess::setViewportMargins;
    (widget.*set)(margins);
  }
};

}  // namespace

// Keeps the tab stop in step with the font and turns Shift+Enter into a
// line break (see the header).
class QtEditControl::EventFilter : public QObject {
 public:
  explicit EventFilter(QtEditControl& owner) : m_owner(owner) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &m_owner.m_widget) return false;
    if (event->type() == QEvent::FontChange) {
      m_owner.ApplyTabStop();
    } else if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->matches(QKeySequence::InsertLineSeparator) && !m_owner.m_widget.isReadOnly()) {
        m_owner.BreakLine();
        return true;
      }
    }
    return false;
  }

 private:
  QtEditControl& m_owner;
};

QtEditControl::QtEditControl(QPlainTextEdit& widget)
    : m_widget(widget), m_filter(std::make_unique<EventFilter>(*this)) {
  m_widget.installEventFilter(m_filter.get());
  // The margins set through SetMargins lie outside the viewport; painting
  // them with the text background makes them look like part of the page.
  m_widget.setBackgroundRole(QPalette::Base);
  m_widget.setAutoFillBackground(true);
  // The margin is kept in the root frame's format, so setting it is an edit
  // to the document: neither its flag nor its undo history may show it.
  QTextDocument* doc = m_widget.document();
  const bool modified = doc->isModified();
  const bool couldUndo = doc->isUndoAvailable();
  doc->setDocumentMargin(0);
  if (!couldUndo) doc->clearUndoRedoStacks();
  doc->setModified(modified);
  ApplyTabStop();
  // The user's own deletions can bring a lone CR up to a lone LF. Only new
  // edits are looked at: undoing a join must not be joined again, or undo
  // could never get past it.
  QObject::connect(doc, &QTextDocument::undoCommandAdded, m_filter.get(),
                   [this] { m_editAdded = true; });
  QObject::connect(doc, &QTextDocument::contentsChange, m_filter.get(),
                   [this](int position, int /*removed*/, int added) {
                     QueueBreakJoin(position);
                     QueueBreakJoin(position + added);
                   });
}

QtEditControl::~QtEditControl() { m_widget.removeEventFilter(m_filter.get()); }

// ---- Text conversion ----

QString QtEditControl::ToDocumentText(const QString& text) {
  const qsizetype size = text.size();
  QString out(size, Qt::Uninitialized);
  const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
  char16_t* to = reinterpret_cast<char16_t*>(out.data());
  qsizetype length = 0;
  for (qsizetype i = 0; i < size; ++i) {
    if (in[i] == kCr && i + 1 < size && in[i + 1] == kLf) {
      to[length++] = kLf;  // the document's own paragraph break
      ++i;
    } else {
      to[length++] = ToStandIn(in[i]);
    }
  }
  out.truncate(length);
  return out;
}

QString QtEditControl::FromDocumentText(const QString& text) {
  const qsizetype breaks = text.count(QChar(kParagraphSeparator));
  const qsizetype size = text.size();
  QString out(size + breaks, Qt::Uninitialized);
  const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
  char16_t* to = reinterpret_cast<char16_t*>(out.data());
  for (qsizetype i = 0; i < size; ++i) {
    if (in[i] == kParagraphSeparator) {
      *to++ = kCr;
      *to++ = kLf;
    } else {
      *to++ = FromStandIn(in[i]);
    }
  }
  return out;
}

// ---- Position mapping ----

QTextBlock QtEditControl::BlockOfPortPosition(int position) const {
  // The last block whose first character lies at or before position: block
  // n starts at port position block.position() + n, which grows with n.
  const QTextDocument* doc = m_widget.document();
  int low = 0;
  int high = doc->blockCount() - 1;
  while (low < high) {
    const int middle = low + (high - low + 1) / 2;
    if (doc->findBlockByNumber(middle).position() + middle <= position) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return doc->findBlockByNumber(low);
}

int QtEditControl::ToWidgetPosition(int position) const {
  const QTextBlock block = BlockOfPortPosition(std::max(0, position));
  const int start = block.position();
  const int end = start + block.length() - 1;  // before the paragraph break
  return std::clamp(std::max(0, position) - block.blockNumber(), start, end);
}

int QtEditControl::ToPortPosition(int widgetPosition) const {
  const QTextDocument* doc = m_widget.document();
  const int last = doc->characterCount() - 1;  // the end of the text
  const int at = std::clamp(widgetPosition, 0, std::max(0, last));
  return at + std::max(0, doc->findBlock(at).blockNumber());
}

// ---- Text ----

QString QtEditControl::Text() const { return FromDocumentText(m_widget.document()->toRawText()); }

void QtEditControl::SetText(const QString& text) {
  QTextDocument* doc = m_widget.document();
  const bool modified = doc->isModified();
  m_widget.setPlainText(ToDocumentText(text));
  // Undoing must never bring back the text of the node shown before.
  doc->clearUndoRedoStacks();
  QTextCursor cursor(doc);
  m_widget.setTextCursor(cursor);
  doc->setModified(modified);
}

// ---- Selection and caret ----

int QtEditControl::SelectionStart() const {
  return ToPortPosition(m_widget.textCursor().selectionStart());
}

int QtEditControl::SelectionEnd() const {
  return ToPortPosition(m_widget.textCursor().selectionEnd());
}

void QtEditControl::SetSelection(int start, int end) {
  QTextCursor cursor(m_widget.document());
  cursor.setPosition(ToWidgetPosition(start));
  cursor.setPosition(ToWidgetPosition(end), QTextCursor::KeepAnchor);
  m_widget.setTextCursor(cursor);
}

void QtEditControl::ReplaceSelection(const QString& text) {
  QTextDocument* doc = m_widget.document();
  const bool modified = doc->isModified();
  const int portStart = SelectionStart();
  QTextCursor cursor = m_widget.textCursor();
  cursor.beginEditBlock();  // one undo step, however many lines
  if (cursor.hasSelection()) cursor.removeSelectedText();
  const int start = cursor.position();
  cursor.insertText(ToDocumentText(text));
  const int end = cursor.position();
  // A lone CR just before a lone LF is a break; the new text may have
  // brought one to the other at either edge. Joining keeps port positions.
  const bool joinedAtEnd = JoinSplitBreak(end);
  if (end != start) JoinSplitBreak(start);
  cursor.endEditBlock();
  // The caret goes after the new text; should that end between the CR and
  // the LF of a break, it goes after the break.
  const int caret = portStart + static_cast<int>(text.size()) + (joinedAtEnd ? 1 : 0);
  SetSelection(caret, caret);
  doc->setModified(modified);
}

// ---- A lone CR meeting a lone LF ----

bool QtEditControl::JoinSplitBreak(int widgetPosition) {
  QTextDocument* doc = m_widget.document();
  if (widgetPosition <= 0 || widgetPosition >= doc->characterCount() - 1) return false;
  if (doc->characterAt(widgetPosition - 1) != QChar(ToStandIn(kCr)) ||
      doc->characterAt(widgetPosition) != QChar(ToStandIn(kLf))) {
    return false;
  }
  QTextCursor cursor(doc);
  cursor.setPosition(widgetPosition - 1);
  cursor.setPosition(widgetPosition + 1, QTextCursor::KeepAnchor);
  cursor.insertText(QString(QChar(kLf)));
  return true;
}

void QtEditControl::QueueBreakJoin(int widgetPosition) {
  m_pendingJoins.push_back(widgetPosition);
  if (m_joinQueued) return;
  m_joinQueued = true;
  // Not from inside the change notification: the document is still
  // finishing that change. The filter's lifetime bounds the queued call.
  QMetaObject::invokeMethod(
      m_filter.get(), [this] { JoinUserSplitBreaks(); }, Qt::QueuedConnection);
}

void QtEditControl::JoinUserSplitBreaks() {
  m_joinQueued = false;
  std::vector<int> positions;
  positions.swap(m_pendingJoins);
  if (!std::exchange(m_editAdded, false)) return;  // an undo or redo
  // From the end, so that each join leaves the positions before it valid.
  std::sort(positions.begin(), positions.end(), std::greater<>());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  QTextDocument* doc = m_widget.document();
  const QChar cr(ToStandIn(kCr));
  const QChar lf(ToStandIn(kLf));
  const auto splits = [&](int p) {
    return p > 0 && p < doc->characterCount() - 1 && doc->characterAt(p - 1) == cr &&
           doc->characterAt(p) == lf;
  };
  if (std::none_of(positions.begin(), positions.end(), splits)) return;
  // Its own undo step: Qt cannot add it to the user's finished one.
  const bool modified = doc->isModified();
  QTextCursor group(doc);
  group.beginEditBlock();
  for (const int position : positions) JoinSplitBreak(position);
  group.endEditBlock();
  m_editAdded = false;  // the join itself is no edit of the user's
  doc->setModified(modified);
}

// ---- Lines ----

int QtEditControl::LineCount() const { return m_widget.document()->blockCount(); }

QString QtEditControl::LineText(int line) const {
  return FromDocumentText(m_widget.document()->findBlockByNumber(line).text());
}

int QtEditControl::LineStart(int line) const {
  const QTextBlock block = m_widget.document()->findBlockByNumber(line);
  return block.isValid() ? block.position() + line : 0;
}

int QtEditControl::LineFromPosition(int position) const {
  return BlockOfPortPosition(position).blockNumber();
}

// ---- Scrolling ----

int QtEditControl::FirstVisibleLine() const {
  return std::max(0, ProtectedAccess::FirstVisibleBlock(m_widget).blockNumber());
}

void QtEditControl::ScrollCaretIntoView() { m_widget.ensureCursorVisible(); }

void QtEditControl::SetFirstVisibleLine(int line) {
  // The scroll bar counts the rows that wrapping shows, not the blocks.
  const QTextDocument& document = *m_widget.document();
  const QTextBlock block =
      document.findBlockByNumber(std::clamp(line, 0, document.blockCount() - 1));
  m_widget.verticalScrollBar()->setValue(block.firstLineNumber());
}

// ---- Clipboard ----

void QtEditControl::Cut() { m_widget.cut(); }
void QtEditControl::Copy() { m_widget.copy(); }
void QtEditControl::Paste() { m_widget.paste(); }
void QtEditControl::SelectAll() { m_widget.selectAll(); }

// ---- Modified flag and undo ----

bool QtEditControl::IsModified() const { return m_widget.document()->isModified(); }

void QtEditControl::SetModified(bool modified) { m_widget.document()->setModified(modified); }

bool QtEditControl::CanUndo() const { return m_widget.document()->isUndoAvailable(); }

void QtEditControl::Undo() {
  // The document would compare the undo state with the last saved one; the
  // pane keeps the flag itself.
  QTextDocument* doc = m_widget.document();
  const bool modified = doc->isModified();
  m_widget.undo();
  doc->setModified(modified);
}

// ---- Layout ----

void QtEditControl::SetMargins(int left, int right) {
  ProtectedAccess::SetViewportMargins(m_widget,
                                      QMargins(std::max(0, left), 0, std::max(0, right), 0));
}

void QtEditControl::SetTabStop(int characters) {
  m_tabStop = std::max(1, characters);
  ApplyTabStop();
}

void QtEditControl::SetWrap(bool on) {
  m_widget.setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  m_widget.setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

// ---- Input ----

void QtEditControl::SetInputMethodOpen(bool open) {
  m_widget.setInputMethodHints(open ? m_widget.inputMethodHints() & ~Qt::ImhPreferLatin
                                    : m_widget.inputMethodHints() | Qt::ImhPreferLatin);
  if (m_widget.hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImHints);
}

// ---- Helpers ----

void QtEditControl::ApplyTabStop() {
  m_widget.setTabStopDistance(QFontMetricsF(m_widget.font()).averageCharWidth() * m_tabStop);
}

void QtEditControl::BreakLine() {
  QTextCursor cursor = m_widget.textCursor();
  cursor.insertText(QString(QChar(kLf)));
  m_widget.setTextCursor(cursor);
  m_widget.ensureCursorVisible();
}

}  // namespace qm
