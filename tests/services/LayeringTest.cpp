// The program's composition root is the top of the house: below it, nothing reaches back up
// into app/. Only the sandbox, which starts the program, may include its headers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace quillon::services {
namespace {

TEST(LayeringTest, OnlyTheSandboxIncludesTheProgramRoot) {
  const char* source_dir = std::getenv("QUILLON_SOURCE_DIR");
  ASSERT_NE(source_dir, nullptr) << "QUILLON_SOURCE_DIR names the source tree";
  const std::filesystem::path src = std::filesystem::path(source_dir) / "src";
  ASSERT_TRUE(std::filesystem::is_directory(src)) << src;

  std::vector<std::string> upward;
  size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file()) continue;
    const std::filesystem::path relative = entry.path().lexically_relative(src);
    const std::string folder = relative.begin()->string();
    if (folder == "app" || folder == "sandbox") continue;
    const std::string extension = entry.path().extension().string();
    if (extension != ".h" && extension != ".cpp") continue;
    ++files;
    std::ifstream in(entry.path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      if (line.starts_with("#include \"app/")) {
        upward.push_back(relative.string() + ":" + std::to_string(number) + ": " + line);
      }
    }
  }
  EXPECT_GT(files, 100u) << "the walk found the sources";
  for (const std::string& found : upward) ADD_FAILURE() << found;
}

}  // namespace
}  // namespace quillon::services
