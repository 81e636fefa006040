#include "docs/GuideSnippets.h"

#include <sstream>

namespace quillon::docs {
namespace {

std::string WithoutCarriageReturn(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// Only "```vbscript test" opens a runnable block: plain "```vbscript" blocks are fragments that a
// guide shows without running (a line of a longer script, say).
bool OpensRunnable(const std::string& line) {
  std::istringstream words(line);
  std::string fence, mark, extra;
  words >> fence >> mark;
  return fence == "```vbscript" && mark == "test" && !(words >> extra);
}

}  // namespace

std::vector<GuideSnippet> FindRunnableSnippets(const std::string& markdown) {
  std::vector<GuideSnippet> snippets;
  std::istringstream in(markdown);
  std::string line;
  int number = 0;
  GuideSnippet* open = nullptr;
  while (std::getline(in, line)) {
    ++number;
    line = WithoutCarriageReturn(line);
    if (open) {
      if (line == "```") {
        open->closed = true;
        open = nullptr;
      } else {
        open->code += line + "\n";
      }
    } else if (OpensRunnable(line)) {
      snippets.push_back({number, "", false});
      open = &snippets.back();
    }
  }
  return snippets;
}

}  // namespace quillon::docs
