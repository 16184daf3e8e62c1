// Behaviour of quillmap-cli: the dump schema, convert, --set, and the exit
// status and messages of failures.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "cli/CliRunner.h"
#include "platform/FileIo.h"
#include "platform/MemorySettingsStore.h"
#include "res/Strings.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

const QString kSample = QStringLiteral(QM_SOURCE_DIR "/samples/sample.qmp");

class Cli : public ::testing::Test {
 protected:
  int Run(const QStringList& arguments) {
    streams = {};
    return RunCli(arguments, settings, streams);
  }
  QString Err() const { return QString::fromUtf8(streams.err); }
  QJsonObject Json() const { return QJsonDocument::fromJson(streams.out).object(); }
  QString Temp(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

  MemorySettingsStore settings;
  CliStreams streams;
  QTemporaryDir dir;
};

TEST_F(Cli, DumpPrintsTheOutlineContract) {
  ASSERT_EQ(Run({"dump", kSample}), 0) << Err().toStdString();
  const QJsonObject json = Json();
  const QJsonArray nodes = json["nodes"].toArray();
  ASSERT_EQ(nodes.size(), 9);
  const QJsonObject root = nodes[0].toObject();
  EXPECT_EQ(root["level"].toInt(), 0);
  EXPECT_EQ(root["chapter"].toString(), QString());
  EXPECT_EQ(root["updated"].toString(), QStringLiteral("20261201093000"));
  EXPECT_TRUE(root["stamp"].isNull());
  EXPECT_EQ(root["id"].toString().size(), 13);
  const QJsonObject meeting = nodes[6].toObject();
  EXPECT_EQ(meeting["title"].toString(), QStringLiteral("会議の資料を作る"));
  EXPECT_EQ(meeting["path"].toArray().size(), 3);
  EXPECT_EQ(meeting["chapter"].toString(), QStringLiteral("1."));
  EXPECT_EQ(meeting["flags"].toInt(), 65537);
  EXPECT_TRUE(meeting["body"].toString().endsWith(QStringLiteral("\r\n")));
  for (const char* key : {"link", "expanded", "mark", "line", "created"}) {
    EXPECT_TRUE(meeting.contains(QString::fromUtf8(key))) << key;
  }
  EXPECT_EQ(json["categories"].toArray()[0].toObject()["name"].toString(), QStringLiteral("仕事"));
  const QJsonObject styles = json["styles"].toObject();
  EXPECT_EQ(styles["count"].toInt(), 10);
  EXPECT_EQ(styles["levels"].toArray()[3].toObject()["prefix"].toString(), QStringLiteral("("));
}

TEST_F(Cli, ConvertWritesTheSameBytesBack) {
  ASSERT_EQ(Run({"convert", kSample, Temp("copy.qmp")}), 0) << Err().toStdString();
  EXPECT_EQ(ReadWholeFile(Temp("copy.qmp")), ReadWholeFile(kSample));
}

TEST_F(Cli, SetLaysSettingsOverTheStoreForOneRun) {
  const QString path = QStringLiteral("ShoStr/Sho00");
  // A file without styles takes the defaults from the settings, --set first.
  QFile file(Temp("bare.qmp"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      "\x08\r\n\x08\r\nR\r\nR\x01"
      "A\r\n");
  file.close();
  ASSERT_EQ(Run({"dump", Temp("bare.qmp"), "--set=" + path + "=6"}), 0);
  EXPECT_EQ(Json()["nodes"].toArray()[1].toObject()["chapter"].toString(), QStringLiteral("一."));
  EXPECT_FALSE(settings.Contains(QStringLiteral("ShoStr"), QStringLiteral("Sho00")));
}

TEST_F(Cli, UsageErrorsExitWithTwo) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"dump"}), 2);
  EXPECT_EQ(Run({"convert", "a.qmp"}), 2);
  EXPECT_EQ(Run({"frobnicate", "a.qmp"}), 2);
  EXPECT_EQ(Run({"dump", "a.qmp", "--bogus"}), 2);
  EXPECT_EQ(Run({"dump", "a.qmp", "--set"}), 2);
  EXPECT_EQ(Run({"dump", "a.qmp", "--set", "nosection=1"}), 2);
  EXPECT_TRUE(Err().contains(res::kCliBadSetting.toString()));
}

