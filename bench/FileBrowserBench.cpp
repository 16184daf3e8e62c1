// The file browser on a folder of 10,000 files: listing, filtering and sorting it through
// CFileBrowser, against two outside references doing the same listing in the same run: raw
// readdir + fstatat + std::sort, and `ls -l` (one process, sorted by name, every file stat'ed).
// With the window layer built, also the Qt window filled with that folder (off screen).
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/FileBrowser.h"
#include "platform/FolderListing.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"

#ifdef QM_BENCH_GUI
#include <QApplication>
#include <QHeaderView>
#include <QTreeView>

#include "gui/FileBrowserDialog.h"
#endif

namespace qm::bench {
namespace {

constexpr int kFileCount = 10000;
constexpr int kFolderCount = 20;

// Made once per run: outlines and text files of varied sizes and times, a few folders.
const QTemporaryDir& Folder() {
  static QTemporaryDir folder = [] {
    QTemporaryDir dir;
    for (int i = 0; i < kFolderCount; ++i) {
      ::mkdir(QFile::encodeName(dir.filePath(QString::asprintf("folder%02d", i))).constData(),
              0700);
    }
    for (int i = 0; i < kFileCount; ++i) {
      // Scattered names so that no listing order is already sorted.
      const int key = (i * 7919) % kFileCount;
      const QString name = QString::asprintf(i % 4 == 0 ? "Memo %05d.txt" : "note-%05d.qmp", key);
      const QByteArray path = QFile::encodeName(dir.filePath(name));
      const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const std::string bytes(static_cast<std::size_t>(key % 500), 'x');
      if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) < 0) std::abort();
      ::close(fd);
      const timeval when[2] = {{1267765650 - key * 600, 0}, {1267765650 - key * 600, 0}};
      ::utimes(path.constData(), when);
    }
    return dir;
  }();
  return folder;
}

// Opening the dialog on the folder: list, keep what the filter matches, sort by one column.
void BM_FileBrowserOpen(benchmark::State& state) {
  const QString folder = Folder().path();
  const SystemFolderLister lister;
  MemorySettingsStore settings;
  Write(settings, settings::kFileSelectSortItem, static_cast<int>(state.range(0)));
  FileBrowserRequest request;
  request.initialFolder = folder;
  request.filterText = QStringLiteral("全てのファイル|*.*||");
  std::size_t rows = 0;
  for (auto _ : state) {
    CFileBrowser browser(request, settings, lister);
    if (!browser.Open().Ok()) state.SkipWithError("folder not listed");
    rows = browser.Entries().size();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_FileBrowserOpen)->ArgName("column")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The outline filter only (three files in four), as the open command starts.
void BM_FileBrowserOpenFiltered(benchmark::State& state) {
  const SystemFolderLister lister;
  MemorySettingsStore settings;
  FileBrowserRequest request;
  request.initialFolder = Folder().path();
  request.filterText = QStringLiteral("Quillmap(*.qmp) |*.qmp|Text(*.txt) |*.txt||");
  for (auto _ : state) {
    CFileBrowser browser(request, settings, lister);
    browser.Open();
    benchmark::DoNotOptimize(browser.Entries().size());
  }
}
BENCHMARK(BM_FileBrowserOpenFiltered)->Unit(benchmark::kMillisecond);

// A click on a column header of the filled list: the sort alone.
void BM_FileBrowserHeaderClick(benchmark::State& state) {
  const SystemFolderLister lister;
  MemorySettingsStore settings;
  FileBrowserRequest request;
  request.initialFolder = Folder().path();
  CFileBrowser browser(request, settings, lister);
  browser.Open();
  for (auto _ : state) {
    browser.SortByColumn(static_cast<FileColumn>(state.range(0)));
    benchmark::DoNotOptimize(browser.SelectedIndex());
  }
}
BENCHMARK(BM_FileBrowserHeaderClick)
    ->ArgName("column")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);

// Reference: the least a listing can do with the same system calls, in plain C++.
void BM_ReferenceReaddirStatSort(benchmark::State& state) {
  const QByteArray folder = QFile::encodeName(Folder().path());
  struct Row {
    std::string name;
    bool folder;
    off_t size;
    time_t modified;
  };
  std::vector<Row> rows;
  for (auto _ : state) {
    rows.clear();
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = ::fdopendir(fd);
    while (const dirent* entry = ::readdir(dir)) {
      if (entry->d_name[0] == '.') continue;
      struct stat info {};
      if (::fstatat(fd, entry->d_name, &info, 0) != 0) continue;
      rows.push_back({entry->d_name, S_ISDIR(info.st_mode), info.st_size, info.st_mtime});
    }
    ::closedir(dir);
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
      if (a.folder != b.folder) return a.folder;
      return ::strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_ReferenceReaddirStatSort)->Unit(benchmark::kMillisecond);

// Reference: `ls -l` on the folder, output read to the end (includes starting the process).
void BM_ReferenceLsLong(benchmark::State& state) {
  const std::string command = "LC_ALL=C ls -l '" + Folder().path().toStdString() + "' 2>/dev/null";
  std::size_t bytes = 0;
  for (auto _ : state) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
      state.SkipWithError("popen failed");
      break;
    }
    char buffer[65536];
    bytes = 0;
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) bytes += got;
    ::pclose(pipe);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReferenceLsLong)->Unit(benchmark::kMillisecond);

#ifdef QM_BENCH_GUI
// The window opening on the folder: listing and sorting as above, the list
// model reset, and the window laid out and painted once.
void BM_FileBrowserWindowOpen(benchmark::State& state) {
  const SystemFolderLister lister;
  MemorySettingsStore settings;
  FileBrowserRequest request;
  request.initialFolder = Folder().path();
  for (auto _ : state) {
    FileBrowserDialog dialog(request, {}, settings, lister);
    dialog.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(dialog.Browser().Entries().size());
  }
}
BENCHMARK(BM_FileBrowserWindowOpen)->Unit(benchmark::kMillisecond);

// A header click in the shown window: the sort and the list shown again.
void BM_FileBrowserWindowHeaderClick(benchmark::State& state) {
  const SystemFolderLister lister;
  MemorySettingsStore settings;
  FileBrowserRequest request;
  request.initialFolder = Folder().path();
  FileBrowserDialog dialog(request, {}, settings, lister);
  dialog.show();
  QApplication::processEvents();
  auto* list = dialog.findChild<QTreeView*>(QStringLiteral("fileList"));
  for (auto _ : state) {
    emit list->header()->sectionClicked(static_cast<int>(state.range(0)));
    QApplication::processEvents();
  }
}
BENCHMARK(BM_FileBrowserWindowHeaderClick)
    ->ArgName("column")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace qm::bench
