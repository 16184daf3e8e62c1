// JsonWriter's strings against QJsonDocument's compact text: every UTF-16
// unit, surrogates whole, halved and split between the writer's pieces;
// and the chunks a sink receives. (Whole outlines, integers and nesting
// included, are compared in CliDumpBytesTest.)
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include "cli/JsonWriter.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

QByteArray Streamed(const QStringList& texts) {
  QByteArray out;
  JsonWriter writer(out);
  writer.BeginArray();
  for (const QString& text : texts) writer.String(text);
  writer.EndArray();
  return out;
}

QByteArray Documented(const QStringList& texts) {
  return QJsonDocument(QJsonArray::fromStringList(texts)).toJson(QJsonDocument::Compact);
}

TEST(JsonWriter, EscapesEveryUtf16UnitAsQJsonDocumentDoes) {
  QStringList differing;
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
    // Between other text, so that a unit is never judged only at an end.
    const QStringList texts{u"a"_s + QChar(unit) + u"b"_s, QString(QChar(unit))};
    if (Streamed(texts) != Documented(texts)) differing << QString::number(unit, 16);
  }
  EXPECT_TRUE(differing.isEmpty()) << differing.join(u' ').toStdString();
}

TEST(JsonWriter, WritesSurrogatesAsQJsonDocumentDoes) {
  const QChar high(0xD83D);
  const QChar low(0xDE00);
  const QString pair = QString(high) + low;  // U+1F600
  QStringList texts{pair,
                    QString(high),
                    QString(low),
                    u"x"_s + high,
                    QString(low) + high,
                    QString(high) + high + low,
                    QString(high) + u"x"_s + low,
                    u"\uFFFD\uFFFE\uFFFF\u2028/\x7f\"\\\t"_s,
                    u"😀𝄞🇯🇵"_s};
  // Pairs and halves at and around the writer's piece boundaries.
  for (qsizetype at : {4094, 4095, 4096, 4097, 8191, 8192}) {
    texts << QString(at, u'x') + pair + QString(at, u'y');
    texts << QString(at, u'x') + high;
    texts << QString(at, u'x') + low + pair;
  }
  QString pairs;
  for (int i = 0; i < 9000; ++i) pairs += pair;
  texts << pairs << u"x"_s + pairs;
  EXPECT_EQ(Streamed(texts), Documented(texts));
}

TEST(JsonWriter, DrainsChunksAsItGoesEvenInsideOneLongString) {
  const QString text = QString(300'000, u'\x01') + u"end"_s;  // six bytes a unit
  QByteArray out;
  QList<qsizetype> chunks;
  QByteArray drained;
  {
    JsonWriter writer(out, [&](QByteArrayView bytes) {
      chunks << bytes.size();
      drained += bytes;
      return true;
    });
    writer.BeginArray();
    writer.String(text);
    writer.Integer(7);
    writer.EndArray();
  }
  EXPECT_EQ(drained + out, Documented({text}).chopped(1) + ",7]");
  ASSERT_GE(chunks.size(), 1);
  for (qsizetype size : chunks) {
    EXPECT_GE(size, JsonWriter::kDefaultChunkBytes);
    EXPECT_LT(size, JsonWriter::kDefaultChunkBytes + 6 * 4096 + 16);
  }
  EXPECT_LT(out.size(), JsonWriter::kDefaultChunkBytes);
}

}  // namespace
}  // namespace qm
