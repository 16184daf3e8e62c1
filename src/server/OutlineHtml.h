// OutlineHtml: an outline file's bytes as an HTML fragment for the browser
// pages — the root's title and body as the heading, then every other node
// as a foldable tree: a node with children is a <details open> whose
// <summary> is its title, so branches fold without any script.
//
// A title carries the chapter characters of the outline's own heading
// styles, as the desktop shows them with chapter characters on, and the
// category's prefix. Checked nodes carry a check mark; struck-through ones
// are struck. Bodies keep their line breaks (the page's style shows them).
// Every text from the outline is HTML-escaped, so nothing in a file can
// become markup. The tree is written without recursion, however deep.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace qm::server {

struct RenderedOutline {
  QString title;  // the root's displayed title, as text (not escaped)
  QString html;   // the fragment
};

// Reads bytes as an outline file (Shift_JIS) and renders it. fallbackTitle
// names the root of a file without any node. False when the file would
// build an outline far larger than itself (the readers' budget).
bool RenderOutlineHtml(QByteArrayView bytes, const QString& fallbackTitle, RenderedOutline& out);

// Appends text with & < > " ' as character references and carriage returns
// left out (a line break is a line feed on the page).
void AppendHtmlEscaped(QString& out, QStringView text);
QString HtmlEscaped(QStringView text);

}  // namespace qm::server
