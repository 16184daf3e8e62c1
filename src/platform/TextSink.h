// TextSink: where a writer of a large text puts it, so that the whole text
// need never be held at once. The writer appends to Text() and calls Pace()
// between records; once the collected text has grown past a chunk it is
// handed on (encoded and written, say) and the buffer starts again, keeping
// its allocation. The owner of the sink calls Finish() at the end.
//
// A surrogate pair is never cut in two between chunks, so what receives the
// chunks sees every character whole.
#pragma once

#include <QString>
#include <QStringView>
#include <limits>

namespace qm {

class TextSink {
 public:
  TextSink(const TextSink&) = delete;
  TextSink& operator=(const TextSink&) = delete;
  virtual ~TextSink() = default;

  // The text collected since the last chunk was handed on; append to it.
  QString& Text() { return m_text; }

  // Hands the collected text on once it holds a chunk or more.
  void Pace() {
    if (m_text.size() >= m_chunk) HandOn(false);
  }

  // Hands on whatever is left.
  void Finish() { HandOn(true); }

 protected:
  // chunk: UTF-16 units collected before they are handed on; room: the
  // units to allocate for at once.
  TextSink(qsizetype chunk, qsizetype room) : m_chunk(chunk) { m_text.reserve(room); }

  virtual void Consume(QStringView text) = 0;

 private:
  void HandOn(bool last) {
    qsizetype cut = m_text.size();
    if (!last && cut > 0 && m_text.at(cut - 1).isHighSurrogate()) --cut;
    if (cut == 0) return;
    Consume(QStringView(m_text).first(cut));
    m_text.remove(0, cut);  // keeps the allocation
  }

  const qsizetype m_chunk;
  QString m_text;
};

// A sink that keeps the whole text, for callers that want it as one string:
// nothing is handed on, and Take (not Finish) ends it.
class StringSink final : public TextSink {
 public:
  StringSink() : TextSink(std::numeric_limits<qsizetype>::max(), 0) {}

  QString Take() { return std::move(Text()); }

 protected:
  void Consume(QStringView) override {}  // never reached: no chunk is ever full
};

}  // namespace qm
