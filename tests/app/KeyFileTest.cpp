// The key definition file's bytes: a file written by hand, the empty and the
// 4-byte count forms, what the reader refuses, and the read budget.
#include <gtest/gtest.h>

#include "app/KeyFile.h"
#include "model/ReadBudget.h"
#include "res/CommandIds.h"

namespace qm {
namespace {

std::optional<std::vector<CKeycust>> Decode(const QByteArray& bytes) {
  ReadBudget budget(bytes.size());
  return DecodeKeyFile(bytes, budget);
}

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (const int value : values) out.append(static_cast<char>(value));
  return out;
}

// Two records: Alt+Shift+F2 opens (57601), Ctrl+Z undoes (57643).
const QByteArray kTwoRecords =
    Bytes({0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00}) + QByteArray("CKeycust") +
    Bytes({0x71, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0xE1}) +
    Bytes({0x01, 0x80, 0x5A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x2B, 0xE1});

TEST(KeyFile, ReadsAndWritesAFileWrittenByHand) {
  const auto records = Decode(kTwoRecords);
  ASSERT_TRUE(records);
  ASSERT_EQ(records->size(), 2u);
  // The file holds Shift before Ctrl; the record keeps Ctrl before Shift.
  EXPECT_EQ((*records)[0],
            (CKeycust{.key = 113, .alt = 1, .ctrl = 0, .shift = 1, .command = kCmdOpen}));
  EXPECT_EQ((*records)[1],
            (CKeycust{.key = 90, .alt = 0, .ctrl = 1, .shift = 0, .command = kCmdUndo}));
  EXPECT_EQ(EncodeKeyFile(*records), kTwoRecords);
}

TEST(KeyFile, NoRecordsIsTheCountAlone) {
  EXPECT_EQ(EncodeKeyFile({}), Bytes({0, 0}));
  const auto records = Decode(Bytes({0, 0}));
  ASSERT_TRUE(records);
  EXPECT_TRUE(records->empty());
}

TEST(KeyFile, FieldsKeepAllSixteenBits) {
  const std::vector<CKeycust> records{
      {.key = 0xFFFF, .alt = 2, .ctrl = 0x8000, .shift = 7, .command = 0xFFFF}};
  const QByteArray bytes = EncodeKeyFile(records);
  EXPECT_EQ(Decode(bytes), records);
}

TEST(KeyFile, CountsFrom65535TakeFourBytes) {
  const std::vector<CKeycust> below(65534, CKeycust{.key = 65, .command = kCmdNew});
  EXPECT_EQ(EncodeKeyFile(below).first(2), Bytes({0xFE, 0xFF}));

  const std::vector<CKeycust> at(65535, CKeycust{.key = 65, .command = kCmdNew});
  const QByteArray bytes = EncodeKeyFile(at);
  EXPECT_EQ(bytes.first(8), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF}));
  EXPECT_EQ(bytes.size(), 6 + 12 + 65535 * 12);
  const auto read = Decode(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, at);
  EXPECT_EQ(EncodeKeyFile(*read), bytes);

  // The long form of a small count is read as well.
  const QByteArray longForm = Bytes({0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}) + kTwoRecords.sliced(2);
  EXPECT_EQ(Decode(longForm), Decode(kTwoRecords));
}

TEST(KeyFile, RefusesWhatIsNotAKeyDefinitionFile) {
  QByteArray wrongName = kTwoRecords;
  wrongName[12] = 'C';  // "CKeyCust"
  QByteArray wrongSchema = kTwoRecords;
  wrongSchema[4] = 2;
  QByteArray longerName = kTwoRecords;
  longerName[6] = 9;
  QByteArray newClassAgain = kTwoRecords;
  newClassAgain[26] = static_cast<char>(0xFF);
  newClassAgain[27] = static_cast<char>(0xFF);
  QByteArray otherClass = kTwoRecords;
  otherClass[26] = 2;  // 0x8002
  QByteArray nullObject = kTwoRecords;
  nullObject[26] = 0;
  nullObject[27] = 0;
  QByteArray countTooHigh = kTwoRecords;
  countTooHigh[0] = 3;
  QByteArray countTooLow = kTwoRecords;
  countTooLow[0] = 1;
  const struct {
    const char* what;
    QByteArray bytes;
  } cases[] = {
      {"empty", {}},
      {"half a count", Bytes({0})},
      {"a count and nothing", Bytes({1, 0})},
      {"a cut long count", Bytes({0xFF, 0xFF, 1, 0})},
      {"a huge long count", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + kTwoRecords.sliced(2)},
      {"another class name", wrongName},
      {"another schema", wrongSchema},
      {"another name length", longerName},
      {"a second new class", newClassAgain},
      {"a reference to another class", otherClass},
      {"a null object", nullObject},
      {"a cut record", kTwoRecords.chopped(1)},
      {"a byte after the list", kTwoRecords + Bytes({0})},
      {"more records counted than held", countTooHigh},
      {"fewer records counted than held", countTooLow},
      {"no records but more bytes", Bytes({0, 0, 0xFF, 0xFF})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(Decode(c.bytes));
  }
}

TEST(KeyFile, StopsWhenTheReadBudgetRunsOut) {
  ReadBudget roomForOne(0);
  roomForOne.Spend(ReadBudget::LimitFor(0) - kKeycustUnits);
  EXPECT_FALSE(DecodeKeyFile(kTwoRecords, roomForOne));

  ReadBudget roomForTwo(0);
  roomForTwo.Spend(ReadBudget::LimitFor(0) - 2 * kKeycustUnits);
  EXPECT_TRUE(DecodeKeyFile(kTwoRecords, roomForTwo));
}

}  // namespace
}  // namespace qm
