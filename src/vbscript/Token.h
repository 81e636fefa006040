#pragma once
#include <cstdint>
#include <string>

#include "platform/ScriptValue.h"

namespace quillon::vbscript {

enum class TokenKind : uint8_t {
  kIdentifier,      // names and keywords alike; `lower` tells them apart
  kLiteral,         // numbers, strings and dates, already converted
  kOperator,        // punctuation and symbolic operators, in `text`
  kEndOfStatement,  // a line break or ":"
  kEnd,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;   // as written (a string literal's value is in `value`)
  std::string lower;  // identifiers: the name in lower case, for keywords and lookups
  platform::ScriptValue value;
  int line = 1;  // 1-based
  int column = 1;
  // Whether blanks stood before the token; "a (b)" and "a(b)" parse alike, but a "." after a
  // blank starts a With reference.
  bool space_before = false;
  bool Is(const char* op) const { return kind == TokenKind::kOperator && text == op; }
  bool IsWord(const char* word) const { return kind == TokenKind::kIdentifier && lower == word; }
};

}  // namespace quillon::vbscript
