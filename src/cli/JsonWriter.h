// JsonWriter: compact JSON text written as it is made, byte for byte what
// QJsonDocument::toJson(QJsonDocument::Compact) gives for the same values,
// without building a document first. A large outline's dump then needs
// memory for one chunk of text, not for a whole document and its copy.
//
// The caller writes values in order: BeginObject/Key/value.../EndObject,
// BeginArray/value.../EndArray. The writer adds the commas and colons but
// does not reorder: since QJsonObject keeps its keys sorted, an object's
// keys must be given in ascending order to match it. Strings are escaped as
// QJsonDocument escapes them: '"', '\\' and the controls below U+0020 by a
// backslash, everything else as UTF-8, but a lone surrogate as \uXXXX.
// Integers print in decimal; there are no doubles because nothing written
// holds one.
//
// Text is appended to a byte array the caller owns. With a sink, the array
// is handed to it and emptied whenever it holds at least chunkBytes (also
// inside one long string), so it stays near that size; what is left at
// the end stays in the array for the caller. Once the sink has refused
// bytes it is not called again, text is discarded, and Ok() is false.
// Not thread-safe.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <functional>

namespace qm {

class JsonWriter {
 public:
  // Takes a run of finished text. Returns false when it could not be
  // written.
  using Sink = std::function<bool(QByteArrayView)>;

  static constexpr qsizetype kDefaultChunkBytes = qsizetype{1} << 20;

  // out (and sink) must outlive the writer.
  explicit JsonWriter(QByteArray& out, Sink sink = {}, qsizetype chunkBytes = kDefaultChunkBytes);
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The name of the next member. REQUIRES: inside an object, keys ascending.
  void Key(QStringView key);
  void String(QStringView text);
  void Integer(qint64 value);
  void Null();

  // False once the sink has refused text; callers may stop early.
  bool Ok() const { return m_ok; }

 private:
  void BeforeValue();
  // Hands the text to the sink when it has reached a chunk's size.
  void DrainIfFull();

  QByteArray& m_out;
  Sink m_sink;
  qsizetype m_chunkBytes;
  bool m_needsComma = false;
  bool m_ok = true;
};

}  // namespace qm