TEST_F(Cli, FailuresExitWithOneAndTheProgramsMessage) {
  EXPECT_EQ(Run({"dump", Temp("missing.qmp")}), 1);
  EXPECT_TRUE(Err().startsWith(res::kFileNotFound.toString())) << Err().toStdString();
  EXPECT_EQ(Run({"convert", kSample, Temp("no/folder/x.qmp")}), 1);
  EXPECT_TRUE(Err().startsWith(res::kCannotWrite.toString()));
  EXPECT_EQ(Run({"convert", kSample, Temp("no/folder/x.txt")}), 1);
  EXPECT_FALSE(Err().isEmpty());
}

// Without a renderer of its own, convert writes the text output's file form.
TEST_F(Cli, ConvertToPlainTextWritesTheTextOutput) {
  ASSERT_EQ(Run({"convert", kSample, Temp("x.txt"), "--set", "Text/Form=3"}), 0)
      << Err().toStdString();
  EXPECT_FALSE(ReadWholeFile(Temp("x.txt")).value_or(QByteArray()).isEmpty());
}

TEST_F(Cli, UnencodableCharactersNeedLossy) {
  // Bytes that are not Shift_JIS are read as U+FFFD, which cannot be saved.
  QFile bad(Temp("bad.qmp"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("R\xFF\r\n");
  bad.close();
  EXPECT_EQ(Run({"convert", Temp("bad.qmp"), Temp("out.qmp")}), 1);
  EXPECT_TRUE(Err().contains(res::kUndecodableBytes.toString()));
  EXPECT_TRUE(Err().contains(res::kUnencodableCharacters.toString()));
  EXPECT_TRUE(Err().contains(res::kCliLossyHint.toString()));
  EXPECT_FALSE(QFile::exists(Temp("out.qmp")));
  EXPECT_EQ(Run({"convert", Temp("bad.qmp"), Temp("out.qmp"), "--lossy"}), 0);
  EXPECT_TRUE(ReadWholeFile(Temp("out.qmp"))->contains("R?\x05"));
}

// A load that left lines out may convert to another file, but its own file
// is written over only with --force, and a file that gave no text at all
// is no outline.
TEST_F(Cli, AnInputReadWithLossesIsKeptUnlessForced) {
  QFile file(Temp("damaged.qmp"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  // Text after a body's opening mark has no place in the outline.
  const QByteArray damaged =
      "R\r\n\x04"
      "junk\r\ntext\r\r\n\x04\r\n";
  file.write(damaged);
  file.close();

  EXPECT_EQ(Run({"convert", Temp("damaged.qmp"), Temp("damaged.qmp")}), 1);
  EXPECT_TRUE(Err().contains(res::kCliKeepsLossyInput.toString())) << Err().toStdString();
  EXPECT_EQ(ReadWholeFile(Temp("damaged.qmp")), damaged);
  // Another spelling of the same path is the same file.
  EXPECT_EQ(Run({"convert", Temp("damaged.qmp"), dir.path() + "/./damaged.qmp"}), 1);

  EXPECT_EQ(Run({"convert", Temp("damaged.qmp"), Temp("copy.qmp")}), 0);
  EXPECT_FALSE(Err().isEmpty());  // the warnings still say what was left out
  EXPECT_EQ(Run({"convert", Temp("damaged.qmp"), Temp("damaged.qmp"), "--force"}), 0);
  EXPECT_EQ(ReadWholeFile(Temp("damaged.qmp")), ReadWholeFile(Temp("copy.qmp")));
  EXPECT_EQ(Run({"dump", Temp("damaged.qmp"), "--force"}), 2);

  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\x08\r\nNoSuchKey=1\r\nNorThis=2\r\n");  // never closed, nothing known
  file.close();
  EXPECT_EQ(Run({"dump", Temp("damaged.qmp")}), 1);
  EXPECT_TRUE(Err().contains(res::kCliNothingRead.toString())) << Err().toStdString();
  EXPECT_TRUE(streams.out.isEmpty());
}

TEST_F(Cli, MessagesSayWhyAFileCouldNotBeUsed) {
  EXPECT_EQ(Run({"dump", dir.path()}), 1);
  EXPECT_TRUE(Err().contains(res::kFileNotFound.toString() +
                             res::kFileReason.toString().arg(res::kFileReasonIsFolder)))
      << Err().toStdString();
  EXPECT_EQ(Run({"convert", kSample, Temp("no/folder/x.qmp")}), 1);
  EXPECT_TRUE(Err().contains(res::kFileReason.toString().arg(res::kFileReasonNotFound)))
      << Err().toStdString();
  EXPECT_EQ(Run({"export", kSample, Temp("no/folder/x.txt")}), 1);
  EXPECT_TRUE(Err().contains(res::kFileReason.toString().arg(res::kFileReasonNotFound)))
      << Err().toStdString();
}

// ---- Plain-text and memo files ----

class CliTextFiles : public Cli {
 protected:
  QString WriteTemp(const char* name, const QByteArray& bytes) {
    QFile file(Temp(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }
  // Every node of a dumped file as "level title".
  QStringList Dumped(const QString& path, QStringList extra = {}) {
    EXPECT_EQ(Run(QStringList{"dump", path} + extra), 0) << Err().toStdString();
    QStringList out;
    for (const QJsonValue node : Json()["nodes"].toArray()) {
      out << QString::number(node["level"].toInt()) + u' ' + node["title"].toString();
    }
    return out;
  }
};

TEST_F(CliTextFiles, ConvertReadsPlainTextAndMemoFilesByNameOrAsMemoWithWz) {
  const QString text = WriteTemp("plan.txt", ".A\r\n1. B\r\n(1) C\r\n..D\r\n");
  ASSERT_EQ(Run({"convert", text, Temp("plan.qmp")}), 0) << Err().toStdString();
  EXPECT_EQ(Dumped(Temp("plan.qmp")), QStringList({"0 .A", "1 B", "2 C"}));
  ASSERT_EQ(Run({"convert", text, Temp("memo.qmp"), "--wz"}), 0) << Err().toStdString();
  EXPECT_EQ(Dumped(Temp("memo.qmp")), QStringList({"0 plan", "1 A", "2 D"}));
  const QString memo = WriteTemp("m.mem", ".Root\r\n..A\r\n");
  EXPECT_EQ(Dumped(memo), QStringList({"0 m", "1 Root", "2 A"}));
  EXPECT_EQ(Dumped(memo, {"--set", "System/WzImportTopTree=0"}), QStringList({"0 Root", "1 A"}));
}

TEST_F(CliTextFiles, ConvertWritesMemoFilesThatReadBackTheSame) {
  const QByteArray memo("intro\r\n\r\n.A\r\n..B\r\nbody\r\n\r\n.C\r\n");
  ASSERT_EQ(Run({"convert", WriteTemp("same.mem", memo), Temp("copy.qmp")}), 0);
  ASSERT_EQ(Run({"convert", Temp("copy.qmp"), Temp("same.mem")}), 0) << Err().toStdString();
  EXPECT_EQ(ReadWholeFile(Temp("same.mem")), memo);
  EXPECT_EQ(Run({"convert", kSample, Temp("no/folder/x.mem")}), 1);
  EXPECT_TRUE(Err().startsWith(res::kCannotOpenDestination.toString())) << Err().toStdString();
}

TEST_F(CliTextFiles, ConvertToPlainTextWritesTheTextOutputUnlessAQuestionIsDue) {
  const TextFileRenderer renderer = [](CTreeStore& store, int first, int end, TextSink& sink) {
    for (int i = first; i < end; ++i) sink.Text() += store.GetTitle(i) + QStringLiteral("\r\n");
  };
  const QString memo = WriteTemp("m.mem", ".A\r\n..B\r\n");
  ASSERT_EQ(RunCli({"convert", memo, Temp("m.txt")}, settings, streams, renderer), 0);
  EXPECT_EQ(ReadWholeFile(Temp("m.txt")), QByteArray("m\r\nA\r\nB\r\n"));
  streams = {};
  EXPECT_EQ(RunCli({"convert", memo, Temp("n.txt"), "--set", "System/bTextFile=1"}, settings,
                   streams, renderer),
            1);
  EXPECT_TRUE(Err().contains(res::kCliTextFileQuestionDeclined.toString())) << Err().toStdString();
  EXPECT_FALSE(QFile::exists(Temp("n.txt")));
}

}  // namespace
}  // namespace qm
