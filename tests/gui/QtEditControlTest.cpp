// The body editor's Qt adapter against the port's own counting: a line
// break is two units, a lone CR or LF is an ordinary character, lines are
// logical lines whatever the wrapping, and the port's calls keep the
// modified flag and the undo history as the body pane expects.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextDocument>

#include "gui/QtEditControl.h"
#include "support/OffscreenApp.h"

namespace qm {
namespace {

const QString kBreak = QStringLiteral("\r\n");

int ExpectedLine(const QString& text, int position) {
  return static_cast<int>(text.left(position).count(kBreak));
}

bool IsBetweenCrAndLf(const QString& text, int position) {
  return position > 0 && position < text.size() && text.at(position - 1) == u'\r' &&
         text.at(position) == u'\n';
}

// Breaks at either end and doubled, lone CRs and LFs beside real breaks,
// and characters the document would take for paragraph ends or frame marks.
const QStringList kTricky = {
    QString(),
    QStringLiteral("\r\n"),
    QStringLiteral("ab\r\n\r\ncd\r\n"),
    QStringLiteral("a\rb\nc"),
    QStringLiteral("\r\r\n\n"),
    QStringLiteral("\n\r"),
    QString::fromUtf16(u"x\u2029y\u2028z\r\n\u00a0\t\U0001F600"),
    QString::fromUtf16(u"\uFDD0\uFDD1\r\n日本語"),
};

class QtEditControlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }

  void Press(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &press);
  }

  QPlainTextEdit widget;
  QtEditControl control{widget};
};

TEST_F(QtEditControlTest, TextAndLinesComeBackUnitForUnit) {
  for (const QString& text : kTricky) {
    control.SetText(text);
    EXPECT_EQ(control.Text(), text);
    const QStringList lines = text.split(kBreak);
    ASSERT_EQ(control.LineCount(), lines.size()) << text.toStdString();
    int start = 0;
    for (int line = 0; line < lines.size(); ++line) {
      EXPECT_EQ(control.LineText(line), lines[line]) << text.toStdString() << " line " << line;
      EXPECT_EQ(control.LineStart(line), start);
      start += static_cast<int>(lines[line].size() + kBreak.size());
    }
  }
}

TEST_F(QtEditControlTest, EveryPositionMapsToItsLineAndBack) {
  for (const QString& text : kTricky) {
    control.SetText(text);
    for (int position = 0; position <= text.size(); ++position) {
      EXPECT_EQ(control.LineFromPosition(position), ExpectedLine(text, position));
      control.SetSelection(position, position);
      // No caret place lies between CR and LF; it stays before the CR.
      const int expected = IsBetweenCrAndLf(text, position) ? position - 1 : position;
      EXPECT_EQ(control.SelectionEnd(), expected) << text.toStdString() << " at " << position;
      EXPECT_EQ(widget.textCursor().position(), expected - ExpectedLine(text, expected));
    }
  }
  control.SetText(QStringLiteral("ab\r\ncd"));
  control.SetSelection(1, 5);
  EXPECT_EQ(control.SelectionStart(), 1);
  EXPECT_EQ(widget.textCursor().position(), 4) << "the caret at the end";
}

TEST_F(QtEditControlTest, ReplaceSelectionMatchesStringReplacement) {
  const QString base = QStringLiteral("ab\r\ncd\r\n\r\ne\rf");
  const QStringList inserts = {QString(), QStringLiteral("1\r\n2"), QStringLiteral("\r"),
                               QStringLiteral("\n")};
  for (int start = 0; start <= base.size(); ++start) {
    for (int end = start; end <= base.size(); ++end) {
      if (IsBetweenCrAndLf(base, start) || IsBetweenCrAndLf(base, end)) continue;
      for (const QString& insert : inserts) {
        control.SetText(base);
        control.SetSelection(start, end);
        control.ReplaceSelection(insert);
        const QString expected = QString(base).replace(start, end - start, insert);
        ASSERT_EQ(control.Text(), expected) << start << ".." << end << " " << insert.size();
        // A lone CR meeting a lone LF makes a break, counted as a line.
        ASSERT_EQ(control.LineCount(), expected.count(kBreak) + 1);
        // A caret that would fall inside a break just made goes after it.
        int caret = start + static_cast<int>(insert.size());
        if (IsBetweenCrAndLf(expected, caret)) ++caret;
        ASSERT_EQ(control.SelectionStart(), caret);
        ASSERT_EQ(control.SelectionEnd(), caret);
      }
    }
  }
}

TEST_F(QtEditControlTest, UndoTakesBackOneReplacementWholeAndNeverAnotherText) {
  control.SetText(QStringLiteral("old node"));
  control.SetSelection(3, 3);
  control.ReplaceSelection(QStringLiteral("1\r\n2\r\n3"));
  control.Undo();
  EXPECT_EQ(control.Text(), QStringLiteral("old node"));
  EXPECT_FALSE(control.CanUndo());
  control.ReplaceSelection(QStringLiteral("x"));
  control.SetText(QStringLiteral("new node"));
  EXPECT_FALSE(control.CanUndo());
}

