// CDirData: one node of an outline — its place in the tree (the path),
// body text, link file, flags, mark, identifier and times.
//
// A node has no parent or child pointers: its path holds the titles of the
// root, of every ancestor and of itself joined by U+0001, so its level is
// the number of U+0001 in the path. Titles never contain U+0001..U+0008 (the
// separators of paths and of the stored formats) nor U+001A (the end-of-file
// mark); SanitizeLine and SanitizeBody keep them out of what enters an
// outline. The outline store
// (CTreeStore) owns every node.
#pragma once

#include <QByteArray>
#include <QString>

#include "model/TimeText.h"
#include "platform/TreeControl.h"

namespace qm {

inline constexpr QChar kPathSeparator = u'\u0001';

// True when path lies inside the branch whose top node has the path `top`.
inline bool IsPathBelow(const QString& path, const QString& top) {
  return path.size() > top.size() && path[top.size()] == kPathSeparator && path.startsWith(top);
}

// Flag word bits.
inline constexpr qint32 kFlagChecked = 0x1;
inline constexpr qint32 kFlagStruck = 0x2;
inline constexpr qint32 kFlagTitleOnly = 0x4;  // no chapter characters
inline constexpr qint32 kFlagNoTitle = 0x8;    // no title at all (with kFlagTitleOnly)
inline constexpr int kCategoryShift = 16;
inline constexpr qint32 kCategoryMask = 0xFF << kCategoryShift;

// Status of a time field.
inline constexpr qint32 kTimeValid = 0;
inline constexpr qint32 kTimeUnset = 2;

class CDirData {
 public:
  CDirData() = default;

  // Copies every field but the tree item and the chapter characters (the
  // copy is not shown and not numbered yet).
  void CopyFrom(const CDirData& other);

  // Level: the number of U+0001 in the path (the root has level 0).
  int GetLevel() const { return static_cast<int>(m_strPath.count(kPathSeparator)); }
  // Title: the path after its last U+0001, cut before a U+0002.
  QString GetTitle() const;
  // Category number (0 = none) from flag bits 16-23.
  int GetCategory() const { return (m_nFlags & kCategoryMask) >> kCategoryShift; }
  void SetCategory(int category);

  // Image number of the node's icon (0-15): 1 with children, +2 checked,
  // +4 with a link file, +8 struck through.
  int GetImage(bool hasChildren) const;

  // "%06X%06X%d" of the identifier.
  QString GetIdText() const;
  // Reads an identifier text (see the .cpp for the exact rules).
  void SetIdText(QStringView text);

  // Reads the times text of the stored formats: the update time, the
  // creation time (14 digits each) and the stamp (17 digits), by position.
  // A time that is missing, cut short or invalid (all zeros) stays unset.
  void ReadTimesText(QStringView times);

  bool HasUpdateTime() const { return m_nUpdateStatus == kTimeValid; }
  bool HasCreateTime() const { return m_nCreateStatus == kTimeValid; }
  void SetUpdateTime(qint32 time);
  void SetCreateTime(qint32 time);

  // The 16-bit record form: the word 100, path, body and link as archive
  // strings, then the low 16 bits of flags, expanded, line and mark, each a
  // little-endian word. Times, identifier and category are not part of it.
  QByteArray Serialize() const;
  // Reads the record form. On success returns true and replaces the fields
  // the record holds. On failure (a short or malformed record) returns false
  // and changes nothing.
  bool Deserialize(QByteArrayView record);

  // Removes what must not stand in a title or a link: U+0001..U+0008,
  // U+001A and line breaks.
  static QString SanitizeLine(QString text);
  // Removes U+0001..U+0008 from a body or link text: they are the stored
  // formats' separators, and a body line starting with one would be read
  // back as a section switch. Removes U+001A too, the end-of-file mark the
  // outline reader skips, so that a save reads back as it was written.
  static QString SanitizeBody(QString body);

  QString m_strPath;
  QString m_strBody;
  QString m_strLink;
  qint32 m_nFlags = 0;
  qint32 m_bExpand = 1;
  qint32 m_nLine = 0;
  qint32 m_nMark = 0;
  qint32 m_nIdKind = 0;
  qint32 m_nIdHigh = 0;
  qint32 m_nIdLow = 0;
  TreeItem m_hItem = 0;
  qint32 m_tmCreate = 0;
  qint32 m_nCreateStatus = kTimeUnset;
  qint32 m_tmUpdate = 0;
  qint32 m_nUpdateStatus = kTimeUnset;
  Stamp m_stStamp;
  QString m_strChapter;
};

}  // namespace qm
