// Behaviour of quillmap-cli export: the file as the output command writes
// it, --set of the Text, Mark and View sections, --node, --clipboard, and
// the failures.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "cli/CliRunner.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/MemorySettingsStore.h"
#include "res/Strings.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

const QString kSample = QStringLiteral(QM_SOURCE_DIR "/samples/sample.qmp");

class CliExport : public ::testing::Test {
 protected:
  int Run(const QStringList& arguments) {
    streams = {};
    return RunCli(arguments, settings, streams);
  }
  QString Err() const { return QString::fromUtf8(streams.err); }
  QString Temp(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
  // The exported file decoded from the code page.
  QString Text(const char* name) const {
    const std::optional<QByteArray> bytes = ReadWholeFile(Temp(name));
    if (!bytes) return u"(no file)"_s;
    CodePage codePage;
    return codePage.Decode(*bytes);
  }
  QStringList Lines(const char* name) const { return Text(name).split(u"\r\n"_s); }

  MemorySettingsStore settings;
  CliStreams streams;
  QTemporaryDir dir;
};

TEST_F(CliExport, WritesTheWholeOutlineInTheCodePageWithTheStoredFormat) {
  ASSERT_EQ(Run({"export", kSample, Temp("out.txt")}), 0) << Err().toStdString();
  const QStringList lines = Lines("out.txt");
  EXPECT_EQ(lines.first(), u"はじめての Quillmap"_s);
  EXPECT_TRUE(lines.contains(u"Ⅱ.予定"_s));
  EXPECT_TRUE(lines.contains(u"  1.○【仕事】会議の資料を作る"_s));
  EXPECT_TRUE(lines.contains(u"  ×【仕事】古い案"_s));

  settings.WriteInt(u"Text"_s, u"Form"_s, 4);
  ASSERT_EQ(Run({"export", kSample, Temp("out.html")}), 0);
  EXPECT_TRUE(Text("out.html").startsWith(u"<HTML>\n<BODY BGCOLOR=\"#FFFFFF\">\n<H1>"_s));
}

TEST_F(CliExport, SetChangesTextMarkAndViewForOneRun) {
  ASSERT_EQ(Run({"export", kSample, Temp("out.txt"), "--set", "Text/Form=1", "--set",
                 "Text/EditOut=0", "--set", "Mark/Check=[v]", "--set", "View/Time=1"}),
            0);
  const QStringList lines = Lines("out.txt");
  EXPECT_EQ(lines.value(1), u"1 使い方 (2026/12/01 09:35)"_s) << lines.join(u'|').toStdString();
  EXPECT_TRUE(lines.value(2).startsWith(u"  1-1 [v]項目を追加する ("_s));
  EXPECT_FALSE(settings.Contains(u"Text"_s, u"Form"_s));
}

TEST_F(CliExport, NodeSelectsItsBranchWhileSelectOnlyIsOn) {
  ASSERT_EQ(Run({"export", kSample, Temp("branch.txt"), "--node", "5", "--set=Text/EditOut=0"}), 0);
  EXPECT_EQ(Text("branch.txt"),
            u"Ⅱ.予定\r\n  1.○【仕事】会議の資料を作る\r\n  ×【仕事】古い案\r\n"
            u"  2.【家庭】買い物\r\n"_s);
  ASSERT_EQ(Run({"export", kSample, Temp("whole.txt"), "--node=5", "--set=Text/SelectOnly=0"}), 0);
  EXPECT_TRUE(Text("whole.txt").startsWith(u"はじめての Quillmap\r\n"_s));
}

TEST_F(CliExport, ClipboardWritesTheTextCopyInUtf8) {
  ASSERT_EQ(Run({"export", kSample, Temp("copy.txt"), "--clipboard", "--node", "5", "--set",
                 "Text/Form=1", "--set", "Text/EditOut=0"}),
            0);
  // The branch top has no number of its own in a copy.
  EXPECT_EQ(QString::fromUtf8(*ReadWholeFile(Temp("copy.txt"))),
            u"予定\r\n  1 ○【仕事】会議の資料を作る\r\n  2 ×【仕事】古い案\r\n"
            u"  3 【家庭】買い物\r\n"_s);
  ASSERT_EQ(Run({"export", kSample, Temp("copy.html"), "--clipboard", "--set", "Text/Form=5"}), 0);
  EXPECT_TRUE(ReadWholeFile(Temp("copy.html"))->startsWith("<H1>"));
}

TEST_F(CliExport, FailuresAndUsage) {
  EXPECT_EQ(Run({"export", kSample}), 2);
  EXPECT_EQ(Run({"export", kSample, Temp("x.txt"), "--node"}), 2);
  EXPECT_EQ(Run({"export", kSample, Temp("x.txt"), "--node", "two"}), 2);
  EXPECT_EQ(Run({"dump", kSample, "--clipboard"}), 2);
  EXPECT_EQ(Run({"convert", kSample, Temp("x.qmp"), "--node", "1"}), 2);

  EXPECT_EQ(Run({"export", kSample, Temp("x.txt"), "--node", "9"}), 1);
  EXPECT_EQ(Err(), res::kCliNoSuchNode.toString() + u"9\n"_s);
  EXPECT_EQ(Run({"export", kSample, Temp("no/folder/x.txt")}), 1);
  EXPECT_TRUE(Err().startsWith(res::kCannotCreateOutputFile.toString())) << Err().toStdString();
  EXPECT_EQ(Run({"export", kSample, Temp("no/folder/x.txt"), "--clipboard"}), 1);
  EXPECT_TRUE(Err().startsWith(res::kCannotCreateOutputFile.toString()));
}

TEST_F(CliExport, UnencodableCharactersNeedLossyButNotInTheCopy) {
  const QString marks = u"Mark/Normal=ก"_s;
  EXPECT_EQ(Run({"export", kSample, Temp("x.txt"), "--set", marks}), 1);
  EXPECT_TRUE(Err().startsWith(res::kUnencodableCharacters.toString() + u"ก"_s));
  EXPECT_TRUE(Err().contains(res::kCliLossyHint.toString()));
  EXPECT_FALSE(QFile::exists(Temp("x.txt")));
  EXPECT_EQ(Run({"export", kSample, Temp("x.txt"), "--set", marks, "--lossy"}), 0);
  EXPECT_TRUE(Text("x.txt").startsWith(u"?はじめての"_s));
  EXPECT_EQ(Run({"export", kSample, Temp("c.txt"), "--set", marks, "--clipboard"}), 0);
  EXPECT_TRUE(QString::fromUtf8(*ReadWholeFile(Temp("c.txt"))).startsWith(u"กはじめての"_s));
}

}  // namespace
}  // namespace qm
