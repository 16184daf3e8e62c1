// CCategoryList: the ordered categories of one outline, each a name and a
// memo, and the texts shown before and after a category name.
//
// A node names its category by number (1-based position; 0 = none) in bits
// 16-23 of its flag word. The entries travel in the outline file's settings
// section ("CategoryName=", "CategoryMemo=" lines); the before- and
// after-texts are user settings (System/CategoryStrBefore and
// System/CategoryStrAfter, defaults "【" and "】"), read when the list is
// created. A plain value type.
#pragma once

#include <QList>
#include <QString>

namespace qm {

class SettingsStore;

struct Category {
  QString name;
  QString memo;
  bool operator==(const Category&) const = default;
};

class CCategoryList {
 public:
  // Empty list with the default before- and after-texts.
  CCategoryList();
  // Empty list; before- and after-texts from the settings store.
  explicit CCategoryList(const SettingsStore& settings);

  // A settings line whose key begins with "Category". Returns true when the
  // key is "CategoryName" (appends an entry) or "CategoryMemo" (sets the memo
  // of the last entry; ignored while the list is empty).
  bool ParseLine(QStringView key, const QString& value);
  // Appends "CategoryName=%s\n" and "CategoryMemo=%s\n" for every entry.
  void Write(QString& out) const;

  int Count() const { return static_cast<int>(m_entries.size()); }
  // The n-th name (1-based); empty when n is 0 or beyond the list.
  QString Name(int n) const;
  // before-text + name + after-text, or empty when Name(n) is empty.
  QString DisplayText(int n) const;

  QList<Category>& Entries() { return m_entries; }
  const QList<Category>& Entries() const { return m_entries; }
  void ClearEntries() { m_entries.clear(); }

  const QString& Before() const { return m_before; }
  const QString& After() const { return m_after; }
  void SetBefore(const QString& text) { m_before = text; }
  void SetAfter(const QString& text) { m_after = text; }
  // Stores the before- and after-texts in the settings store.
  void SaveTexts(SettingsStore& settings) const;

  bool operator==(const CCategoryList&) const = default;

 private:
  QList<Category> m_entries;
  QString m_before;
  QString m_after;
};

}  // namespace qm
