#pragma once
#include <string>

namespace quillon::vbscript {

// A compilation error: the code cannot run at all. The lexer and parser throw it; the host turns
// it into the error event with the "VBScript compilation error" source.
struct CompileError {
  int number = 1002;  // Syntax error
  int line = 0;
  int column = 0;
  std::string description;  // empty: the standard text of `number`
};

}  // namespace quillon::vbscript
