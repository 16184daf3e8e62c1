// CChapterStyles: the chapter heading styles of one outline, one style per
// level below the root, and the numbering they produce (Ⅰ., (1), ① ...).
//
// The table holds kMaxStyles styles; Count() of them are in use. Style i
// serves level i + 1. The table travels in the outline file's settings
// section ("ShoStr..." lines) and, as the defaults for new outlines, in the
// settings store (section "ShoStr"). Indices outside the table are ignored
// by every reader and writer, so no input can reach outside it.
// A plain value type: copying copies count, separator and every style.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace qm {

class SettingsStore;

// Number kinds of a level style.
enum ChapterNumberKind : int {
  kNumberDecimal = 0,       // 1, 2, 3
  kNumberFullWidth = 1,     // １, ２, ３
  kNumberRoman = 2,         // Ⅰ, Ⅱ, Ⅲ
  kNumberUpperLatin = 3,    // A, B, C
  kNumberLowerLatin = 4,    // a, b, c
  kNumberCircled = 5,       // ①, ②, ③
  kNumberKanji = 6,         // 一, 二, 三
  kNumberNone = 7,          // nothing
  kNumberHalfKana = 8,      // ｱ, ｲ, ｳ
  kNumberFullKana = 9,      // ア, イ, ウ
  kNumberHiragana = 10,     // あ, い, う
  kNumberChapterPath = 11,  // 1-2-3
  kNumberCustom = 12,       // texts of the style's custom list
};

struct ChapterLevelStyle {
  QString prefix;
  int kind = kNumberDecimal;
  QString suffix;
  QStringList custom;  // texts of kind 12

  bool operator==(const ChapterLevelStyle&) const = default;
};

class CChapterStyles {
 public:
  static constexpr int kMaxStyles = 200;
  // Depth of the count table of a recount: levels 1 to kMaxLevels are numbered.
  static constexpr int kMaxLevels = 200;

  // The ten built-in defaults, separator "-".
  CChapterStyles();

  int Count() const { return m_count; }
  // REQUIRES: 0 <= i < kMaxStyles.
  const ChapterLevelStyle& Style(int i) const { return m_styles[static_cast<size_t>(i)]; }
  const QString& Separator() const { return m_separator; }
  void SetSeparator(const QString& separator) { m_separator = separator; }

  // Replaces the table by the ten built-in defaults.
  void ResetToBuiltInDefaults();

  // One "ShoStr..." line of the outline file's settings section. Keys are
  // recognised by the text they contain: ShoStrCount, ShoStrMae<i>,
  // ShoStrAto<i>, ShoStrNo<i>, ShoStrCustom<i>; anything else is ignored.
  // Returns whether the line was taken (false for an unknown key or a
  // style number out of range).
  bool ReadLine(QStringView key, QStringView value);
  // Appends the style lines, each ending in "\n", as the file stores them.
  void Write(QString& out) const;

  // Defaults for new outlines in section "ShoStr" of the settings store.
  void LoadDefaults(const SettingsStore& settings);
  void SaveDefaults(SettingsStore& settings) const;

  // Editing. Append fails (false) when the table is full; Remove and Swap
  // fail for indices outside the styles in use.
  bool Append(const ChapterLevelStyle& style);
  bool Remove(int i);
  bool Swap(int i, int j);

  // The name lists show for a kind ("数字（1,2,3・・）"...); for kind 12 it
  // is built from up to three custom texts.
  static QString KindName(int kind, const QStringList& custom = {});

  // The number text of n (n >= 1) in a kind; counts are the counts of
  // levels 1..level (needed by kind 11), separator joins them.
  static QString NumberText(const ChapterLevelStyle& style, int n, const int* counts, int level,
                            const QString& separator);

  // The chapter characters of a node at `level` (1-based) whose level counts
  // are counts[0..level-1]: prefix + number text + suffix of the level's
  // style. Levels without a style in use get no chapter characters; levels
  // beyond kMaxLevels get none either.
  QString Format(int level, const int* counts) const;

  bool operator==(const CChapterStyles&) const = default;

 private:
  std::array<ChapterLevelStyle, kMaxStyles> m_styles;
  int m_count = 0;
  QString m_separator;
};

}  // namespace qm
