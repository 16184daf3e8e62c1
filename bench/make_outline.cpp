// qm_make_outline [--branch] N OUT.qmp: writes a sample outline file for measuring by hand.
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "OutlineGenerator.h"
#include "model/TreeStore.h"

int main(int argc, char** argv) {
  const bool branch = argc == 4 && std::strcmp(argv[1], "--branch") == 0;
  if (argc != (branch ? 4 : 3)) {
    std::fprintf(stderr,
                 "usage: %s N OUT.qmp          an outline of N nodes\n"
                 "       %s --branch N OUT.qmp an outline whose root's second child has a"
                 " branch of N nodes\n",
                 argv[0], argv[0]);
    return 2;
  }
  const int size = std::atoi(argv[argc - 2]);
  if (size < 1) {
    std::fprintf(stderr, "%s: N must be at least 1\n", argv[0]);
    return 2;
  }
  qm::bench::StoreHost host;
  qm::CTreeStore store(host.settings, host.clock);
  if (branch) {
    qm::bench::GenerateOutlineWithBranch(store, size);
  } else {
    qm::bench::GenerateOutline(store, size);
  }
  QString error;
  if (!qm::bench::WriteSampleFile(store, QString::fromLocal8Bit(argv[argc - 1]), &error)) {
    std::fprintf(stderr, "%s: %s\n", argv[0], qPrintable(error));
    return 1;
  }
  std::printf("%d nodes written to %s\n", store.GetCount(), argv[argc - 1]);
  return 0;
}
