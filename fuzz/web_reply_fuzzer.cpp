// Fuzzes the file store's code-and-message reply and the decoding of text
// replies by their charset: any reply decodes, and the code and message
// keep the form callers rely on.
//
// The first byte chooses the Content-Type the reply came with, so one
// corpus covers every charset.
#include <cstdint>
#include <cstdlib>

#include "net/HttpReply.h"
#include "net/WebFileClient.h"

namespace {

constexpr size_t kMaxInput = 64 * 1024;

const char* const kContentTypes[] = {
    "text/plain",
    "text/plain; charset=Shift_JIS",
    "text/plain; charset=\"Windows-31J\"",
    "text/plain; charset=UTF-8",
    "text/plain; charset=UTF-16",
    "text/plain; charset=utf-16le",
    "text/plain; charset=UTF-16BE",
    "text/plain; charset=",
    "text/plain; charset=nonsense; charset=utf-8",
};

bool EndsInSpace(const QString& text) { return !text.isEmpty() && text.back().isSpace(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > kMaxInput) return 0;
  const char* contentType = kContentTypes[data[0] % std::size(kContentTypes)];
  const QByteArrayView body(reinterpret_cast<const char*>(data + 1),
                            static_cast<qsizetype>(size - 1));
  const QString reply = qm::DecodeTextReply(contentType, body);

  const qm::CodeAndMessage result = qm::ParseCodeAndMessage(reply);
  if (EndsInSpace(result.message)) std::abort();
  const qsizetype lineFeed = reply.indexOf(u'\n');
  if (lineFeed < 0) {
    // Without a line feed there is no code: the reply is a success.
    if (result.code != 0) std::abort();
    if (!reply.startsWith(result.message)) std::abort();
  } else if (result.code != qm::LeadingNumber(reply.first(lineFeed))) {
    std::abort();
  }
  // The parse is stable: a message parsed again as a whole reply is itself.
  if (result.message.indexOf(u'\n') < 0 &&
      qm::ParseCodeAndMessage(result.message).message != result.message) {
    std::abort();
  }
  return 0;
}
