// WriteEncodedFile: text encoded chunk by chunk into the atomic file write,
// a loss refused unless allowed.
#include "platform/EncodedFile.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "platform/FileIo.h"

namespace qm {
namespace {

// UTF-16 units encoded at a time: at most a megabyte of bytes.
constexpr qsizetype kChunkUnits = qsizetype{1} << 19;

// Encodes each chunk and hands its bytes to the file, until a character is
// lost that may not be; from then on it only lists what else is lost.
class EncodingSink final : public TextSink {
 public:
  EncodingSink(ByteSink* bytes, SaveLoss loss, QString* unencodable)
      : TextSink(kChunkUnits, kChunkUnits + kChunkUnits / 4),
        m_bytes(bytes),
        m_loss(loss),
        m_encoder(unencodable) {
    if (m_bytes) m_buffer.reserve(2 * kChunkUnits);
  }

  bool Refused() const { return m_loss == SaveLoss::Refuse && m_encoder.LostAny(); }

 protected:
  void Consume(QStringView text) override {
    m_encoder.Append(text, m_buffer);
    if (m_bytes && !Refused()) m_bytes->Append(m_buffer);
    m_buffer.truncate(0);  // keeps the allocation
  }

 private:
  ByteSink* const m_bytes;  // null: list only
  const SaveLoss m_loss;
  CodePageEncoder m_encoder;
  QByteArray m_buffer;
};

}  // namespace

EncodedWrite WriteEncodedFile(const QString& path, QStringView text, SaveLoss loss,
                              FileWriteMode mode, FileSystem& fs) {
  const TextWriter write = [text](TextSink& sink) {
    for (qsizetype at = 0; at < text.size(); at += kChunkUnits) {
      sink.Text() += text.sliced(at, std::min(kChunkUnits, text.size() - at));
      sink.Pace();
    }
  };
  return WriteEncodedFile(path, write, loss, mode, fs);
}

EncodedWrite WriteEncodedFile(const QString& path, const TextWriter& write, SaveLoss loss,
                              FileWriteMode mode, FileSystem& fs) {
  EncodedWrite result;
  bool encoded = false;
  const ByteWriter encode = [&](ByteSink& bytes) {
    EncodingSink sink(&bytes, loss, &result.unencodable);
    write(sink);
    sink.Finish();
    encoded = true;
    return !sink.Refused();
  };
  const WriteResult written = mode == FileWriteMode::Replace ? WriteFileReplacing(path, encode, fs)
                                                             : WriteNewFile(path, encode, fs);
  // A lost character is said before any failure to write, as when the text
  // was encoded before the file was opened: the user decides about the loss
  // first, then hears why the file could not be written. The encoding goes
  // on to the end after a failed write, so only a failure before the first
  // byte leaves it to be done here.
  if (!written && !encoded && loss == SaveLoss::Refuse) result.unencodable = UnencodableIn(write);
  if (written.failure.kind == FileFailure::Kind::Abandoned ||
      (!written && loss == SaveLoss::Refuse && !result.unencodable.isEmpty())) {
    result.status = EncodedWrite::Status::Unencodable;
  } else if (!written) {
    result.status = EncodedWrite::Status::CannotWrite;
    result.failure = written.failure;
  }
  return result;
}

QString UnencodableIn(const TextWriter& write) {
  QString unencodable;
  EncodingSink sink(nullptr, SaveLoss::Allow, &unencodable);
  write(sink);
  sink.Finish();
  return unencodable;
}

}  // namespace qm
