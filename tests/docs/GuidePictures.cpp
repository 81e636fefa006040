#include "docs/GuidePictures.h"

#include <sstream>

namespace quillon::docs {

std::vector<GuidePicture> FindPictures(const std::string& markdown) {
  std::vector<GuidePicture> pictures;
  std::istringstream in(markdown);
  std::string line;
  int number = 0;
  bool in_code = false;
  while (std::getline(in, line)) {
    ++number;
    if (line.rfind("```", 0) == 0) {
      in_code = !in_code;
      continue;
    }
    if (in_code) continue;
    size_t at = 0;
    while ((at = line.find("![", at)) != std::string::npos) {
      size_t close = line.find("](", at + 2);
      if (close == std::string::npos) break;
      size_t end = line.find(')', close + 2);
      if (end == std::string::npos) break;
      pictures.push_back(
          {number, line.substr(at + 2, close - at - 2), line.substr(close + 2, end - close - 2)});
      at = end + 1;
    }
  }
  return pictures;
}

}  // namespace quillon::docs
