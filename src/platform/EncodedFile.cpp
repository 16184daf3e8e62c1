// WriteEncodedFile: encode, refuse a loss unless allowed, replace the file.
#include "platform/EncodedFile.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"

namespace qm {

EncodedWrite WriteEncodedFile(const QString& path, QStringView text, SaveLoss loss,
                              FileWriteMode mode, FileSystem& fs) {
  EncodedWrite result;
  CodePage codePage;
  const QByteArray bytes = codePage.Encode(text, &result.unencodable);
  if (!result.unencodable.isEmpty() && loss == SaveLoss::Refuse) {
    result.status = EncodedWrite::Status::Unencodable;
    return result;
  }
  const WriteResult written = mode == FileWriteMode::Replace ? WriteFileReplacing(path, bytes, fs)
                                                             : WriteNewFile(path, bytes, fs);
  if (!written) {
    result.status = EncodedWrite::Status::CannotWrite;
    result.failure = written.failure;
  }
  return result;
}

}  // namespace qm
