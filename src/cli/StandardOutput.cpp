// StandardOutput: checked writes to the standard streams.
#include "cli/StandardOutput.h"

#include <cerrno>

#include "platform/FileIo.h"

namespace qm {
namespace {

bool Failed(QString* why) {
  if (why != nullptr) *why = FailureReason(FailureFromErrno(errno));
  return false;
}

}  // namespace

bool WriteAll(std::FILE* stream, QByteArrayView bytes, QString* why) {
  errno = 0;
  const auto size = static_cast<size_t>(bytes.size());
  // An empty view may hold no pointer at all, which fwrite must not be given.
  if (size != 0 && std::fwrite(bytes.constData(), 1, size, stream) != size) return Failed(why);
  if (std::fflush(stream) != 0 || std::ferror(stream) != 0) return Failed(why);
  return true;
}

bool CloseStream(std::FILE* stream, QString* why) {
  errno = 0;
  if (std::fclose(stream) != 0) return Failed(why);
  return true;
}

}  // namespace qm
