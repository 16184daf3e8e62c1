// qm_load_peak_memory FILE.qmp: how much the peak resident set grows while one outline file loads.
#include <QFileInfo>
#include <QString>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "OutlineGenerator.h"
#include "model/TreeStore.h"
#include "platform/CodePage.h"

namespace {

// A "Name:   1234 kB" line of /proc/self/status, in KiB; -1 when missing.
long StatusKib(const char* name) {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long value = -1;
  const size_t length = std::strlen(name);
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
      value = std::strtol(line + length + 1, nullptr, 10);
      break;
    }
  }
  std::fclose(status);
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE.qmp\n", argv[0]);
    return 2;
  }
  const QString path = QString::fromLocal8Bit(argv[1]);
  const qint64 fileBytes = QFileInfo(path).size();
  if (fileBytes <= 0) {
    std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
    return 1;
  }

  // What every load pays once per process whatever the file's size (the
  // converter's tables, the store's defaults) is paid before the first figure.
  auto host = std::make_unique<qm::bench::StoreHost>();
  auto store = std::make_unique<qm::CTreeStore>(host->settings, host->clock);
  {
    qm::CodePage warmUp;
    (void)warmUp.Decode("\x93\xfa\x96\x7b\x8c\xea abc");
  }

  const long peakBefore = StatusKib("VmHWM");
  const auto start = std::chrono::steady_clock::now();
  const int nodes = store->Load(path, 0);
  const auto end = std::chrono::steady_clock::now();
  const long peakAfter = StatusKib("VmHWM");
  const long residentAfter = StatusKib("VmRSS");
  if (nodes < 0) {
    std::fprintf(stderr, "%s: cannot load %s\n", argv[0], argv[1]);
    return 1;
  }

  const long increase = peakAfter - peakBefore;
  std::printf("file: %s\n", argv[1]);
  std::printf("file_bytes: %lld\n", static_cast<long long>(fileBytes));
  std::printf("nodes: %d\n", nodes);
  std::printf("load_ms: %.1f\n", std::chrono::duration<double, std::milli>(end - start).count());
  std::printf("peak_rss_before_kib: %ld\n", peakBefore);
  std::printf("peak_rss_after_kib: %ld\n", peakAfter);
  std::printf("rss_after_kib: %ld\n", residentAfter);
  std::printf("peak_increase_kib: %ld\n", increase);
  std::printf("peak_increase_per_file_byte: %.2f\n",
              static_cast<double>(increase) * 1024.0 / static_cast<double>(fileBytes));
  return 0;
}
