// KeyFile: the key definition file's bytes and the records they hold.
#include "app/KeyFile.h"

#include "model/ReadBudget.h"

namespace qm {
namespace {

constexpr quint16 kNewClassTag = 0xFFFF;
constexpr quint16 kFirstClassTag = 0x8001;
constexpr quint16 kBigCountTag = 0xFFFF;
constexpr quint16 kSchema = 1;
constexpr char kClassName[] = "CKeycust";
constexpr qsizetype kClassNameLength = sizeof(kClassName) - 1;
constexpr qsizetype kRecordBytes = 2 + 5 * 2;  // tag and five fields
constexpr qsizetype kClassBytes = 2 + 2 + kClassNameLength;

void Put16(QByteArray& out, quint32 value) {
  out.append(static_cast<char>(value & 0xFF));
  out.append(static_cast<char>((value >> 8) & 0xFF));
}

class Reader {
 public:
  explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}

  qsizetype Left() const { return m_bytes.size() - m_pos; }

  bool Get16(quint32& value) {
    if (Left() < 2) return false;
    value = Byte(m_pos) | Byte(m_pos + 1) << 8;
    m_pos += 2;
    return true;
  }

  bool Get32(quint32& value) {
    quint32 low = 0;
    quint32 high = 0;
    if (Left() < 4) return false;
    Get16(low);
    Get16(high);
    value = low | high << 16;
    return true;
  }

  bool Skip(QByteArrayView expected) {
    if (Left() < expected.size() || m_bytes.sliced(m_pos, expected.size()) != expected)
      return false;
    m_pos += expected.size();
    return true;
  }

 private:
  quint32 Byte(qsizetype at) const { return static_cast<quint8>(m_bytes[at]); }

  QByteArrayView m_bytes;
  qsizetype m_pos = 0;
};

}  // namespace

QByteArray EncodeKeyFile(std::span<const CKeycust> records) {
  QByteArray out;
  const auto count = static_cast<quint32>(records.size());
  out.reserve(6 + kClassBytes + static_cast<qsizetype>(records.size()) * kRecordBytes);
  if (count < kBigCountTag) {
    Put16(out, count);
  } else {
    Put16(out, kBigCountTag);
    Put16(out, count & 0xFFFF);
    Put16(out, count >> 16);
  }
  bool first = true;
  for (const CKeycust& record : records) {
    if (first) {
      Put16(out, kNewClassTag);
      Put16(out, kSchema);
      Put16(out, kClassNameLength);
      out.append(kClassName, kClassNameLength);
      first = false;
    } else {
      Put16(out, kFirstClassTag);
    }
    // File order differs from the record's: Shift comes before Ctrl.
    for (const int field : {record.key, record.alt, record.shift, record.ctrl, record.command}) {
      Put16(out, static_cast<quint32>(field));
    }
  }
  return out;
}

std::optional<std::vector<CKeycust>> DecodeKeyFile(QByteArrayView bytes, ReadBudget& budget) {
  Reader in(bytes);
  quint32 count = 0;
  if (!in.Get16(count)) return std::nullopt;
  if (count == kBigCountTag && !in.Get32(count)) return std::nullopt;
  // Refuse a count the bytes cannot hold before making room for it.
  if (count > 0 && (in.Left() - kClassBytes) / kRecordBytes < count) return std::nullopt;

  std::vector<CKeycust> records;
  records.reserve(count);
  for (quint32 i = 0; i < count; ++i) {
    quint32 tag = 0;
    in.Get16(tag);
    if (i == 0) {
      quint32 schema = 0;
      quint32 nameLength = 0;
      if (tag != kNewClassTag || !in.Get16(schema) || schema != kSchema || !in.Get16(nameLength) ||
          nameLength != kClassNameLength ||
          !in.Skip(QByteArrayView(kClassName, kClassNameLength))) {
        return std::nullopt;
      }
    } else if (tag != kFirstClassTag) {
      return std::nullopt;
    }
    quint32 fields[5] = {};
    for (quint32& field : fields) {
      if (!in.Get16(field)) return std::nullopt;
    }
    if (!budget.Spend(kKeycustUnits)) return std::nullopt;
    CKeycust record;
    record.key = static_cast<int>(fields[0]);
    record.alt = static_cast<int>(fields[1]);
    record.shift = static_cast<int>(fields[2]);
    record.ctrl = static_cast<int>(fields[3]);
    record.command = static_cast<int>(fields[4]);
    records.push_back(record);
  }
  // Bytes after the list mean this is not a key definition file (or not all
  // of one); taking its start would bind keys the user never chose.
  if (in.Left() != 0) return std::nullopt;
  return records;
}

}  // namespace qm
