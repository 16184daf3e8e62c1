// CChapterStyles: level styles, their number texts, and how they are read and written.
#include "model/ChapterStyles.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <utility>

#include "platform/Decimal.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {
namespace {

constexpr int kBuiltInCount = 10;
// A store without saved styles gives the built-in ones.
static_assert(settings::kChapterStyleCount.fallback == kBuiltInCount);
constexpr QChar kCustomSeparator = QChar(0x0001);

// Outline file keys.
constexpr QStringView kKeyCount = u"ShoStrCount";
constexpr QStringView kKeyPrefix = u"ShoStrMae";
constexpr QStringView kKeySuffix = u"ShoStrAto";
constexpr QStringView kKeyKind = u"ShoStrNo";
constexpr QStringView kKeyCustom = u"ShoStrCustom";

struct BuiltInStyle {
  const char16_t* prefix;
  int kind;
  const char16_t* suffix;
};

constexpr BuiltInStyle kBuiltIn[kBuiltInCount] = {
    {u"", kNumberRoman, u"."},    {u"", kNumberDecimal, u"."},   {u"", kNumberUpperLatin, u"."},
    {u"(", kNumberDecimal, u")"}, {u"", kNumberFullWidth, u"."}, {u"(", kNumberLowerLatin, u")"},
    {u"(", kNumberCircled, u")"}, {u"", kNumberDecimal, u"."},   {u"", kNumberFullWidth, u"."},
    {u"", kNumberRoman, u"."},
};

constexpr char16_t kKanjiDigits[] = u"一二三四五六七八九十";

// Half-width katakana U+FF71 (ｱ) .. U+FF9D (ﾝ) in code order, as full-width katakana.
// The two sound marks that follow (ﾞ ﾟ) are handled apart: they have no katakana letter.
constexpr char16_t kFullKana[] =
    u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";
constexpr int kKanaLetters = static_cast<int>(std::size(kFullKana)) - 1;
constexpr int kKanaCodes = kKanaLetters + 2;  // letters, then ﾞ and ﾟ
static_assert(kKanaLetters == 45);

ChapterLevelStyle BuiltInStyleAt(int i) {
  if (i < 0 || i >= kBuiltInCount) return {};
  const BuiltInStyle& b = kBuiltIn[i];
  return {QString::fromUtf16(b.prefix), b.kind, QString::fromUtf16(b.suffix), {}};
}

// The style number that follows `fixed` in `key`, or -1 when it is not a plain decimal
// number inside the table.
int StyleIndexAfter(QStringView key, QStringView fixed) {
  const qsizetype at = key.indexOf(fixed);
  if (at < 0) return -1;
  const QStringView digits = key.sliced(at + fixed.size());
  if (digits.isEmpty() || digits.size() > 4) return -1;
  int index = 0;
  for (QChar c : digits) {
    if (c < u'0' || c > u'9') return -1;
    index = index * 10 + (c.unicode() - u'0');
  }
  return index < CChapterStyles::kMaxStyles ? index : -1;
}

QStringList SplitCustom(QStringView text) {
  QStringList entries = text.toString().split(kCustomSeparator);
  // The writer ends every entry with the separator, so the piece after the last one
  // is not an entry.
  if (!entries.isEmpty() && entries.last().isEmpty()) entries.removeLast();
  return entries;
}

QString JoinCustom(const QStringList& entries) {
  QString text;
  for (const QString& entry : entries) {
    // A separator inside an entry would split it in two on reading.
    text += QString(entry).remove(kCustomSeparator);
    text += kCustomSeparator;
  }
  return text;
}

// Every value of the outline file sits on one line; a line break inside a text would
// end the value and turn the rest into a line of its own.
QString OneLine(QString text) {
  text.remove(u'\r');
  text.remove(u'\n');
  return text;
}

void AppendLine(QString& out, QStringView key, int i, const QString& value) {
  // Concatenated, not arg()-formatted: texts may hold "%1".
  out += key;
  out += QString::number(i);
  out += u'=';
  out += value;
  out += u'\n';
}

QString FullWidthDigits(int n) {
  QString text = QString::number(n);
  for (QChar& c : text) {
    if (c >= u'0' && c <= u'9') c = QChar(0xFF10 + (c.unicode() - u'0'));
  }
  return text;
}

QString RomanText(int n) {
  const QString digits = QString::number(n);
  QString text;
  for (qsizetype i = 0; i < digits.size(); ++i) {
    const int digit = digits[i].unicode() - u'0';
    if (digit == 0) continue;
    const qsizetype following = digits.size() - 1 - i;
    if (digit != 1 || following == 0) text += QChar(0x2160 + digit - 1);
    text += QString(following, QChar(0x2169));
  }
  return text;
}

// The character base + n, or n in decimal where that code is no character of its own.
QString CodeOrDecimal(int base, int n) {
  if (n < 1 || n > 0xFFFD - base) return QString::number(n);
  const int code = base + n;
  if (code >= 0xD800 && code <= 0xDFFF) return QString::number(n);
  return QString(QChar(code));
}

QString KanaText(int kind, int n) {
  if (n < 1 || n > kKanaCodes) return QString::number(n);
  if (kind == kNumberHalfKana) return QString(QChar(0xFF70 + n));
  if (n > kKanaLetters) return QString(QChar(n == kKanaLetters + 1 ? 0x309B : 0x309C));
  const char16_t katakana = kFullKana[n - 1];
  return QString(QChar(kind == kNumberHiragana ? katakana - 0x60 : katakana));
}

QString ChapterPath(const int* counts, int level, const QString& separator) {
  QString text;
  for (int i = 0; i < level; ++i) {
    if (i > 0) text += separator;
    text += QString::number(counts[i]);
  }
  return text;
}

}  // namespace

