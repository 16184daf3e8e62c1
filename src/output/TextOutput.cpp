// Text output: the plain and HTML node texts, the range walk and the file.
#include "output/TextOutput.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "model/ChapterStyles.h"
#include "model/TimeText.h"
#include "output/TextWrap.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/SettingsTable.h"

namespace qm {
namespace {

constexpr QLatin1String kCrLf("\r\n");
// Chapter characters longer than this are cut in a heading.
constexpr qsizetype kMaxHeading = 128;
// Depth of the per-level counters of form 1: the levels chapter numbering
// knows. Deeper nodes get no number of their own.
constexpr int kCounterLevels = CChapterStyles::kMaxLevels;
// Options read from the store outside these ranges would make absurd (or
// overflowing) indents; no dialog offers them.
constexpr int kMaxStep = 999;

// The first counter of the range's first node: a file numbers it, the
// clipboard does not.
constexpr int kAboveFileRange = -1;
constexpr int kAboveClipboardRange = -2;

// The lines of a text file without their line ends (LF, CR LF or CR).
QStringList LinesOf(const QString& text) {
  QString normal = text;
  normal.replace(kCrLf, QStringLiteral("\n"));
  normal.replace(u'\r', u'\n');
  QStringList lines = normal.split(u'\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// Appends n > 0 in decimal without a temporary string.
void AppendDecimal(QString& out, int n) {
  char16_t digits[12];
  int at = 12;
  do {
    digits[--at] = static_cast<char16_t>(u'0' + n % 10);
    n /= 10;
  } while (n > 0);
  out.append(QStringView(digits + at, 12 - at));
}

// Appends count copies of c without a temporary string.
void AppendFill(QString& out, qint64 count, QChar c) {
  if (count > 0) out.resize(out.size() + count, c);
}

bool OnlyLineBreaks(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
}

class OutputWriter {
 public:
  OutputWriter(CTreeStore& store, int first, int end, const TextOutputOptions& options,
               TextOutputUse use)
      : m_store(store), m_first(first), m_end(end), m_options(options), m_format(options.format) {
    m_step = m_format.indent == TextFormat::kSpaces ? m_format.spaceNo : 1;
    ReadLevels();
    InitCounters(use == TextOutputUse::File ? kAboveFileRange : kAboveClipboardRange);
  }

  // The text of the range between a text before and one after it, into the
  // sink node by node.
  void Write(QStringView before, QStringView after, TextSink& sink) {
    QString& out = sink.Text();
    out += before;
    if (m_format.IsHtml()) {
      FindSiblings();
      for (int i = m_first; i < m_end; ++i) {
        AppendHtmlNode(out, i);
        sink.Pace();
      }
    } else {
      for (int i = m_first; i < m_end; ++i) {
        AppendPlainNode(out, i);
        sink.Pace();
      }
    }
    out += after;
  }

 private:
  int Level(int i) const { return m_levels[static_cast<size_t>(i - m_first)]; }

  void ReadLevels() {
    m_levels.reserve(static_cast<size_t>(m_end - m_first));
    int deepest = 0;
    for (int i = m_first; i < m_end; ++i) {
      m_levels.push_back(m_store.GetLevel(i));
      deepest = std::max(deepest, m_levels.back());
    }
    m_lastAtLevel.assign(static_cast<size_t>(deepest) + 1, -1);
  }

  // Levels above the range's first node are marked negative: they add
  // nothing to a number. A file's marks stop one level short of the first
  // node, so that it gets a number of its own.
  void InitCounters(int mark) {
    m_counters.assign(kCounterLevels, 0);
    const int level = Level(m_first);
    const int marked = std::min(mark == kAboveFileRange ? level - 1 : level, kCounterLevels);
    for (int k = 0; k < marked; ++k) m_counters[static_cast<size_t>(k)] = mark;
  }

  // Form 1: advances the counter of index j and builds the number from
  // every positive counter up to the first unused one.
  QString ChapterNumber(int j) {
    // The root (j < 0) and levels beyond the counters have no number.
    if (j < 0 || j >= kCounterLevels) return {};
    ++m_counters[static_cast<size_t>(j)];
    std::fill(m_counters.begin() + j + 1, m_counters.begin() + std::max(m_deepestCounter, j) + 1,
              0);
    m_deepestCounter = j;
    QString number;
    bool any = false;
    for (int k = 0; k < kCounterLevels && m_counters[static_cast<size_t>(k)] != 0; ++k) {
      const int count = m_counters[static_cast<size_t>(k)];
      if (count < 0) continue;
      if (any) number += m_format.separator;
      AppendDecimal(number, count);
      any = true;
    }
    if (any) number += u' ';
    return number;
  }

  // The label the tree shows, without chapter characters, after the mark
  // prefix of the node's flags.
  QString TitleLine(int i) const {
    const CDirData& node = m_store.GetNode(i);
    const bool checked = (node.m_nFlags & kFlagChecked) != 0;
    const bool struck = (node.m_nFlags & kFlagStruck) != 0;
    const TitleMarks& marks = m_options.marks;
    QString line = checked && struck ? marks.checkedAndStruck
                   : checked         ? marks.check
                   : struck          ? marks.struck
                                     : marks.normal;
    if (node.GetCategory() != 0) line += m_store.Categories().DisplayText(node.GetCategory());
    // The title as CDirData::GetTitle cuts it, without a copy of its own.
    const QStringView path = node.m_strPath;
    const qsizetype start = path.lastIndexOf(kPathSeparator) + 1;
    const qsizetype cut = path.indexOf(u'\u0002', start);
    line += path.sliced(start, (cut < 0 ? path.size() : cut) - start);
    const int display = m_store.TimeDisplay();
    if (display == CTreeStore::kTimeDisplayUpdated && node.HasUpdateTime()) {
      line += QStringLiteral(" (") + FormatDisplayTime(node.m_tmUpdate) + u')';
    } else if (display == CTreeStore::kTimeDisplayCreated && node.HasCreateTime()) {
      line += QStringLiteral(" (") + FormatDisplayTime(node.m_tmCreate) + u')';
    }
    return line;
  }

  // The body as output shows it: without its first line while that line
  // is the title.
  QString Body(int i) const {
    QString body = m_store.GetBody(i);
    if (m_store.Settings().firstLine != 0) {
      const qsizetype lineEnd = body.indexOf(kCrLf);
      body = lineEnd < 0 ? QString() : body.sliced(lineEnd + 2);
    }
    return body;
  }

  std::optional<QString> LinkText(int i) const {
    const QString& link = m_store.GetLink(i);
    QString path = link;
    if (!m_options.linkFolder.isEmpty() && QFileInfo(link).isRelative()) {
      path = QDir(m_options.linkFolder).filePath(link);
    }
    const std::optional<QByteArray> bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    CodePage codePage;
    return codePage.Decode(*bytes);
  }

  WrapLayout Layout(int indent) const {
    return WrapLayout{m_format.indent == TextFormat::kTabs, indent, m_format.width, m_format.tabNo};
  }

  // Lays text out after a heading, or writes both as they are without indentation.
  void AppendLaidOut(QString& out, const QString& heading, const QString& text, int indent) {
    if (m_format.indent == TextFormat::kNone) {
      out += heading;
      out += text;
      if (!text.endsWith(kCrLf)) out += kCrLf;
      return;
    }
    AppendWrapped(out, heading, text, Layout(indent), m_widths);
  }

  void AppendPlainNode(QString& out, int i) {
    const int j = Level(i) - 1;
    QString heading;
    int indent = 0;
    if (j >= 0 || m_format.form == TextFormat::kChapterNumbers) {
      const int levelIndent = j > 0 ? int(std::min<qint64>(qint64(j) * m_step, INT_MAX)) : 0;
      switch (m_format.form) {
        case TextFormat::kChapters:
          heading = m_store.GetChapter(i).left(kMaxHeading);
          indent = levelIndent;
          break;
        case TextFormat::kChapterNumbers:
          heading = ChapterNumber(j);
          indent = levelIndent;
          break;
        case TextFormat::kIndentOnly:
          indent = levelIndent;
          break;
        default:
          break;
      }
    }
    const bool topLevel = j < 1 && m_format.tSpace;
    if (topLevel) out += kCrLf;
    const QString title = TitleLine(i);
    if (m_format.indent == TextFormat::kNone) {
      out += heading;
      out += title;
      out += kCrLf;
    } else {
      AppendWrapped(out, heading, title, Layout(indent), m_widths);
    }
    if (m_format.space || topLevel) out += kCrLf;

    // Body and link file hang under the title, one blank per heading character.
    const QString hanging(m_format.indent == TextFormat::kNone ? 0 : heading.size(), u' ');
    if (m_format.editOut) {
      const QString body = Body(i);
      if (!OnlyLineBreaks(body)) {
        // Stored bodies end their last line already; another line break
        // would add a blank line that a text import reads back into the
        // body, one more on every save.
        AppendLaidOut(out, hanging, body.endsWith(kCrLf) ? body : body + kCrLf, indent);
        if (m_format.space || (j <= 1 && m_format.tSpace)) out += kCrLf;
      }
    }
    if (m_format.fileOut && !m_store.GetLink(i).isEmpty()) {
      if (const std::optional<QString> text = LinkText(i)) {
        const QStringList lines = LinesOf(*text);
        if (!lines.isEmpty()) AppendLaidOut(out, hanging, lines.join(kCrLf) + kCrLf, indent);
      }
    }
  }

  // Whether each node of the range has a previous and a next sibling inside
  // the range: a branch is a list of its own, whatever stands beside it.
  void FindSiblings() {
    const size_t count = m_levels.size();
    m_hasPrevious.assign(count, false);
    m_hasNext.assign(count, false);
    std::vector<bool> seen(m_lastAtLevel.size(), false);
    for (size_t k = 0; k < count; ++k) {
      const size_t level = static_cast<size_t>(m_levels[k]);
      m_hasPrevious[k] = seen[level];
      seen[level] = true;
      std::fill(seen.begin() + static_cast<qsizetype>(level) + 1, seen.end(), false);
    }
    std::fill(seen.begin(), seen.end(), false);
    for (size_t k = count; k-- > 0;) {
      const size_t level = static_cast<size_t>(m_levels[k]);
      m_hasNext[k] = seen[level];
      seen[level] = true;
      std::fill(seen.begin() + static_cast<qsizetype>(level) + 1, seen.end(), false);
    }
  }

  // The indent of a closing tag at this level.
  void AppendLevelIndent(QString& out, int level) const {
    if (m_format.indent == TextFormat::kNone) return;
    AppendFill(out, qint64(level) * m_step, m_format.indent == TextFormat::kTabs ? u'\t' : u' ');
  }

  void AppendHtmlNode(QString& out, int i) {
    const int level = Level(i);
    const size_t k = static_cast<size_t>(i - m_first);
    m_lastAtLevel[static_cast<size_t>(level)] = i;
    if (level == 0) {
      out += QLatin1String("<H1>");
      out += TitleLine(i);
      out += QLatin1String("</H1>");
      out += kCrLf;
      return;
    }
    const bool ordered = m_format.form == TextFormat::kHtmlNumberList;
    const QLatin1String open(ordered ? "<OL>" : "<UL>");
    const QLatin1String close(ordered ? "</OL>" : "</UL>");
    const QLatin1String paragraph(m_format.space || m_format.tSpace ? "<P>" : "");
    const int indent = int(std::min<qint64>(qint64(level) * m_step, INT_MAX));

    if (!m_hasPrevious[k]) {
      out += open;
      out += kCrLf;
    }
    out += QLatin1String("<LI>");
    const QString body = m_format.editOut ? m_store.GetBody(i) : QString();
    const bool showBody = !body.isEmpty();
    const bool showLink = m_format.fileOut && !m_store.GetLink(i).isEmpty();
    if (showBody || showLink) out += QLatin1String("<DL><DT>");
    out += TitleLine(i);
    out += paragraph;
    out += kCrLf;
    if (showBody) {
      QString text = body;
      text.replace(kCrLf, QStringLiteral("<BR>\r\n"));
      AppendLaidOut(out, QStringLiteral("<DD>"), text, indent);
      out += paragraph;
      out += kCrLf;
      // One definition list takes one closing tag: with a link file to come,
      // its part closes the list.
      if (!showLink) {
        AppendLevelIndent(out, level);
        out += QLatin1String("</DL>");
        out += kCrLf;
      }
    }
    if (showLink) {
      out += QLatin1String("<DD>");
      if (const std::optional<QString> text = LinkText(i)) {
        for (const QString& line : LinesOf(*text)) {
          out += line;
          out += QLatin1String("<BR>");
        }
      }
      out += kCrLf;
      out += QLatin1String("</DL>");
      out += paragraph;
      out += kCrLf;
    }

    // Closing tags: the node's own list when it ends the list, then every
    // enclosing list that ends with it, up to the range's first node.
    const bool hasChildren = i + 1 < m_end && Level(i + 1) == level + 1;
    if (m_hasNext[k] || hasChildren) return;
    AppendLevelIndent(out, level);
    out += close;
    out += kCrLf;
    for (int ancestorLevel = level - 1; ancestorLevel > 0; --ancestorLevel) {
      const int ancestor = m_lastAtLevel[static_cast<size_t>(ancestorLevel)];
      if (ancestor < m_first) break;
      if (m_hasNext[static_cast<size_t>(ancestor - m_first)]) break;
      AppendLevelIndent(out, ancestorLevel);
      out += close;
      out += kCrLf;
    }
  }

  CTreeStore& m_store;
  const int m_first;
  const int m_end;
  const TextOutputOptions& m_options;
  TextFormat m_format;
  int m_step = 1;
  CodePageWidths m_widths;
  std::vector<int> m_levels;        // by index - first
  std::vector<int> m_counters;      // form 1, by level - 1
  int m_deepestCounter = 0;         // no counter beyond it is non-zero
  std::vector<int> m_lastAtLevel;   // HTML: latest node of each level so far
  std::vector<bool> m_hasPrevious;  // HTML: by index - first
  std::vector<bool> m_hasNext;      // HTML: by index - first
};

}  // namespace

TextOutputOptions ReadTextOutputOptions(const SettingsStore& settings) {
  TextOutputOptions options;
  options.format = ReadTextFormat(settings);
  options.marks.check = Read(settings, settings::kMarkCheck);
  options.marks.struck = Read(settings, settings::kMarkDel);
  options.marks.checkedAndStruck = Read(settings, settings::kMarkDelcheck);
  options.marks.normal = Read(settings, settings::kMarkNormal);
  return options;
}

void MakeOutputText(CTreeStore& store, int first, int end, const TextOutputOptions& options,
                    TextOutputUse use, TextSink& sink) {
  TextOutputOptions sane = options;
  TextFormat& format = sane.format;
  format.form = std::clamp(format.form, 0, int(TextFormat::kHtmlNumberList));
  format.spaceNo = std::clamp(format.spaceNo, 0, kMaxStep);
  format.tabNo = std::clamp(format.tabNo, 0, kMaxStep);
  if (format.form == TextFormat::kChapters) {
    store.Styles().SetSeparator(format.separator);
    store.RecountChapters();
  }
  // Only a file is an HTML document of its own.
  const bool document = use == TextOutputUse::File && format.IsHtml();
  OutputWriter(store, first, end, sane, use)
      .Write(document ? u"<HTML>\n<BODY BGCOLOR=\"#FFFFFF\">\n" : u"",
             document ? u"</BODY></HTML>\n" : u"", sink);
}

QString MakeOutputText(CTreeStore& store, int first, int end, const TextOutputOptions& options,
                       TextOutputUse use) {
  StringSink sink;
  MakeOutputText(store, first, end, options, use, sink);
  return sink.Take();
}

TextFileRenderer PlainTextFileRenderer(const SettingsStore& settings) {
  return [&settings](CTreeStore& store, int first, int end, TextSink& sink) {
    MakeOutputText(store, first, end, ReadTextOutputOptions(settings), TextOutputUse::File, sink);
  };
}

}  // namespace qm
