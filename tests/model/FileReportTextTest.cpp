// The messages made from a FileReport: what a load left out, undecodable
// bytes in hex, and when a load counts as lossy.
#include <gtest/gtest.h>

#include "model/FileReportText.h"
#include "platform/CodePage.h"
#include "res/Strings.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

TEST(FileReportText, UndecodableBytesAreListedInHexWithTheirCount) {
  FileReport report;
  report.undecodable = 7;
  report.undecodableBytes = {QByteArray("\x85\x40"), QByteArray("\xFF")};
  EXPECT_EQ(FileWarningTexts(report),
            QStringList{res::kUndecodableBytes.toString() + u"0x85 0x40、0xFF（7 文字）"_s});
  // A list that reached its bound may have left some out.
  report.undecodableBytes.clear();
  report.undecodableBytes = QList<QByteArray>(Undecodable::kMaxListed, QByteArray("\x80"));
  EXPECT_TRUE(FileWarningTexts(report).first().endsWith(u"0x80…（7 文字）"_s));
  // Without the bytes (text read elsewhere), the count alone.
  report.undecodableBytes.clear();
  EXPECT_EQ(FileWarningTexts(report), QStringList{res::kUndecodableBytes.toString() + u"7"_s});
}

TEST(FileReportText, EachLossIsTold) {
  FileReport report;
  EXPECT_TRUE(FileWarningTexts(report).isEmpty());
  for (int line : {3, 9, 12, 20, 21, 40, 41}) report.AddUnreadLine(line - 1);
  report.charactersDropped = 2;
  report.settingsUnclosed = true;
  report.bodyUnclosed = true;
  EXPECT_EQ(FileWarningTexts(report),
            (QStringList{res::kLinesUnread.toString().arg(7) + u"（3、9、12、20、21… 行目）"_s,
                         res::kCharactersDropped.toString().arg(2),
                         res::kSettingsUnclosed.toString(), res::kBodyUnclosed.toString()}));
}

TEST(FileReportText, LossyWhenTheOutlineLacksAnythingTheFileHeld) {
  EXPECT_FALSE(FileReport{}.Lossy());
  const auto lossyWith = [](auto change) {
    FileReport report;
    change(report);
    return report.Lossy();
  };
  EXPECT_TRUE(lossyWith([](FileReport& r) { r.undecodable = 1; }));
  EXPECT_TRUE(lossyWith([](FileReport& r) { r.nodesReplaced = 1; }));
  EXPECT_TRUE(lossyWith([](FileReport& r) { r.AddUnreadLine(0); }));
  EXPECT_TRUE(lossyWith([](FileReport& r) { r.charactersDropped = 1; }));
  EXPECT_TRUE(lossyWith([](FileReport& r) { r.settingsUnclosed = true; }));
  EXPECT_TRUE(lossyWith([](FileReport& r) { r.bodyUnclosed = true; }));
  // Characters a save could not store are the save's matter, not the load's.
  EXPECT_FALSE(lossyWith([](FileReport& r) { r.unencodable = u"😀"_s; }));
}

TEST(FileReportText, AReplacementCharacterIsShownAsTheBytesItCameFrom) {
  FileReport loaded;
  loaded.undecodable = 2;
  loaded.undecodableBytes = {QByteArray("\x85\x40"), QByteArray("\xFF")};
  EXPECT_EQ(UnencodableDisplay(u"😀\uFFFDé"_s, loaded), u"😀［0x85 0x40、0xFF］é"_s);
  EXPECT_EQ(UnencodableDisplay(u"😀"_s, loaded), u"😀"_s);
  EXPECT_EQ(UnencodableDisplay(u"\uFFFD"_s, FileReport{}), u"\uFFFD"_s);
  // A save's report carries the bytes into its own messages.
  FileReport save = loaded;
  save.undecodable = 0;
  save.error = FileReport::Error::Unencodable;
  save.unencodable = u"\uFFFD"_s;
  EXPECT_EQ(FileErrorText(save), res::kUnencodableCharacters.toString() + u"［0x85 0x40、0xFF］"_s);
  save.error = FileReport::Error::None;
  EXPECT_EQ(FileWarningTexts(save),
            QStringList{res::kUnencodableCharacters.toString() + u"［0x85 0x40、0xFF］"_s});
}

}  // namespace
}  // namespace qm
