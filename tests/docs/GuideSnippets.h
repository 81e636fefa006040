#pragma once
// Finds the runnable examples of a guide: fenced blocks opened by a line "```vbscript test" and
// closed by a line "```". Their code is a script case (expected lines as "' expect:" comments),
// so the tests run each one and a guide whose example stops working fails the build's tests.
#include <string>
#include <vector>

namespace quillon::docs {

struct GuideSnippet {
  int line = 0;       // the line of the opening fence, from 1
  std::string code;   // the lines between the fences, each ending in a line feed
  bool closed = false;  // stays false when the guide ends before the closing fence
};

std::vector<GuideSnippet> FindRunnableSnippets(const std::string& markdown);

}  // namespace quillon::docs
