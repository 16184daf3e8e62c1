// CodePage: Shift_JIS through the host's ICU converter, with the control
// bytes passed through by hand.
#include "platform/CodePage.h"

namespace qm {
namespace {

constexpr QStringConverter::Flags kFlags = QStringConverter::Flag::Stateless;

// Bytes and characters the host's converter maps to each other crosswise.
bool IsShuffledControlByte(char byte) { return byte == 0x1A || byte == 0x1C || byte == 0x7F; }
bool IsShuffledControlChar(char16_t c) { return c == 0x1A || c == 0x1C || c == 0x7F; }

// The converter reports a byte it cannot read as U+001A; real 0x1A bytes
// never reach it, so every U+001A it returns is such a byte.
constexpr char16_t kConverterSubstitute = 0x1A;
constexpr char16_t kReplacement = 0xFFFD;
// Encoding works in slices so that an unencodable character costs a
// character-by-character pass over its slice only.
constexpr qsizetype kEncodeSlice = 4096;

}  // namespace

CodePage::CodePage()
    : m_decoder("Shift_JIS", kFlags), m_encoder("Shift_JIS", kFlags) {
  Q_ASSERT(m_decoder.isValid() && m_encoder.isValid());
}

void CodePage::DecodeRun(QByteArrayView run, QString& out, qsizetype& undecodable) {
  if (run.isEmpty()) return;
  m_decoder.resetState();
  const qsizetype start = out.size();
  out += m_decoder.decode(run);
  if (!m_decoder.hasError()) return;
  for (qsizetype i = start; i < out.size(); ++i) {
    if (out[i] == kConverterSubstitute || out[i] == kReplacement) {
      out[i] = kReplacement;
      ++undecodable;
    }
  }
}

QString CodePage::Decode(QByteArrayView bytes, qsizetype* undecodable) {
  QString out;
  out.reserve(bytes.size());
  qsizetype bad = 0;
  qsizetype runStart = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (!IsShuffledControlByte(bytes[i])) continue;
    DecodeRun(bytes.sliced(runStart, i - runStart), out, bad);
    out += QChar(static_cast<char16_t>(bytes[i]));
    runStart = i + 1;
  }
  DecodeRun(bytes.sliced(runStart), out, bad);
  if (undecodable) *undecodable = bad;
  return out;
}

void CodePage::EncodeCharByChar(QStringView run, QByteArray& out, QString* unencodable) {
  qsizetype i = 0;
  while (i < run.size()) {
    const qsizetype width = (run[i].isHighSurrogate() && i + 1 < run.size() &&
                             run[i + 1].isLowSurrogate()) ? 2 : 1;
    const QStringView one = run.sliced(i, width);
    m_encoder.resetState();
    const QByteArray bytes = m_encoder.encode(one);
    if (m_encoder.hasError()) {
      out += '?';
      if (unencodable && !unencodable->contains(one)) *unencodable += one;
    } else {
      out += bytes;
    }
    i += width;
  }
}

void CodePage::EncodeRun(QStringView run, QByteArray& out, QString* unencodable) {
  while (!run.isEmpty()) {
    qsizetype length = qMin(run.size(), kEncodeSlice);
    // Never cut a surrogate pair between two slices.
    if (length < run.size() && run[length - 1].isHighSurrogate()) --length;
    const QStringView slice = run.first(length);
    m_encoder.resetState();
    QByteArray bytes = m_encoder.encode(slice);
    if (m_encoder.hasError()) {
      EncodeCharByChar(slice, out, unencodable);
    } else {
      out += bytes;
    }
    run = run.sliced(length);
  }
}

QByteArray CodePage::Encode(QStringView text, QString* unencodable) {
  if (unencodable) unencodable->clear();
  QByteArray out;
  out.reserve(text.size() * 2);
  qsizetype runStart = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!IsShuffledControlChar(text[i].unicode())) continue;
    EncodeRun(text.sliced(runStart, i - runStart), out, unencodable);
    out += static_cast<char>(text[i].unicode());
    runStart = i + 1;
  }
  EncodeRun(text.sliced(runStart), out, unencodable);
  return out;
}

bool CodePage::CanEncode(QStringView text) {
  QString bad;
  Encode(text, &bad);
  return bad.isEmpty();
}

}  // namespace qm
