// quillmap-cli dump writes, byte for byte, what building the outline as a
// QJsonDocument wrote (ReferenceDump): for the files the other cli tests
// read, for outlines with every awkward kind of text, and for random small
// outlines; and it hands a long dump over in chunks, stopping when they
// cannot be written.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <limits>
#include <memory>
#include <random>

#include "ReferenceOutlineJson.h"
#include "cli/CliRunner.h"
#include "cli/JsonWriter.h"
#include "cli/OutlineJson.h"
#include "model/TreeStore.h"
#include "platform/MemorySettingsStore.h"
#include "support/FakeClock.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

class DumpBytes : public ::testing::Test {
 protected:
  QString WriteTemp(const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromUtf8(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }
  // The file loaded as dump loads it, written by the reference.
  QByteArray Expected(const QString& path, bool wz) {
    CTreeStore store(settings, clock);
    EXPECT_GE(store.Load(path, wz ? 1 : 0), 0) << path.toStdString();
    return test::ReferenceDump(store) + '\n';
  }
  QByteArray Dumped(const QString& path, bool wz) {
    streams = {};
    QStringList arguments{u"dump"_s, path};
    if (wz) arguments << u"--wz"_s;
    EXPECT_EQ(RunCli(arguments, settings, streams), 0) << streams.err.toStdString();
    return streams.out;
  }
  // The store written by WriteOutlineJson, in chunks of chunkBytes.
  static QByteArray Streamed(CTreeStore& store, qsizetype chunkBytes) {
    QByteArray out;
    QByteArray drained;
    JsonWriter writer(
        out,
        [&](QByteArrayView bytes) {
          drained += bytes;
          return true;
        },
        chunkBytes);
    EXPECT_TRUE(WriteOutlineJson(store, writer));
    return drained + out;
  }

  MemorySettingsStore settings;
  test::FakeClock clock;
  CliStreams streams;
  QTemporaryDir dir;
};

TEST_F(DumpBytes, FilesDumpAsTheDocumentWroteThem) {
  const QList<std::pair<QString, bool>> files{
      {QStringLiteral(QM_SOURCE_DIR "/samples/sample.qmp"), false},
      {WriteTemp("bare.qmp",
                 "\x08\r\n\x08\r\nR\r\nR\x01"
                 "A\r\n"),
       false},
      {WriteTemp("bad.qmp", "R\xFF\r\n"), false},  // U+FFFD
      {WriteTemp("damaged.qmp", "R\r\n\x04junk\r\ntext\r\r\n\x04\r\n"), false},
      {WriteTemp("plan.txt", ".A\r\n1. B\r\n(1) C\r\n..D\r\n"), false},
      {dir.filePath(u"plan.txt"_s), true},
      {WriteTemp("m.mem", "intro\r\n\r\n.Root\r\n..A \"q\" \\ / \t\r\nbody\r\n\r\n.C\r\n"), false},
      {WriteTemp("empty.qmp", ""), false},
  };
  for (const auto& [path, wz] : files) {
    EXPECT_EQ(Dumped(path, wz), Expected(path, wz)) << path.toStdString() << " wz " << wz;
  }
  settings.WriteInt(u"ShoStr"_s, u"Sho00"_s, 6);
  EXPECT_EQ(Dumped(files[1].first, false), Expected(files[1].first, false));
}

void AddNode(CTreeStore& store, const QString& path, const QString& body) {
  auto node = std::make_unique<CDirData>();
  node->m_strPath = path;
  node->m_strBody = body;
  node->m_strLink = body.left(40);
  store.AppendLoaded(std::move(node));
}

TEST_F(DumpBytes, AwkwardTextsDumpAsTheDocumentWroteThem) {
  const QString sep(kPathSeparator);
  const QString awkward =
      u"\"quoted\" back\\slash /slash \b\f\n\r\t\x0b\x1f\x7f é 漢字 \uFFFD \uFFFE 😀"_s +
      QChar(0xD800) + u"x"_s + QChar(0xDFFF);
  CTreeStore store(settings, clock);
  AddNode(store, u"Root"_s, awkward);
  AddNode(store, u"Root"_s + sep + awkward, QString(200'000, u'本') + u"\r\n"_s + awkward);
  AddNode(store, u"Root"_s + sep + u"cut\x02hidden"_s, u""_s);
  AddNode(store, u"Root"_s + sep + u"cut\x02hidden"_s + sep + sep, awkward.repeated(3000));
  store.FinishLoading(u"awkward.qmp"_s);
  CDirData& node = store.GetNode(1);
  node.m_nFlags = std::numeric_limits<qint32>::min();
  node.m_nLine = std::numeric_limits<qint32>::max();
  node.m_nMark = -1;
  node.m_bExpand = 0;
  node.m_nIdHigh = -1;  // more than six hex digits
  node.SetUpdateTime(0);
  node.SetCreateTime(std::numeric_limits<qint32>::max());
  node.m_stStamp = Stamp{2026, 12, 3, 9, 8, 7, 6, 5};
  store.Categories().Entries() = {{awkward, awkward}, {u""_s, u"\\"_s}};
  store.Styles().Append({awkward, kNumberCustom, awkward, {awkward, u""_s, u"\x01"_s}});

  const QByteArray expected = test::ReferenceDump(store);
  EXPECT_EQ(Streamed(store, JsonWriter::kDefaultChunkBytes), expected);
  EXPECT_EQ(Streamed(store, 1), expected);
}

// Random outlines from an alphabet of the characters that need care.
TEST_F(DumpBytes, RandomOutlinesDumpAsTheDocumentWroteThem) {
  const QString alphabet =
      u"a\"\\/\x01\x02\b\n\r\x1f\x7fé本\uFFFD"_s + QChar(0xD83D) + QChar(0xDE00) + QChar(0xDC00);
  std::mt19937 random(12);
  const auto text = [&](unsigned most) {
    QString out;
    for (unsigned n = random() % (most + 1); n > 0; --n)
      out += alphabet[random() % alphabet.size()];
    return out;
  };
  for (int round = 0; round < 300; ++round) {
    CTreeStore store(settings, clock);
    QString path = text(3);
    for (unsigned n = random() % 6 + 1; n > 0; --n) {
      auto node = std::make_unique<CDirData>();
      node->m_strPath = path;
      node->m_strBody = text(12);
      node->m_nFlags = static_cast<qint32>(random());
      node->m_nMark = static_cast<qint32>(random() % 3);
      if (random() % 2) node->SetUpdateTime(static_cast<qint32>(random()));
      if (random() % 2) node->m_stStamp = Stamp{2001, 2, 3, 4, 5, 6, 7, 8};
      store.AppendLoaded(std::move(node));
      path += u'\x01' + text(4);
    }
    store.FinishLoading(u"random.qmp"_s);
    store.Categories().Entries().append({text(5), text(5)});
    const QByteArray expected = test::ReferenceDump(store);
    ASSERT_EQ(Streamed(store, 7), expected) << "round " << round;
  }
}

// Enough nodes for several chunks: dump hands them to the drain as it goes
// and stops at the first that cannot be written.
TEST_F(DumpBytes, ALongDumpIsDrainedInChunksAndStopsWhenTheyCannotBeWritten) {
  QByteArray memo;
  for (int i = 0; i < 20'000; ++i) memo += ".Node " + QByteArray::number(i) + "\r\nbody\r\n";
  const QString path = WriteTemp("long.mem", memo);
  const QByteArray whole = Dumped(path, false);
  ASSERT_GT(whole.size(), 3 * JsonWriter::kDefaultChunkBytes);

  QList<QByteArray> chunks;
  streams = {};
  streams.drain = [&](QByteArrayView bytes) {
    chunks << bytes.toByteArray();
    return true;
  };
  ASSERT_EQ(RunCli({u"dump"_s, path}, settings, streams), 0);
  EXPECT_GE(chunks.size(), 3);
  EXPECT_EQ(chunks.join() + streams.out, whole);

  int calls = 0;
  streams = {};
  streams.drain = [&](QByteArrayView) {
    ++calls;
    return false;
  };
  EXPECT_EQ(RunCli({u"dump"_s, path}, settings, streams), 1);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(streams.out.isEmpty());
}

}  // namespace
}  // namespace qm
