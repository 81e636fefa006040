// The guides' pictures: every picture a guide shows is there and small, and every picture kept
// under docs/ is shown by a guide, so a renamed or forgotten picture is caught before a reader
// meets a broken one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "docs/GuidePictures.h"

namespace quillon::docs {
namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kLargestPicture = 80 * 1024;  // bytes: a guide page stays light

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(GuidePictures, FoundOnTheirLinesAndNotInCodeOrPlainLinks) {
  auto pictures = FindPictures(
      "Intro with a [link](other.md).\n"
      "![One](pictures/one.png) and ![](two.png)\n"
      "```\n"
      "![not a picture](code.png)\n"
      "```\n"
      "![Three](pictures/three.png\n"
      "![Four](https://example.org/four.png)\n");
  struct Expected {
    int line;
    std::string alt, target;
  };
  const Expected expected[] = {{2, "One", "pictures/one.png"},
                               {2, "", "two.png"},
                               {7, "Four", "https://example.org/four.png"}};
  ASSERT_EQ(pictures.size(), std::size(expected));
  for (size_t i = 0; i < pictures.size(); ++i) {
    EXPECT_EQ(pictures[i].line, expected[i].line) << i;
    EXPECT_EQ(pictures[i].alt, expected[i].alt) << i;
    EXPECT_EQ(pictures[i].target, expected[i].target) << i;
  }
}

TEST(GuidePictures, EveryPictureShownIsASmallPngBesideTheGuidesAndEveryOneKeptIsShown) {
  const fs::path root = QUILLON_DOCS_DIR;
  ASSERT_TRUE(fs::is_directory(root)) << root;
  std::set<fs::path> shown;
  for (const auto& entry : fs::directory_iterator(root)) {
    if (entry.path().extension() != ".md") continue;
    for (const GuidePicture& picture : FindPictures(Read(entry.path()))) {
      const std::string where =
          entry.path().filename().string() + ":" + std::to_string(picture.line);
      EXPECT_FALSE(picture.alt.empty()) << where << ": a picture needs words for who cannot see it";
      ASSERT_EQ(picture.target.find("://"), std::string::npos)
          << where << ": the guides' pictures are kept with them, not fetched from the web";
      const fs::path file = fs::weakly_canonical(root / picture.target);
      ASSERT_TRUE(fs::is_regular_file(file)) << where << ": " << picture.target << " is missing";
      EXPECT_EQ(Read(file).substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8))
          << where << ": " << picture.target << " is not a PNG";
      EXPECT_LE(fs::file_size(file), kLargestPicture) << where << ": " << picture.target;
      shown.insert(file);
    }
  }
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".png" || extension == ".jpg" || extension == ".gif") {
      EXPECT_TRUE(shown.count(fs::weakly_canonical(entry.path())))
          << entry.path() << " is kept but no guide shows it";
    }
  }
}

}  // namespace
}  // namespace quillon::docs
