#pragma once
// Finds the pictures a guide shows: "![ALT](TARGET)" on a line of the guide, outside fenced code
// blocks (where "![" is an example, not a picture). The tests check that each one is there, is a
// small PNG beside the guides, and that no picture under docs/ is left that no guide shows.
#include <string>
#include <vector>

namespace quillon::docs {

struct GuidePicture {
  int line = 0;        // from 1
  std::string alt;     // what the picture shows, for a reader who cannot see it
  std::string target;  // as written: a path relative to the guide, or an address
};

std::vector<GuidePicture> FindPictures(const std::string& markdown);

}  // namespace quillon::docs
