// KeyFile: CKeycust, one key binding, and the key definition file (.KEY)
// that stores a list of them, read from and written to bytes.
//
// The file is an object archive of the record list, little-endian:
//
//   count        2 bytes; 0xFFFF followed by a 4-byte count when it is 65535 or more
//   per record   class tag, 2 bytes: 0xFFFF (new class) for the first record,
//                  followed by schema 1 (2 bytes), name length 8 (2 bytes) and
//                  "CKeycust"; 0x8001 (the class of the first record) for every later one
//                then key code, Alt, Shift, Ctrl, command: 2 bytes each
//
// A file with no records is the count 0 alone. Every field is written as an
// unsigned 16-bit value, so EncodeKeyFile keeps the low 16 bits of each; the
// reader gives them back as 0..65535. The functions are pure and thread-safe.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <optional>
#include <span>
#include <vector>

namespace qm {

class ReadBudget;

struct CKeycust {
  int key = 0;  // virtual-key code
  int alt = 0;  // 0 or 1 when made by the program; a file may hold any 16-bit value
  int ctrl = 0;
  int shift = 0;
  int command = 0;  // command id; 0 binds the key to nothing

  friend bool operator==(const CKeycust&, const CKeycust&) = default;
};

// The largest key definition file read. A binding takes 12 bytes, so this
// holds far more bindings than keys and modifiers can make, and still
// reaches the 4-byte count form.
inline constexpr qint64 kMaxKeyFileBytes = qint64{1} << 20;

// What the read budget counts for one binding: the record and its slot in
// the list, in the budget's 2-byte units.
inline constexpr qsizetype kKeycustUnits = 16;

// The file's bytes for records, in order.
QByteArray EncodeKeyFile(std::span<const CKeycust> records);

// The records of a key definition file, in file order. Only the layout
// above is accepted; anything else (a short or over-long file, another
// class name or schema, a tag other than the two above, a count the bytes
// cannot hold) gives nullopt. A 4-byte count below 65535 is accepted. Each
// record is counted against budget before it is kept; nullopt when the
// budget runs out.
std::optional<std::vector<CKeycust>> DecodeKeyFile(QByteArrayView bytes, ReadBudget& budget);

}  // namespace qm
