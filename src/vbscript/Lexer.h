#pragma once
// Turns script text into tokens: names, literals, operators and statement ends. Line
// continuations (" _" at the end of a line) and comments (' and Rem) vanish here.
#include <string_view>
#include <vector>

#include "vbscript/Token.h"

namespace quillon::vbscript {

class Lexer {
 public:
  explicit Lexer(std::string_view source) : source_(source) {}

  // All tokens, ending with kEnd. Throws CompileError (unterminated string, invalid character,
  // invalid number).
  std::vector<Token> Tokenize();

 private:
  char Peek(size_t ahead = 0) const {
    return pos_ + ahead < source_.size() ? source_[pos_ + ahead] : '\0';
  }
  void Advance(size_t count = 1);
  [[noreturn]] void Fail(int number, int line, int column) const;
  Token ReadNumber();
  Token ReadHex(int base);
  Token ReadString();
  Token ReadDate();
  Token ReadIdentifier();
  bool AtLineContinuation() const;
  void SkipToLineEnd();

  std::string_view source_;
  size_t pos_ = 0;
  int line_ = 1;
  int column_ = 1;
};

}  // namespace quillon::vbscript
