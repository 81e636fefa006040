#pragma once
// Runs a script written as a case: the code with its expected transcript beside it in comments.
// The transcript is what the script echoes and the errors the host reports, in order:
//
//   ' expect: TEXT                          a line printed with WScript.Echo (or "status: TEXT")
//   ' error: (LINE, COLUMN) SOURCE NUMBER: DESCRIPTION    an error event
//   ' timeout: MILLISECONDS                 the host's time-out (default 10000)
//   ' stop-after: N                         CheckEnd answers true at its Nth call
//   ' on-wait: CODE                         run CODE on the same host inside the next Wait
//
// The host has WScript (Echo only) and GTalk (the status object, members global). The engine's
// case files and the runnable examples of the guides are both run through here, so a guide's
// example is held to exactly the rules of a case file.
#include <string>

namespace quillon::vbscript::testing {

struct CaseTranscript {
  std::string expected;  // one line per entry, each ending in a line feed
  std::string actual;
};

CaseTranscript RunCase(const std::string& code);

}  // namespace quillon::vbscript::testing
