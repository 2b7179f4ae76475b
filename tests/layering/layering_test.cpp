// Reads the includes of every file below src/ and checks that they run one way down the floors
// of docs/architecture.md, and that core files stay free of Qt.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Lowest first. A folder's ui/ stands on the floor of its folder; platform/qt on platform's.
constexpr std::array<std::string_view, 11> kFloors = {
    "platform", "services", "pictures", "recipedb", "nutrients", "recipes",
    "exchange", "diary",    "kitchen",  "maintenance", "app"};

// The floor of a path relative to src/ (a file or an include), or none for a folder that is not
// a floor. The entry point main.cpp belongs to app.
std::optional<size_t> FloorOf(std::string_view path) {
  const size_t slash = path.find('/');
  if (slash == std::string_view::npos) {
    if (path == "main.cpp") return kFloors.size() - 1;
    return std::nullopt;
  }
  const auto it = std::find(kFloors.begin(), kFloors.end(), path.substr(0, slash));
  if (it == kFloors.end()) return std::nullopt;
  return static_cast<size_t>(it - kFloors.begin());
}

// Windows (ui/ folders), the Qt half of the platform and the entry point may use Qt.
bool IsQtSide(std::string_view path) {
  return path.find("/ui/") != std::string_view::npos || path.starts_with("platform/qt/") ||
         path == "main.cpp";
}

struct Include {
  std::string target;  // as written between the quotes or brackets
  bool angled;
};

// The #include lines of a file, in order.
std::vector<Include> IncludesOf(const fs::path& file) {
  std::vector<Include> result;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    size_t p = line.find_first_not_of(" \t");
    if (p == std::string::npos || line[p] != '#') continue;
    p = line.find_first_not_of(" \t", p + 1);
    if (p == std::string::npos || line.compare(p, 7, "include") != 0) continue;
    p = line.find_first_of("\"<", p + 7);
    if (p == std::string::npos) continue;
    const char close = line[p] == '"' ? '"' : '>';
    const size_t end = line.find(close, p + 1);
    if (end == std::string::npos) continue;
    result.push_back({line.substr(p + 1, end - p - 1), close == '>'});
  }
  return result;
}

// Why `file` (relative to src/) may not include `inc`, or empty when it may.
std::string Violation(std::string_view file, const Include& inc) {
  const bool qtSide = IsQtSide(file);
  if (inc.angled) {
    // Qt's headers: <QString>, <QtCore/QString> and the lower-case <qstring.h> spelling.
    const bool qtHeader =
        inc.target.starts_with("Q") || (inc.target.starts_with("q") && inc.target != "queue");
    if (qtHeader && !qtSide) return "a core file includes a Qt header";
    return {};
  }
  // A name without a folder lies beside the including file.
  if (inc.target.find('/') == std::string::npos) return {};
  const auto from = FloorOf(file);
  const auto to = FloorOf(inc.target);
  if (!to) return "the include names no floor";
  if (from && *to > *from)
    return std::string(kFloors[*to]) + " stands above " + std::string(kFloors[*from]);
  if (!qtSide && IsQtSide(inc.target)) return "a core file includes a window or Qt header";
  return {};
}

std::vector<std::string> SourceFiles() {
  const fs::path src = fs::path(TAVOLIN_SOURCE_DIR) / "src";
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file()) continue;
    const std::string ext = entry.path().extension().string();
    if (ext == ".h" || ext == ".cpp") files.push_back(fs::relative(entry.path(), src).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(Layering, RulesOfTheFloors) {
  struct Case {
    const char* file;
    Include inc;
    bool allowed;
  };
  const Case cases[] = {
      {"recipes/ui/recipe_list_window.cpp", {"services/ui/lang_dialog.h", false}, true},
      {"recipes/ui/recipe_list_window.cpp", {"recipes/recipe_list_rows.h", false}, true},
      {"recipes/ui/recipe_list_window.cpp", {"app/ui/main_window.h", false}, false},
      {"recipedb/ui/cookbook_dialog.cpp", {"recipes/ui/empty_view_window.h", false}, false},
      {"recipes/recipe_view.cpp", {"recipedb/recipe_model.h", false}, true},
      {"recipedb/unit_table.cpp", {"recipes/key_figures.h", false}, false},
      {"services/context.cpp", {"platform/services.h", false}, true},
      {"platform/qt/qt_services.cpp", {"services/context.h", false}, false},
      {"platform/qt/qt_services.cpp", {"platform/qt/qt_text.h", false}, true},
      {"platform/text_file.cpp", {"platform/qt/qt_text.h", false}, false},
      {"recipes/recipe_view.cpp", {"recipes/ui/data_pane_window.h", false}, false},
      {"recipes/recipe_view.cpp", {"QString", true}, false},
      {"recipes/recipe_view.cpp", {"QtCore/QString", true}, false},
      {"recipes/recipe_view.cpp", {"qstring.h", true}, false},
      {"recipes/recipe_view.cpp", {"queue", true}, true},
      {"recipes/ui/data_pane_window.cpp", {"QWidget", true}, true},
      {"main.cpp", {"app/ui/startup.h", false}, true},
      {"main.cpp", {"QLocale", true}, true},
      {"app/ui/main_window.cpp", {"maintenance/ui/backup_dialog.h", false}, true},
      {"maintenance/ui/backup_dialog.cpp", {"gadgets/widget.h", false}, false},
      {"services/ui/lang_dialog.cpp", {"lang_dialog.h", false}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Violation(c.file, c.inc).empty(), c.allowed) << c.file << " -> " << c.inc.target;
}

TEST(Layering, EveryFolderIsAFloor) {
  const std::vector<std::string> files = SourceFiles();
  ASSERT_GT(files.size(), 100u) << "src/ not found below " << TAVOLIN_SOURCE_DIR;
  std::string strays;
  for (const std::string& file : files)
    if (!FloorOf(file)) strays += "\n  src/" + file;
  EXPECT_TRUE(strays.empty()) << "files outside the floors of docs/architecture.md:" << strays;
}

TEST(Layering, IncludesRunDownTheFloors) {
  const fs::path src = fs::path(TAVOLIN_SOURCE_DIR) / "src";
  std::string report;
  int count = 0;
  for (const std::string& file : SourceFiles()) {
    for (const Include& inc : IncludesOf(src / file)) {
      const std::string why = Violation(file, inc);
      if (why.empty()) continue;
      ++count;
      report += "\n  src/" + file + " includes " + (inc.angled ? "<" : "\"") + inc.target +
                (inc.angled ? ">" : "\"") + ": " + why;
    }
  }
  EXPECT_EQ(count, 0) << "includes against the floors of docs/architecture.md:" << report;
}

}  // namespace
