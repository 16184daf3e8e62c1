// Rendering an outline file as the page's foldable tree.
#include "server/OutlineHtml.h"

#include <vector>

#include "model/OutlineFile.h"
#include "model/ReadBudget.h"
#include "model/TreeStore.h"
#include "platform/Clock.h"
#include "platform/MemorySettingsStore.h"
#include "res/ServerPageStrings.h"

namespace qm::server {
namespace {

// The title line of one node: check mark, chapter characters, category and
// title, struck through when the node is.
void AppendNodeLine(QString& out, const CTreeStore& store, int i) {
  const qint32 flags = store.GetNode(i).m_nFlags;
  const bool struck = (flags & kFlagStruck) != 0;
  out += u"<span class=\"n\">";
  if ((flags & kFlagChecked) != 0) {
    out += u"<span class=\"c\" title=\"";
    out += res::kPageChecked;
    out += u"\">\u2714</span> ";
  }
  if (struck) {
    out += u"<s title=\"";
    out += res::kPageStruck;
    out += u"\">";
  }
  AppendHtmlEscaped(out, store.DisplayText(i));
  if (struck) out += u"</s>";
  out += u"</span>";
}

void AppendBody(QString& out, const CTreeStore& store, int i) {
  QStringView body = store.GetBody(i);
  // A body read from a file ends in its last line's break, which would show
  // as an empty line under it.
  while (!body.isEmpty() && (body.back() == u'\n' || body.back() == u'\r')) body.chop(1);
  if (body.isEmpty()) return;
  out += u"<div class=\"b\">";
  AppendHtmlEscaped(out, body);
  out += u"</div>";
}

}  // namespace

void AppendHtmlEscaped(QString& out, QStringView text) {
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'&':
        out += u"&amp;";
        break;
      case u'<':
        out += u"&lt;";
        break;
      case u'>':
        out += u"&gt;";
        break;
      case u'"':
        out += u"&quot;";
        break;
      case u'\'':
        out += u"&#39;";
        break;
      case u'\r':
        break;
      case u'\0':
        // The parser would make it U+FFFD anyway; saying so keeps the page valid.
        out += QChar(0xFFFD);
        break;
      default:
        out += c;
    }
  }
}

QString HtmlEscaped(QStringView text) {
  QString out;
  out.reserve(text.size());
  AppendHtmlEscaped(out, text);
  return out;
}

bool RenderOutlineHtml(QByteArrayView bytes, const QString& fallbackTitle, RenderedOutline& out) {
  // Nothing here reads a setting or the time: the store only needs them to exist.
  MemorySettingsStore settings;
  SystemClock clock;
  CTreeStore store(settings, clock);
  ReadBudget budget(bytes.size());
  FileReport report;
  if (!ReadOutlineFile(bytes, store, budget, report)) return false;
  if (store.FinishLoading(fallbackTitle, &budget) < 0) return false;
  store.SetShowsChapters(true);
  store.RecountChapters();

  const int count = store.GetCount();
  std::vector<int> levels(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) levels[static_cast<size_t>(i)] = store.GetLevel(i);

  QString& html = out.html;
  html.clear();
  // About what a node line, its tags and its body take, so the text grows rarely.
  html.reserve(qsizetype(bytes.size()) * 2 + 4096);
  out.title = store.DisplayText(0);
  html += u"<h1>";
  AppendHtmlEscaped(html, out.title);
  html += u"</h1>";
  AppendBody(html, store, 0);
  html += u"<div class=\"tree\">";
  // After loading, every node is at most one level below the one before it,
  // so a node's branch is closed by the first later node at its level or above.
  std::vector<int> open;  // levels of the <details> still open
  for (int i = 1; i < count; ++i) {
    const int level = levels[static_cast<size_t>(i)];
    while (!open.empty() && open.back() >= level) {
      html += u"</details>";
      open.pop_back();
    }
    const bool hasChildren = i + 1 < count && levels[static_cast<size_t>(i + 1)] > level;
    if (hasChildren) {
      html += u"<details open><summary>";
      AppendNodeLine(html, store, i);
      html += u"</summary>";
      AppendBody(html, store, i);
      open.push_back(level);
    } else {
      html += u"<div class=\"l\">";
      AppendNodeLine(html, store, i);
      AppendBody(html, store, i);
      html += u"</div>";
    }
  }
  for (size_t k = 0; k < open.size(); ++k) html += u"</details>";
  html += u"</div>";
  return true;
}

}  // namespace qm::server
