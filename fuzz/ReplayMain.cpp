// A stand-in for libFuzzer's main: runs a fuzz target once on each given input, so any compiler can
// replay the seeds.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Weak: most targets do not define it, and they must still link.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

namespace fs = std::filesystem;

// Adds the file, or every file below the folder in sorted order so a run is
// the same on every machine. False, after saying why, when there is nothing.
bool Collect(const fs::path& path, std::vector<fs::path>& inputs) {
  std::error_code error;
  if (fs::is_directory(path, error)) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(path, error)) {
      if (entry.is_regular_file()) found.push_back(entry.path());
    }
    if (error) {
      std::fprintf(stderr, "replay: cannot list %s: %s\n", path.c_str(), error.message().c_str());
      return false;
    }
    if (found.empty()) {
      std::fprintf(stderr, "replay: folder %s holds no inputs\n", path.c_str());
      return false;
    }
    std::sort(found.begin(), found.end());
    inputs.insert(inputs.end(), found.begin(), found.end());
    return true;
  }
  if (!fs::is_regular_file(path, error)) {
    std::fprintf(stderr, "replay: no such file or folder: %s\n", path.c_str());
    return false;
  }
  inputs.push_back(path);
  return true;
}

bool Run(const fs::path& path) {
  std::fprintf(stderr, "Running: %s\n", path.c_str());
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.good() && !in.eof()) {
    std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
    return false;
  }
  // A buffer of exactly the input's size, as libFuzzer gives, so that
  // AddressSanitizer reports a read one byte past the end.
  const auto data = std::make_unique<uint8_t[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), data.get());
  LLVMFuzzerTestOneInput(data.get(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
    return 2;
  }
  // Every path is checked before the first run, so a wrong one fails fast.
  std::vector<fs::path> inputs;
  bool ok = true;
  for (int i = 1; i < argc; ++i) ok = Collect(argv[i], inputs) && ok;
  if (!ok) return 1;
  for (const fs::path& input : inputs) {
    if (!Run(input)) return 1;
  }
  std::fprintf(stderr, "replay: %zu inputs ran\n", inputs.size());
  return 0;
}
