// CDirData: the node record and its text forms.
#include "model/DirData.h"

#include <QtEndian>
#include <algorithm>

namespace qm {
namespace {

// The separators, and the end-of-file mark the outline reader skips: a node
// holding it would lose it on the next save and reload.
bool IsSeparatorChar(QChar c) {
  return (c.unicode() >= 0x01 && c.unicode() <= 0x08) || c.unicode() == 0x1A;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// Hexadecimal digits from the front of text, stopping at the first other
// character (as the C library's reading does).
qint32 ReadHex(QStringView text) {
  quint32 value = 0;
  for (QChar c : text) {
    const int digit = HexDigit(c.unicode());
    if (digit < 0) break;
    value = value * 16 + static_cast<quint32>(digit);
  }
  return static_cast<qint32>(value);
}

void AppendHex6(QString& out, qint32 value) {
  // "%06X": at least six digits, more when the value needs them.
  out += QString::number(static_cast<quint32>(value), 16).toUpper().rightJustified(6, u'0');
}

// Archive strings: 0xFF 0xFFFE marks UTF-16 text, then the length in code
// units (one byte below 0xFF, else 0xFF and a word below 0xFFFF, else 0xFFFF
// and a double word), then the text in little-endian UTF-16.
void WriteArchiveString(QByteArray& out, const QString& text) {
  out += '\xFF';
  out += '\xFE';
  out += '\xFF';
  const quint32 length = static_cast<quint32>(text.size());
  if (length < 0xFF) {
    out += static_cast<char>(length);
  } else if (length < 0xFFFF) {
    out += '\xFF';
    char word[2];
    qToLittleEndian<quint16>(static_cast<quint16>(length), word);
    out.append(word, 2);
  } else {
    out += '\xFF';
    out += '\xFF';
    out += '\xFF';
    char dword[4];
    qToLittleEndian<quint32>(length, dword);
    out.append(dword, 4);
  }
  for (QChar c : text) {
    char unit[2];
    qToLittleEndian<quint16>(c.unicode(), unit);
    out.append(unit, 2);
  }
}

class RecordReader {
 public:
  explicit RecordReader(QByteArrayView data) : m_data(data) {}

  bool ReadWord(quint16& value) {
    if (m_data.size() - m_pos < 2) return false;
    value = qFromLittleEndian<quint16>(m_data.data() + m_pos);
    m_pos += 2;
    return true;
  }

  bool ReadString(QString& text) {
    quint16 marker = 0;
    if (m_pos >= m_data.size() || static_cast<quint8>(m_data[m_pos]) != 0xFF) return false;
    ++m_pos;
    if (!ReadWord(marker) || marker != 0xFFFE) return false;
    if (m_pos >= m_data.size()) return false;
    quint32 length = static_cast<quint8>(m_data[m_pos++]);
    if (length == 0xFF) {
      quint16 word = 0;
      if (!ReadWord(word)) return false;
      length = word;
      if (word == 0xFFFF) {
        if (m_data.size() - m_pos < 4) return false;
        length = qFromLittleEndian<quint32>(m_data.data() + m_pos);
        m_pos += 4;
      }
    }
    if (static_cast<quint64>(m_data.size() - m_pos) < static_cast<quint64>(length) * 2) {
      return false;
    }
    text.resize(static_cast<qsizetype>(length));
    for (quint32 i = 0; i < length; ++i) {
      text[i] = QChar(qFromLittleEndian<quint16>(m_data.data() + m_pos));
      m_pos += 2;
    }
    return true;
  }

 private:
  QByteArrayView m_data;
  qsizetype m_pos = 0;
};

}  // namespace

void CDirData::CopyFrom(const CDirData& other) {
  const TreeItem item = m_hItem;
  const QString chapter = m_strChapter;
  *this = other;
  m_hItem = item;
  m_strChapter = chapter;
}

QString CDirData::GetTitle() const {
  const qsizetype start = m_strPath.lastIndexOf(kPathSeparator) + 1;
  qsizetype end = m_strPath.indexOf(u'\u0002', start);
  if (end < 0) end = m_strPath.size();
  return m_strPath.sliced(start, end - start);
}

void CDirData::SetCategory(int category) {
  m_nFlags = (m_nFlags & ~kCategoryMask) | ((category << kCategoryShift) & kCategoryMask);
}

int CDirData::GetImage(bool hasChildren) const {
  int image = hasChildren ? 1 : 0;
  if (m_nFlags & kFlagChecked) image += 2;
  if (!m_strLink.isEmpty()) image += 4;
  if (m_nFlags & kFlagStruck) image += 8;
  return image;
}

QString CDirData::GetIdText() const {
  QString out;
  out.reserve(13);
  AppendHex6(out, m_nIdHigh);
  AppendHex6(out, m_nIdLow);
  out += QString::number(m_nIdKind);
  return out;
}

void CDirData::SetIdText(QStringView text) {
  if (text.size() > 5) m_nIdHigh = ReadHex(text.first(6));
  if (text.size() <= 12 && m_nIdHigh != 0) m_nIdKind = 1;
  if (text.size() > 11) m_nIdLow = ReadHex(text.sliced(6, 6));
  if (text.size() > 12) {
    const char16_t c = text[12].unicode();
    m_nIdKind = (c >= u'0' && c <= u'9') ? c - u'0' : 0;
  }
}

void CDirData::ReadTimesText(QStringView times) {
  m_nUpdateStatus = kTimeUnset;
  m_nCreateStatus = kTimeUnset;
  m_stStamp = Stamp();
  qint32 time = 0;
  if (times.size() >= 14 && ParseTime14(times.first(14), time)) SetUpdateTime(time);
  if (times.size() >= 28 && ParseTime14(times.sliced(14, 14), time)) SetCreateTime(time);
  // A stamp needs all of its 17 digits; a shorter tail is not read.
  if (times.size() >= 45) ParseStamp17(times.sliced(28, 17), m_stStamp);
}

void CDirData::SetUpdateTime(qint32 time) {
  m_tmUpdate = time;
  m_nUpdateStatus = kTimeValid;
}

void CDirData::SetCreateTime(qint32 time) {
  m_tmCreate = time;
  m_nCreateStatus = kTimeValid;
}

QByteArray CDirData::Serialize() const {
  QByteArray out;
  char word[2];
  qToLittleEndian<quint16>(100, word);
  out.append(word, 2);
  WriteArchiveString(out, m_strPath);
  WriteArchiveString(out, m_strBody);
  WriteArchiveString(out, m_strLink);
  for (qint32 value : {m_nFlags, m_bExpand, m_nLine, m_nMark}) {
    qToLittleEndian<quint16>(static_cast<quint16>(value), word);
    out.append(word, 2);
  }
  return out;
}

bool CDirData::Deserialize(QByteArrayView record) {
  RecordReader reader(record);
  quint16 schema = 0;
  QString path, body, link;
  quint16 words[4] = {};
  if (!reader.ReadWord(schema) || !reader.ReadString(path) || !reader.ReadString(body) ||
      !reader.ReadString(link)) {
    return false;
  }
  for (quint16& w : words) {
    if (!reader.ReadWord(w)) return false;
  }
  m_strPath = path;
  m_strBody = body;
  m_strLink = link;
  m_nFlags = words[0];
  m_bExpand = words[1];
  m_nLine = words[2];
  m_nMark = words[3];
  return true;
}

QString CDirData::SanitizeLine(QString title) {
  if (std::none_of(title.cbegin(), title.cend(),
                   [](QChar c) { return IsSeparatorChar(c) || c == u'\r' || c == u'\n'; })) {
    return title;
  }
  title.removeIf([](QChar c) { return IsSeparatorChar(c) || c == u'\r' || c == u'\n'; });
  return title;
}

QString CDirData::SanitizeBody(QString body) {
  if (std::none_of(body.cbegin(), body.cend(), IsSeparatorChar)) return body;
  body.removeIf(IsSeparatorChar);
  return body;
}

}  // namespace qm
