// The layer drawing of src/README.md is the rule the build keeps: every `#include "FOLDER/..."` in
// a folder of src/ must be an edge that the folder's line of the table allows. The separate build
// targets catch most wrong includes at compile time, but only for what a target links; this test
// also catches a header-only edge and keeps the drawing honest when someone adds a folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path SourceDir() {
  const char* dir = std::getenv("QUILLON_SOURCE_DIR");
  return dir ? fs::path(dir) : fs::current_path();
}

std::string Trim(std::string s) {
  const auto first = s.find_first_not_of(" \t`");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t`");
  return s.substr(first, last - first + 1);
}

// The table's rows: "| folder | what it is | may include | why the unusual edges |". Names in the
// third cell are split at commas and blanks; "-" allows nothing. A row may also name one file
// ("sandbox/main.cpp"): a program's entry point stands above every folder its executable links,
// so it gets a rule of its own instead of widening its folder's.
std::map<std::string, std::set<std::string>> ReadAllowedEdges(const fs::path& readme,
                                                                std::string* problem) {
  std::map<std::string, std::set<std::string>> allowed;
  std::ifstream in(readme);
  if (!in) {
    *problem = "cannot read " + readme.string();
    return allowed;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("|", 0) != 0) continue;
    std::vector<std::string> cells;
    std::stringstream row(line.substr(1));
    for (std::string cell; std::getline(row, cell, '|');) cells.push_back(Trim(cell));
    if (cells.size() < 3 || cells[0].empty() || cells[0] == "folder" ||
        cells[0].find_first_not_of("-: ") == std::string::npos) {
      continue;
    }
    std::set<std::string>& edges = allowed[cells[0]];
    std::string names = cells[2];
    for (char& c : names) {
      if (c == ',') c = ' ';
    }
    std::stringstream split(names);
    for (std::string name; split >> name;) {
      if (name != "-") edges.insert(Trim(name));
    }
  }
  return allowed;
}

struct Include {
  fs::path file;
  int line = 0;
  std::string folder;  // the folder of src/ it reaches into
};

std::vector<Include> IncludesOf(const fs::path& file) {
  static const std::regex kQuoted(R"(^\s*#\s*include\s*"([a-z_]+)/)");
  std::vector<Include> found;
  std::ifstream in(file);
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    std::smatch match;
    if (std::regex_search(text, match, kQuoted)) found.push_back({file, number, match[1]});
  }
  return found;
}

class IncludeEdgesTest : public testing::Test {
 protected:
  void SetUp() override {
    src_ = SourceDir() / "src";
    std::string problem;
    allowed_ = ReadAllowedEdges(src_ / "README.md", &problem);
    ASSERT_TRUE(problem.empty()) << problem;
  }
  fs::path src_;
  std::map<std::string, std::set<std::string>> allowed_;
};

TEST_F(IncludeEdgesTest, EveryFolderHasALineAndEveryLineAFolder) {
  std::set<std::string> folders;
  for (const auto& entry : fs::directory_iterator(src_)) {
    if (entry.is_directory()) folders.insert(entry.path().filename().string());
  }
  for (const auto& folder : folders) {
    EXPECT_TRUE(allowed_.count(folder)) << "src/" << folder << " has no line in src/README.md";
  }
  for (const auto& [folder, edges] : allowed_) {
    if (folder.find('/') != std::string::npos) {
      EXPECT_TRUE(fs::is_regular_file(src_ / folder)) << "src/README.md names a file that is not "
                                                      << "there: " << folder;
    } else {
      EXPECT_TRUE(folders.count(folder)) << "src/README.md names a folder that is not there: "
                                         << folder;
    }
    for (const auto& to : edges) {
      EXPECT_TRUE(folders.count(to)) << folder << " may include " << to << ", which is not there";
    }
  }
}

TEST_F(IncludeEdgesTest, EveryIncludeFollowsAnAllowedEdge) {
  std::vector<std::string> wrong;
  for (const auto& entry : fs::recursive_directory_iterator(src_)) {
    const auto ext = entry.path().extension();
    if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    const fs::path relative = fs::relative(entry.path(), src_);
    const std::string folder = relative.begin()->string();
    auto rules = allowed_.find(relative.generic_string());
    if (rules == allowed_.end()) rules = allowed_.find(folder);
    for (const Include& include : IncludesOf(entry.path())) {
      if (include.folder == folder) continue;
      if (rules != allowed_.end() && rules->second.count(include.folder)) continue;
      wrong.push_back(fs::relative(include.file, src_).string() + ":" +
                      std::to_string(include.line) + " includes " + include.folder + "/");
    }
  }
  std::string listing;
  for (const auto& w : wrong) listing += "\n  " + w;
  EXPECT_TRUE(wrong.empty()) << "includes across a line the drawing does not allow:" << listing;
}

// The drawing must be a drawing of layers: no folder may reach itself through its edges.
TEST_F(IncludeEdgesTest, TheEdgesHaveNoCycle) {
  std::map<std::string, int> state;  // 1 visiting, 2 done
  std::vector<std::string> path;
  std::string cycle;
  std::function<void(const std::string&)> visit = [&](const std::string& folder) {
    if (!cycle.empty() || state[folder] == 2) return;
    path.push_back(folder);
    if (state[folder] == 1) {
      for (const auto& step : path) cycle += step + " ";
      return;
    }
    state[folder] = 1;
    for (const auto& to : allowed_[folder]) visit(to);
    state[folder] = 2;
    path.pop_back();
  };
  for (const auto& [folder, edges] : allowed_) {
    if (folder.find('/') == std::string::npos) visit(folder);
  }
  EXPECT_TRUE(cycle.empty()) << "the edges go round: " << cycle;
}

}  // namespace
