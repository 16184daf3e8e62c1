// quillmap-keyfile: writes the key definition file the program ships
// (res/DefaultKeys.h) to the path given, with the program's own file writer.
// The build runs it; a row whose key text names no key fails the build.
#include <QString>
#include <cstdio>

#include "app/KeyBindings.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillmap-keyfile OUTPUT\n");
    return 2;
  }
  const std::optional<std::vector<qm::CKeycust>> records = qm::DefaultKeyRecords();
  if (!records) {
    std::fprintf(stderr, "quillmap-keyfile: a row of res/DefaultKeys.h names no key\n");
    return 1;
  }
  const QString path = QString::fromLocal8Bit(argv[1]);
  const qm::WriteResult written = qm::WriteFileReplacing(path, qm::EncodeKeyFile(*records));
  if (!written) {
    std::fprintf(stderr, "quillmap-keyfile: %s: %s\n", argv[1],
                 qm::FailureReason(written.failure).toLocal8Bit().constData());
    return 1;
  }
  return 0;
}
