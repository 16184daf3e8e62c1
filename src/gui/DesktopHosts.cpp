// DesktopHosts: the editing and application layers' view of the main window.
#include "gui/DesktopHosts.h"

#include <QApplication>
#include <QColor>
#include <QFontDialog>
#include <QPalette>
#include <QTimer>

#include "app/MenuModel.h"
#include "gui/MainWindow.h"
#include "res/CommandIds.h"

namespace qm {
namespace {

PaneFont PaneFontOf(const QFont& font) {
  return {font.family(), font.pointSize(), font.bold(), font.italic(), font.underline()};
}

// An empty face or size keeps the desktop's.
QFont QFontOf(const PaneFont& font) {
  QFont qfont = QApplication::font();
  if (!font.face.isEmpty()) qfont.setFamily(font.face);
  if (font.point > 0) qfont.setPointSize(font.point);
  qfont.setWeight(font.bold ? QFont::Bold : QFont::Normal);
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  return qfont;
}

// 0x00BBGGRR as stored.
QColor ColourOf(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

}  // namespace

void DesktopHosts::FocusBodyPane() { m_window.BodyWidget()->setFocus(); }

void DesktopHosts::FocusTreePane() { m_window.TreeWidget()->setFocus(); }

bool DesktopHosts::BodyPaneHasFocus() const { return m_window.BodyWidget()->hasFocus(); }

void DesktopHosts::SendToFrame(int commandId) {
  QTimer::singleShot(0, &m_window, [this, commandId] { m_window.RunCommand(commandId); });
}

void DesktopHosts::CloseMainWindow() {
  QTimer::singleShot(0, &m_window, [this] { m_window.close(); });
}

void DesktopHosts::SetWaitCursor(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

bool DesktopHosts::IsLandscape() const {
  const QSize window = m_window.WindowSize();
  return window.width() > window.height();
}

void DesktopHosts::ShowDocumentTitle(const QString& title, bool modified) {
  m_window.SetDocumentTitle(title, modified);
}

void DesktopHosts::ShowRecentFiles(const QStringList& displayNames) {
  m_window.SetRecentFiles(displayNames);
}

void DesktopHosts::ShowMarkedNodes(const QStringList& labels) { m_window.SetMarkLabels(labels); }

void DesktopHosts::PopUpRecentFiles() { m_window.PopUpRecentFiles(); }

PaneFont DesktopHosts::FontOf(Pane pane) const {
  const QWidget* widget = pane == Pane::Tree ? static_cast<const QWidget*>(m_window.TreeWidget())
                                             : m_window.BodyWidget();
  return PaneFontOf(widget->font());
}

std::optional<PaneFont> DesktopHosts::ChooseFont(const PaneFont& current) {
  bool ok = false;
  // The dialog is titled as the command that opens it.
  const QFont chosen =
      QFontDialog::getFont(&ok, QFontOf(current), &m_window, PlainCommandText(kCmdFont));
  if (!ok) return std::nullopt;
  return PaneFontOf(chosen);
}

void DesktopHosts::SetFont(Pane pane, const PaneFont& font) {
  QWidget* widget =
      pane == Pane::Tree ? static_cast<QWidget*>(m_window.TreeWidget()) : m_window.BodyWidget();
  widget->setFont(QFontOf(font));
}

bool DesktopHosts::IsScreenLandscape() const {
  const QSize screen = m_window.ScreenSize();
  return screen.width() > screen.height();
}

int DesktopHosts::TreeIndent() const { return m_window.TreeWidget()->indentation(); }

void DesktopHosts::SetTreeIndent(int pixels) { m_window.TreeWidget()->setIndentation(pixels); }

void DesktopHosts::SetBodyColours(int text, int back) {
  QPlainTextEdit* body = m_window.BodyWidget();
  QPalette palette = body->palette();
  palette.setColor(QPalette::Text, ColourOf(text));
  palette.setColor(QPalette::Base, ColourOf(back));
  body->setPalette(palette);
}

}  // namespace qm
