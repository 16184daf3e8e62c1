// Checks every include under src/ against the table of which layer may include which, and keeps Qt
// Gui and Widgets in the window layer.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace qm {
namespace {

namespace fs = std::filesystem;

// The layers, the folders of src/, and what each may include besides its own
// folder. Every layer may include res/. A folder missing here is reported, so
// a new layer gets its row before its first file.
struct Layer {
  std::string_view name;
  std::string_view mayInclude;
};
constexpr Layer kLayers[] = {
    {"platform", "res"},
    {"model", "platform res"},
    {"output", "model platform res"},
    {"net", "platform res"},
    {"editing", "output model net platform res"},
    {"app", "editing output model net platform res"},
    {"gui", "app editing output model net platform res"},
    {"cli", "app output model net platform res"},
    {"server", "net model platform res"},
};
// The only layer that may draw; the tool and the tests must build without a display stack.
constexpr std::string_view kWindowLayer = "gui";

const Layer* FindLayer(std::string_view name) {
  for (const Layer& layer : kLayers) {
    if (layer.name == name) return &layer;
  }
  return nullptr;
}

bool MayInclude(const Layer& from, std::string_view to) {
  if (to == from.name) return true;
  std::string_view rest = from.mayInclude;
  while (!rest.empty()) {
    const size_t space = std::min(rest.find(' '), rest.size());
    if (rest.substr(0, space) == to) return true;
    rest.remove_prefix(std::min(space + 1, rest.size()));
  }
  return false;
}

struct Finding {
  std::string where;  // file:line, relative to the source folder
  std::string what;
};

struct Findings {
  int files = 0;
  std::vector<Finding> edges;
  std::vector<Finding> windowHeaders;
};

// "res", a layer's name for a file under src/LAYER/, or "" for anything else.
std::string LayerOf(const fs::path& root, const fs::path& file) {
  const fs::path relative = file.lexically_normal().lexically_relative(root);
  auto part = relative.begin();
  if (part == relative.end()) return {};
  if (*part == "res") return "res";
  if (*part != "src" || ++part == relative.end()) return {};
  const fs::path folder = *part;
  return ++part == relative.end() ? std::string() : folder.string();
}

// Resolves an include the way the build's include paths do (src/ and the top
// folder; a quoted one first beside the file) and returns the layer it lands
// in, or "" for a header outside the project such as <QString> or <net/if.h>.
std::string IncludedLayer(const fs::path& root, const fs::path& file, bool quoted,
                          const std::string& name) {
  std::vector<fs::path> candidates;
  if (quoted) candidates.push_back(file.parent_path() / name);
  candidates.push_back(root / "src" / name);
  candidates.push_back(root / name);
  for (const fs::path& candidate : candidates) {
    std::error_code error;
    if (fs::is_regular_file(candidate, error)) return LayerOf(root, candidate);
  }
  return {};
}

bool IsWindowHeader(const std::string& name, const std::vector<fs::path>& guiHeaderDirs) {
  if (name.starts_with("QtGui/") || name.starts_with("QtWidgets/")) return true;
  return std::any_of(guiHeaderDirs.begin(), guiHeaderDirs.end(), [&](const fs::path& dir) {
    std::error_code error;
    return fs::is_regular_file(dir / name, error);
  });
}

// Reads `#include "name"` or `#include <name>`, with the spaces the
// preprocessor allows; false for any other line.
bool ParseInclude(std::string_view line, bool& quoted, std::string& name) {
  const auto skipSpaces = [&] {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  };
  skipSpaces();
  if (!line.starts_with('#')) return false;
  line.remove_prefix(1);
  skipSpaces();
  if (!line.starts_with("include")) return false;
  line.remove_prefix(7);
  skipSpaces();
  if (line.empty() || (line.front() != '"' && line.front() != '<')) return false;
  quoted = line.front() == '"';
  const size_t end = line.find(quoted ? '"' : '>', 1);
  if (end == std::string_view::npos) return false;
  name = line.substr(1, end - 1);
  return true;
}

Findings Scan(const fs::path& root, const std::vector<fs::path>& guiHeaderDirs) {
  static const std::set<std::string> kSourceExtensions = {".h",   ".hpp", ".cpp", ".cc",
                                                          ".cxx", ".inl", ".ipp"};
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(root / "src")) {
    if (entry.is_regular_file() && kSourceExtensions.count(entry.path().extension().string())) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());

