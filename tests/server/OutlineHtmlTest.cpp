// The outline as the browser page's tree: numbering, marks, bodies, escaping
// and folding, from the bytes the service stores.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "PageFixture.h"
#include "server/OutlineHtml.h"

namespace qm::server::test {
namespace {

RenderedOutline Render(const QByteArray& bytes) {
  RenderedOutline outline;
  EXPECT_TRUE(RenderOutlineHtml(bytes, QStringLiteral("fallback"), outline));
  return outline;
}

TEST(OutlinePageHtmlTest, ShowsTitlesWithTheOutlinesOwnNumberingMarksAndBodies) {
  const RenderedOutline outline = Render(SampleOutlineBytes());
  const QString& html = outline.html;
  EXPECT_EQ(outline.title, u"本");
  EXPECT_TRUE(html.startsWith(u"<h1>本</h1><div class=\"b\">まえがき</div>")) << html.toStdString();
  // A checked node carries the mark before its numbered title; its body
  // keeps its line break as a line feed.
  EXPECT_TRUE(
      html.contains(u"\u2714</span> 第一章：序章</span><div class=\"b\">一行目\n二行目</div>"))
      << html.toStdString();
  // A struck-through node is struck and, as on the desktop, not numbered,
  // so the next chapter is the second.
  EXPECT_TRUE(html.contains(u"\">古い案</s>")) << html.toStdString();
  EXPECT_TRUE(
      html.contains(u"<details open><summary><span class=\"n\">第二章：次章</span></summary>"))
      << html.toStdString();
  // The child sits inside its parent's <details>, numbered on its own level.
  const qsizetype parent = html.indexOf(u"第二章：次章");
  const qsizetype child = html.indexOf(u"1. 節");
  const qsizetype close = html.lastIndexOf(u"</details>");
  EXPECT_TRUE(parent >= 0 && child > parent && close > child) << html.toStdString();
  EXPECT_EQ(html.count(u"<details"), html.count(u"</details>"));
  EXPECT_FALSE(html.contains(u"\u2714</span> 第二章")) << "only the checked node is marked";
}

TEST(OutlinePageHtmlTest, EscapesEveryTextTheFileHolds) {
  const QString html = Render(SampleOutlineBytes()).html;
  EXPECT_FALSE(html.contains(u"<script")) << html.toStdString();
  EXPECT_FALSE(html.contains(u"<b>")) << html.toStdString();
  EXPECT_TRUE(html.contains(u"&lt;script&gt;alert(1)&lt;/script&gt;")) << html.toStdString();
  EXPECT_TRUE(html.contains(u"&lt;b&gt;&quot;引用&quot;&amp;&#39;符号&#39;&lt;/b&gt;"))
      << html.toStdString();

  EXPECT_EQ(HtmlEscaped(QStringLiteral("a\r\nb") + QChar(0) + QStringLiteral("c")),
            QStringLiteral("a\nb\uFFFDc"));
}

TEST(OutlinePageHtmlTest, ClosesEveryBranchOfAVeryDeepOutline) {
  // Deeper than any recursion would survive under the sanitizers.
  MemorySettingsStore settings;
  qm::test::FakeClock clock;
  CTreeStore store(settings, clock);
  store.AddRoot(QStringLiteral("r"));
  int parent = 0;
  for (int i = 0; i < 3000; ++i)
    parent = store.InsertChild(parent, QStringLiteral("n"), {}, {}, 0, 0);
  store.InsertChild(0, QStringLiteral("last"), {}, {}, 0, 0);
  const QString html = Render(Encoded(WriteOutlineText(store))).html;
  // Every node but the deepest has a child and so folds.
  EXPECT_EQ(html.count(u"<details open>"), 2999);
  EXPECT_EQ(html.count(u"</details>"), 2999);
  // The root's second child comes after every branch above it is closed.
  const qsizetype last = html.lastIndexOf(u"<div class=\"l\">");
  EXPECT_TRUE(html.left(last).endsWith(u"</details>")) << html.right(200).toStdString();
  EXPECT_TRUE(html.endsWith(u"last</span></div></div>")) << html.right(200).toStdString();
}

TEST(OutlinePageHtmlTest, RendersWhateverBytesAreStoredWithoutFailing) {
  // The service stores any file; the page must not trust it to be an outline.
  QRandomGenerator random(20261209);
  for (int round = 0; round < 50; ++round) {
    QByteArray bytes(int(random.bounded(1, 4000)), Qt::Uninitialized);
    for (char& c : bytes) c = static_cast<char>(random.bounded(256));
    if (round % 2 == 0) bytes.prepend(SampleOutlineBytes().left(int(random.bounded(300))));
    RenderedOutline outline;
    ASSERT_TRUE(RenderOutlineHtml(bytes, QStringLiteral("名前"), outline));
    EXPECT_EQ(outline.html.count(u"<details"), outline.html.count(u"</details>"));
  }
  // A file without a single node still has its root, named after the title.
  EXPECT_TRUE(Render(QByteArray()).html.startsWith(u"<h1>fallback</h1>"));
}

}  // namespace
}  // namespace qm::server::test