CChapterStyles::CChapterStyles() { ResetToBuiltInDefaults(); }

void CChapterStyles::ResetToBuiltInDefaults() {
  for (int i = 0; i < kMaxStyles; ++i) m_styles[static_cast<size_t>(i)] = BuiltInStyleAt(i);
  m_count = kBuiltInCount;
  m_separator = settings::kTextShowStr.fallback.toString();
}

bool CChapterStyles::ReadLine(QStringView key, QStringView value) {
  if (key.contains(kKeyCount)) {
    m_count = std::clamp(ReadDecimal(value), 0, kMaxStyles);
    return true;
  }
  // The first fixed part the key contains decides; a bad style number drops the line.
  const std::pair<QStringView, void (*)(ChapterLevelStyle&, QStringView)> fields[] = {
      {kKeyPrefix, [](ChapterLevelStyle& s, QStringView v) { s.prefix = v.toString(); }},
      {kKeySuffix, [](ChapterLevelStyle& s, QStringView v) { s.suffix = v.toString(); }},
      {kKeyKind, [](ChapterLevelStyle& s, QStringView v) { s.kind = ReadDecimal(v); }},
      {kKeyCustom, [](ChapterLevelStyle& s, QStringView v) { s.custom = SplitCustom(v); }},
  };
  for (const auto& [fixed, set] : fields) {
    if (!key.contains(fixed)) continue;
    const int i = StyleIndexAfter(key, fixed);
    if (i < 0) return false;
    set(m_styles[static_cast<size_t>(i)], value);
    return true;
  }
  return false;
}

void CChapterStyles::Write(QString& out) const {
  out += kKeyCount;
  out += u'=';
  out += QString::number(m_count);
  out += u'\n';
  for (int i = 0; i < m_count; ++i) {
    const ChapterLevelStyle& style = Style(i);
    AppendLine(out, kKeyPrefix, i, OneLine(style.prefix));
    AppendLine(out, kKeySuffix, i, OneLine(style.suffix));
    AppendLine(out, kKeyKind, i, QString::number(style.kind));
    if (style.kind == kNumberCustom)
      AppendLine(out, kKeyCustom, i, OneLine(JoinCustom(style.custom)));
  }
}

void CChapterStyles::LoadDefaults(const SettingsStore& settings) {
  m_count = std::clamp(Read(settings, settings::kChapterStyleCount), 0, kMaxStyles);
  for (int i = 0; i < kMaxStyles; ++i) {
    ChapterLevelStyle style = BuiltInStyleAt(i);
    if (i < m_count) {
      style.prefix = Read(settings, settings::kChapterPrefix, i, style.prefix);
      style.suffix = Read(settings, settings::kChapterSuffix, i, style.suffix);
      style.kind = Read(settings, settings::kChapterKind, i, style.kind);
      style.custom = SplitCustom(Read(settings, settings::kChapterCustom, i, {}));
    }
    m_styles[static_cast<size_t>(i)] = std::move(style);
  }
  m_separator = Read(settings, settings::kTextShowStr);
}

