// Behaviour of saving under a plain-text name: the dispatch by extension,
// the check-filter refusal, the plain-text question, lost characters and a
// destination that cannot be written. The text itself is text output's;
// here a stand-in writes one title per line.
#include <QFile>
#include <QTemporaryDir>

#include "model/FileReportText.h"
#include "platform/FileIo.h"
#include "res/Strings.h"
#include "support/StoreFixture.h"

namespace qm::test {
namespace {

using namespace Qt::StringLiterals;

class TextSave : public StoreFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    Build({"Root", "Root/A", "Root/A/B"});
    store.SetTextFileRenderer([this](CTreeStore& from, int first, int end, TextSink& sink) {
      ranges << qMakePair(first, end);
      for (int i = first; i < end; ++i) sink.Text() += from.GetTitle(i) + u"\r\n"_s;
    });
  }

  QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
  QString Error() const { return FileErrorText(store.LastFileReport()); }

  QTemporaryDir dir;
  QList<QPair<int, int>> ranges;
};

TEST_F(TextSave, AnyNameButOutlineBackupAndMemoIsSavedAsTheWholeOutlineInText) {
  for (const char* name : {"out.txt", "OUT.TXT", "no-extension", "page.html"}) {
    ranges.clear();
    ASSERT_TRUE(store.Save(Path(name))) << name;
    EXPECT_EQ(*ReadWholeFile(Path(name)), QByteArray("Root\r\nA\r\nB\r\n")) << name;
    EXPECT_EQ(ranges, (QList<QPair<int, int>>{{0, 3}}));
  }
  ranges.clear();
  ASSERT_TRUE(store.Save(Path("out.mem")));
  ASSERT_TRUE(store.Save(Path("out.bak")));
  EXPECT_TRUE(ranges.isEmpty());
}

TEST_F(TextSave, TheCheckFilterRefusesWithItsNameAndHowToLiftIt) {
  const QString path = Path("out.txt");
  store.SetCheckFilter(CTreeStore::kCheckFilterChecked);
  EXPECT_FALSE(store.Save(path));
  EXPECT_EQ(Error(),
            u"「チェックツリーのみ表示」になっています。解除しないと保存できません。\n"
            u"[表示]-[チェックツリーの表示]-[全て表示]を行ってください"_s);
  store.SetCheckFilter(CTreeStore::kCheckFilterUnchecked);
  EXPECT_FALSE(store.Save(path));
  EXPECT_TRUE(Error().startsWith(u"「チェックツリー以外表示」になっています。"_s));
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_TRUE(ranges.isEmpty());
}

// Lost characters are refused before consent is needed, so that a save
// that first asks "save with ?" asks about the format once, after it.
TEST_F(TextSave, ConsentIsNeededAfterTheLossCheckAndNothingIsWrittenWithoutIt) {
  settings.WriteInt(u"System"_s, u"bTextFile"_s, 1);
  store.Rename(2, u"caf\u00e9"_s);
  const QString path = Path("out.txt");
  ASSERT_TRUE(WriteFileReplacing(path, "old"));
  EXPECT_FALSE(store.Save(path, {SaveLoss::Refuse}));
  EXPECT_EQ(store.LastFileReport().error, FileReport::Error::Unencodable);
  EXPECT_EQ(store.LastFileReport().unencodable, u"\u00e9"_s);

  EXPECT_FALSE(store.Save(path, {SaveLoss::Allow}));
  EXPECT_EQ(store.LastFileReport().error, FileReport::Error::NeedsConsent);
  EXPECT_EQ(Error(), QString());
  EXPECT_EQ(*ReadWholeFile(path), QByteArray("old"));
  EXPECT_TRUE(store.Save(path, {SaveLoss::Allow, true}));
  EXPECT_EQ(*ReadWholeFile(path), QByteArray("Root\r\nA\r\ncaf?\r\n"));
}

TEST_F(TextSave, AnUnwritableFileCannotBeCreatedAndNoRendererWritesNothing) {
  EXPECT_FALSE(store.Save(Path("no/such/folder/out.txt")));
  EXPECT_EQ(Error(), res::kCannotCreateOutputFile.toString() +
                         FailureReason(FileFailure{FileFailure::Kind::NotFound, 0, {}}));
  store.SetTextFileRenderer({});
  EXPECT_FALSE(store.Save(Path("out.txt")));
  EXPECT_EQ(store.LastFileReport().error, FileReport::Error::NotSupported);
  EXPECT_FALSE(QFile::exists(Path("out.txt")));
}

TEST_F(TextSave, TheUndoCopyKeepsTheStoresOwnRenderer) {
  CTreeStore other(settings, clock);
  other.AddRoot(u"Other"_s);
  store.CopyFrom(other);
  EXPECT_TRUE(store.Save(Path("out.txt")));
  EXPECT_EQ(*ReadWholeFile(Path("out.txt")), QByteArray("Other\r\n"));
}

}  // namespace
}  // namespace qm::test