  Findings findings;
  findings.files = static_cast<int>(files.size());
  for (const fs::path& file : files) {
    const std::string shown = file.lexically_relative(root).string();
    const std::string layerName = LayerOf(root, file);
    const Layer* layer = FindLayer(layerName);
    if (layer == nullptr) {
      findings.edges.push_back({shown, "is in no layer of the table"});
      continue;
    }
    std::ifstream in(file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      bool quoted = false;
      std::string name;
      if (!ParseInclude(line, quoted, name)) continue;
      const std::string spelled = quoted ? "\"" + name + "\"" : "<" + name + ">";
      const std::string where = shown + ":" + std::to_string(number);
      const std::string included = IncludedLayer(root, file, quoted, name);
      if (included.empty()) {
        if (layerName != kWindowLayer && IsWindowHeader(name, guiHeaderDirs)) {
          findings.windowHeaders.push_back({where, "includes " + spelled +
                                                       ", a Qt Gui or Widgets header, outside " +
                                                       std::string(kWindowLayer)});
        }
      } else if (included != "res" && !MayInclude(*layer, included)) {
        findings.edges.push_back(
            {where, layerName + " -> " + included + " (includes " + spelled + ")"});
      }
    }
  }
  return findings;
}

std::vector<fs::path> QtWindowHeaderDirs() {
  std::vector<fs::path> dirs;
  std::string_view rest = QM_QT_GUI_HEADER_DIRS;
  while (!rest.empty()) {
    const size_t colon = std::min(rest.find(':'), rest.size());
    if (colon > 0) dirs.emplace_back(rest.substr(0, colon));
    rest.remove_prefix(std::min(colon + 1, rest.size()));
  }
  return dirs;
}

std::string Report(const std::vector<Finding>& findings) {
  std::string out;
  for (const Finding& finding : findings) out += "\n  " + finding.where + ": " + finding.what;
  return out;
}

TEST(LayeringTest, IncludesFollowTheLayerTable) {
  const Findings findings = Scan(QM_SOURCE_DIR, {});
  ASSERT_GT(findings.files, 0) << "no sources found under " QM_SOURCE_DIR "/src";
  EXPECT_TRUE(findings.edges.empty())
      << findings.edges.size() << " includes break the layer table:" << Report(findings.edges);
}

TEST(LayeringTest, OnlyTheWindowLayerIncludesQtGuiOrWidgets) {
  const std::vector<fs::path> dirs = QtWindowHeaderDirs();
  if (dirs.empty()) GTEST_SKIP() << "Qt6 Gui and Widgets were not found at configure time";
  const Findings findings = Scan(QM_SOURCE_DIR, dirs);
  EXPECT_TRUE(findings.windowHeaders.empty())
      << findings.windowHeaders.size() << " includes need a display stack outside the window layer:"
      << Report(findings.windowHeaders);
}

// A checker that silently finds nothing would pass forever, so it runs on a
// small tree with known faults.
TEST(LayeringTest, ScanFindsEveryFaultInAPlantedTree) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const fs::path root = temp.path().toStdString();
  const auto write = [&](const std::string& path, const std::string& text) {
    fs::create_directories((root / path).parent_path());
    std::ofstream(root / path) << text;
  };
  write("res/Strings.h", "");
  write("src/platform/Clock.h", "#include <ctime>\n");
  write("src/model/Local.h", "");
  write("src/model/Node.h",
        "#include \"app/Frame.h\"\n"
        "  #  include <editing/Doc.h>  // angled and spaced\n"
        "#include \"res/Strings.h\"\n"
        "#include \"platform/Clock.h\"\n"
        "#include \"Local.h\"\n"
        "#include <net/if.h>\n"
        "// #include \"app/Frame.h\" is only a comment\n");
  write("src/app/Frame.h", "#include \"../gui/Window.h\"\n");
  write("src/gui/Window.h", "#include <QWidget>\n#include <QtGui/QFont>\n");
  write("src/editing/Doc.h", "#include <QString>\n#include <QtWidgets/QMenu>\n#include <QFont>\n");
  write("src/extra/Stray.cpp", "");
  write("src/notes.txt", "#include \"gui/Window.h\"\n");

  const Findings findings = Scan(root, QtWindowHeaderDirs());
  std::vector<std::string> edges;
  for (const Finding& finding : findings.edges) edges.push_back(finding.where + " " + finding.what);
  EXPECT_EQ(edges, (std::vector<std::string>{
                       "src/app/Frame.h:1 app -> gui (includes \"../gui/Window.h\")",
                       "src/extra/Stray.cpp is in no layer of the table",
                       "src/model/Node.h:1 model -> app (includes \"app/Frame.h\")",
                       "src/model/Node.h:2 model -> editing (includes <editing/Doc.h>)",
                   }));
  std::vector<std::string> windowHeaders;
  for (const Finding& finding : findings.windowHeaders) windowHeaders.push_back(finding.where);
  std::vector<std::string> expected = {"src/editing/Doc.h:2"};
  // Only the installed headers tell that a bare <QFont> belongs to Qt Gui.
  if (!QtWindowHeaderDirs().empty()) expected.push_back("src/editing/Doc.h:3");
  EXPECT_EQ(windowHeaders, expected);
}

}  // namespace
}  // namespace qm