void CChapterStyles::SaveDefaults(SettingsStore& settings) const {
  qm::Write(settings, settings::kChapterStyleCount, m_count);
  for (int i = 0; i < m_count; ++i) {
    const ChapterLevelStyle& style = Style(i);
    qm::Write(settings, settings::kChapterPrefix, i, style.prefix);
    qm::Write(settings, settings::kChapterSuffix, i, style.suffix);
    qm::Write(settings, settings::kChapterKind, i, style.kind);
    if (style.kind == kNumberCustom) {
      qm::Write(settings, settings::kChapterCustom, i, JoinCustom(style.custom));
    }
  }
}

bool CChapterStyles::Append(const ChapterLevelStyle& style) {
  if (m_count >= kMaxStyles) return false;
  m_styles[static_cast<size_t>(m_count++)] = style;
  return true;
}

bool CChapterStyles::Remove(int i) {
  if (i < 0 || i >= m_count) return false;
  const auto first = m_styles.begin() + i;
  std::move(first + 1, m_styles.begin() + m_count, first);
  // Clear the freed slot so no stale style lingers beyond the count.
  m_styles[static_cast<size_t>(--m_count)] = {};
  return true;
}

bool CChapterStyles::Swap(int i, int j) {
  if (i < 0 || i >= m_count || j < 0 || j >= m_count) return false;
  std::swap(m_styles[static_cast<size_t>(i)], m_styles[static_cast<size_t>(j)]);
  return true;
}

QString CChapterStyles::KindName(int kind, const QStringList& custom) {
  if (kind >= 0 && kind < static_cast<int>(std::size(res::kNumberKindNames))) {
    return res::kNumberKindNames[kind].toString();
  }
  if (kind != kNumberCustom) return {};
  QString name = res::kCustomKindOpen.toString();
  for (qsizetype i = 0; i < std::min<qsizetype>(custom.size(), 3); ++i) {
    name += custom[i];
    name += u',';
  }
  name += res::kCustomKindClose;
  return name;
}

QString CChapterStyles::NumberText(const ChapterLevelStyle& style, int n, const int* counts,
                                   int level, const QString& separator) {
  // Counts start at 1; a count below that has no character of its own in the
  // character kinds and falls back to decimal there rather than index out of a range.
  switch (style.kind) {
    case kNumberDecimal:
      return QString::number(n);
    case kNumberFullWidth:
      return FullWidthDigits(n);
    case kNumberRoman:
      return n >= 1 ? RomanText(n) : QString::number(n);
    case kNumberUpperLatin:
      return CodeOrDecimal(64, n);
    case kNumberLowerLatin:
      return CodeOrDecimal(96, n);
    case kNumberCircled:
      return n >= 1 ? QString(QChar(0x2460 + (n - 1) % 20)) : QString::number(n);
    case kNumberKanji:
      return n >= 1 ? QString(QChar(kKanjiDigits[(n - 1) % 10])) : QString::number(n);
    case kNumberNone:
      return {};
    case kNumberHalfKana:
    case kNumberFullKana:
    case kNumberHiragana:
      return KanaText(style.kind, n);
    case kNumberChapterPath:
      if (counts == nullptr || level < 1) return QString::number(n);
      return ChapterPath(counts, std::min(level, kMaxLevels), separator);
    case kNumberCustom:
      if (style.custom.isEmpty()) return {};
      return style.custom[std::clamp<qsizetype>(n - 1, 0, style.custom.size() - 1)];
    default:
      return QString::asprintf("%2d. ", n);
  }
}

QString CChapterStyles::Format(int level, const int* counts) const {
  if (counts == nullptr || level < 1 || level > kMaxLevels || level > m_count) return {};
  const ChapterLevelStyle& style = Style(level - 1);
  return style.prefix + NumberText(style, counts[level - 1], counts, level, m_separator) +
         style.suffix;
}

}  // namespace qm