TEST_F(QtEditControlTest, OnlyTheUserRaisesTheModifiedFlag) {
  control.SetText(QStringLiteral("body"));
  EXPECT_FALSE(control.IsModified());
  control.SetModified(true);
  EXPECT_TRUE(widget.document()->isModified());
  control.SetText(QStringLiteral("another body"));
  EXPECT_TRUE(control.IsModified()) << "loading must not reset the flag";
  control.SetModified(false);
  control.ReplaceSelection(QStringLiteral("\r\n"));
  EXPECT_FALSE(control.IsModified()) << "the port's own edit";
  Press(Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  EXPECT_EQ(control.Text(), QStringLiteral("\r\naanother body"));
  EXPECT_TRUE(control.IsModified()) << "typing";
  widget.document()->setModified(false);
  EXPECT_FALSE(control.IsModified());
  control.Undo();
  EXPECT_FALSE(control.IsModified()) << "the port's own undo";
}

TEST_F(QtEditControlTest, UserEditsKeepBreaksCountable) {
  // Shift+Enter breaks the line instead of inserting an in-line separator.
  control.SetText(QStringLiteral("ab"));
  control.SetSelection(1, 1);
  Press(Qt::Key_Return, Qt::ShiftModifier, QStringLiteral("\r"));
  EXPECT_EQ(control.Text(), QStringLiteral("a\r\nb"));
  EXPECT_EQ(control.LineCount(), 2);

  // Deleting what stood between a lone CR and a lone LF makes them a break;
  // undo takes back the join, then the deletion, and never loops.
  const QString text = QStringLiteral("a\rX\nb");
  control.SetText(text);
  control.SetSelection(3, 3);
  Press(Qt::Key_Backspace, Qt::NoModifier, QString());
  QApplication::processEvents();
  EXPECT_EQ(control.LineCount(), 2);
  EXPECT_EQ(control.LineText(1), QStringLiteral("b"));
  EXPECT_EQ(control.SelectionEnd(), 3);
  for (int step = 0; step < 2; ++step) {
    control.Undo();
    QApplication::processEvents();
  }
  EXPECT_EQ(control.Text(), text);
  EXPECT_EQ(control.LineCount(), 1);
  EXPECT_FALSE(control.CanUndo());
}

TEST_F(QtEditControlTest, LayoutSettingsReachTheWidget) {
  control.SetWrap(true);
  EXPECT_EQ(widget.lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(widget.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  control.SetWrap(false);
  EXPECT_EQ(widget.lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(widget.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

  control.SetTabStop(4);
  QFont larger = widget.font();
  larger.setPointSizeF(larger.pointSizeF() * 3);
  widget.setFont(larger);  // the stop follows the font
  EXPECT_DOUBLE_EQ(widget.tabStopDistance(), 4 * QFontMetricsF(larger).averageCharWidth());

  control.SetInputMethodOpen(false);
  EXPECT_TRUE(widget.inputMethodHints().testFlag(Qt::ImhPreferLatin));
  EXPECT_TRUE(widget.testAttribute(Qt::WA_InputMethodEnabled)) << "the user may still open it";
  control.SetInputMethodOpen(true);
  EXPECT_FALSE(widget.inputMethodHints().testFlag(Qt::ImhPreferLatin));

  widget.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  widget.resize(300, 200);
  control.SetMargins(7, 11);
  control.SetText(QStringLiteral("text"));
  widget.show();
  QApplication::processEvents();
  const QRect inside = widget.contentsRect();
  EXPECT_EQ(widget.viewport()->geometry().left() - inside.left(), 7);
  EXPECT_EQ(inside.right() - widget.viewport()->geometry().right(), 11);
  EXPECT_EQ(widget.document()->documentMargin(), 0.0) << "no blank space but the margins";
}

TEST_F(QtEditControlTest, FirstVisibleLineCountsLinesNotWrappedRows) {
  widget.resize(240, 120);
  widget.show();
  QStringList lines;
  for (int i = 0; i < 200; ++i) lines << QStringLiteral("word ").repeated(i % 2 ? 1 : 120);
  control.SetText(lines.join(kBreak));
  const auto showCaretAt = [&](int position) {
    control.SetSelection(position, position);
    control.ScrollCaretIntoView();
    EXPECT_TRUE(widget.viewport()->rect().contains(widget.cursorRect()));
  };

  control.SetWrap(false);
  showCaretAt(control.LineStart(151));
  EXPECT_GT(control.FirstVisibleLine(), 140);
  EXPECT_LE(control.FirstVisibleLine(), 151);

  control.SetWrap(true);  // even lines wrap into more rows than the pane shows
  showCaretAt(control.LineStart(100) + 300);
  EXPECT_EQ(control.FirstVisibleLine(), 100);
  // The top row is a wrapped row inside line 100, not its first one.
  const int topLeft = widget.cursorForPosition(QPoint(0, 0)).position();
  EXPECT_GT(control.ToPortPosition(topLeft), control.LineStart(100));
  showCaretAt(0);
  EXPECT_EQ(control.FirstVisibleLine(), 0);
}

TEST_F(QtEditControlTest, BodiesOfMegabytesStayExactAndQuick) {
  const QString line = QStringLiteral("0123456789").repeated(5);
  const int count = 60000;  // about 3 MB with the breaks
  const int stride = static_cast<int>(line.size() + 2);
  QString text;
  for (int i = 0; i < count; ++i) text += (i > 0 ? kBreak : QString()) + line;
  control.SetText(text);
  ASSERT_EQ(control.Text(), text);
  EXPECT_EQ(control.LineStart(count - 1), (count - 1) * stride);
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < 20000; ++i) {
    const int position = static_cast<int>((static_cast<qint64>(i) * 7919 * 31) % text.size());
    ASSERT_EQ(control.LineFromPosition(position), position / stride);
  }
  // Rebuilding the text for every lookup would take minutes.
  EXPECT_LT(timer.elapsed(), 10000);
}

}  // namespace
}  // namespace qm
