#include "vbscript/Lexer.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "text/DateText.h"
#include "text/Strings.h"
#include "vbscript/CompileError.h"

namespace quillon::vbscript {
namespace {

using platform::ScriptValue;

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

// Integer literals are Integer when they fit in 16 bits, Long in 32, Double beyond.
ScriptValue IntegerLiteral(double value) {
  if (value <= 32767) return ScriptValue::Integer(static_cast<int16_t>(value));
  if (value <= 2147483647.0) return ScriptValue::Long(static_cast<int32_t>(value));
  return ScriptValue::Double(value);
}

}  // namespace

void Lexer::Advance(size_t count) {
  for (size_t i = 0; i < count && pos_ < source_.size(); ++i) {
    if (source_[pos_] == '\n') {
      ++line_;
      column_ = 1;
    } else {
      ++column_;
    }
    ++pos_;
  }
}

void Lexer::Fail(int number, int line, int column) const {
  throw CompileError{number, line, column, {}};
}

bool Lexer::AtLineContinuation() const {
  // "_" followed by blanks and a line break continues the statement on the next line.
  size_t i = pos_ + 1;
  while (i < source_.size() && IsBlank(source_[i])) ++i;
  return i >= source_.size() || source_[i] == '\n' || source_[i] == '\r';
}

void Lexer::SkipToLineEnd() {
  while (pos_ < source_.size() && source_[pos_] != '\n' && source_[pos_] != '\r') Advance();
}

std::vector<Token> Lexer::Tokenize() {
  std::vector<Token> tokens;
  bool space_before = false;
  // Statement ends carry "\n" for a line break and ":" for a separator, since a one-line If
  // runs to the end of its line; runs of them fold into one, a line break winning.
  auto push_end_of_statement = [&](int line, int column, const char* text) {
    if (!tokens.empty() && tokens.back().kind == TokenKind::kEndOfStatement) {
      if (text[0] == '\n') tokens.back().text = text;
      return;
    }
    Token token;
    token.kind = TokenKind::kEndOfStatement;
    token.text = text;
    token.line = line;
    token.column = column;
    tokens.push_back(std::move(token));
  };
  while (pos_ < source_.size()) {
    char c = Peek();
    int line = line_;
    int column = column_;
    if (IsBlank(c)) {
      Advance();
      space_before = true;
      continue;
    }
    if (c == '\r' || c == '\n') {
      push_end_of_statement(line, column, "\n");
      Advance();
      space_before = false;
      continue;
    }
    if (c == '\'') {
      SkipToLineEnd();
      continue;
    }
    if (c == '_' && AtLineContinuation()) {
      Advance();
      while (IsBlank(Peek())) Advance();
      if (Peek() == '\r') Advance();
      if (Peek() == '\n') Advance();
      space_before = true;
      continue;
    }
    if (c == ':') {
      push_end_of_statement(line, column, ":");
      Advance();
      space_before = false;
      continue;
    }
    Token token;
    if (IsLetter(c)) {
      token = ReadIdentifier();
      if (token.lower == "rem" && !(!tokens.empty() && tokens.back().Is("."))) {
        SkipToLineEnd();
        continue;
      }
    } else if (c == '[') {
      // A bracketed name may hold any character but "]" and a line break.
      Advance();
      std::string name;
      while (Peek() != ']') {
        if (pos_ >= source_.size() || Peek() == '\n' || Peek() == '\r') Fail(1007, line, column);
        name += Peek();
        Advance();
      }
      Advance();
      token.kind = TokenKind::kIdentifier;
      token.text = name;
      token.lower = quillon::text::AsciiLower(name);
    } else if (IsDigit(c) ||
               (c == '.' && IsDigit(Peek(1)) &&
                (tokens.empty() || space_before || tokens.back().kind != TokenKind::kIdentifier))) {
      token = ReadNumber();
    } else if (c == '&' && (Peek(1) == 'h' || Peek(1) == 'H')) {
      token = ReadHex(16);
    } else if (c == '&' && (Peek(1) == 'o' || Peek(1) == 'O') &&
               std::isdigit(static_cast<unsigned char>(Peek(2)))) {
      token = ReadHex(8);
    } else if (c == '"') {
      token = ReadString();
    } else if (c == '#') {
      token = ReadDate();
    } else {
      static constexpr std::string_view kTwoChar[] = {"<>", "<=", ">=", "=<", "=>", "><"};
      std::string op(1, c);
      for (auto two : kTwoChar) {
        if (c == two[0] && Peek(1) == two[1]) op = std::string(two);
      }
      if (op == "=<") op = "<=";
      if (op == "=>") op = ">=";
      if (op == "><") op = "<>";
      if (op.size() == 1 && std::string_view("+-*/\\^&=<>(),.;").find(c) == std::string_view::npos)
        Fail(1032, line, column);
      Advance(op.size());
      token.kind = TokenKind::kOperator;
      token.text = op;
    }
    token.line = line;
    token.column = column;
    token.space_before = space_before;
    space_before = false;
    tokens.push_back(std::move(token));
  }
  push_end_of_statement(line_, column_, "\n");
  Token end;
  end.kind = TokenKind::kEnd;
  end.line = line_;
  end.column = column_;
  tokens.push_back(std::move(end));
  return tokens;
}

Token Lexer::ReadIdentifier() {
  size_t start = pos_;
  while (IsNameChar(Peek())) Advance();
  Token token;
  token.kind = TokenKind::kIdentifier;
  token.text = std::string(source_.substr(start, pos_ - start));
  if (token.text.size() > 255) Fail(1030, line_, column_);
  token.lower = quillon::text::AsciiLower(token.text);
  return token;
}

Token Lexer::ReadNumber() {
  int line = line_;
  int column = column_;
  size_t start = pos_;
  bool is_float = false;
  while (IsDigit(Peek())) Advance();
  if (Peek() == '.' && IsDigit(Peek(1))) {
    is_float = true;
    Advance();
    while (IsDigit(Peek())) Advance();
  } else if (Peek() == '.' && !IsLetter(Peek(1))) {
    is_float = true;
    Advance();
  }
  if ((Peek() == 'e' || Peek() == 'E') &&
      (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
    is_float = true;
    Advance(2);
    while (IsDigit(Peek())) Advance();
  }
  std::string text(source_.substr(start, pos_ - start));
  if (IsLetter(Peek()) || Peek() == '_') Fail(1031, line, column);
  double value = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(value)) Fail(1031, line, column);
  Token token;
  token.kind = TokenKind::kLiteral;
  token.text = text;
  token.value = is_float ? ScriptValue::Double(value) : IntegerLiteral(value);
  // A trailing "&" or "%" types the literal as Long or Integer, as older code writes it.
  if (!is_float && Peek() == '&' && !IsLetter(Peek(1))) {
    Advance();
    if (value <= 2147483647.0) token.value = ScriptValue::Long(static_cast<int32_t>(value));
  }
  return token;
}

Token Lexer::ReadHex(int base) {
  int line = line_;
  int column = column_;
  Advance(2);
  uint64_t value = 0;
  int digits = 0;
  while (true) {
    char c = Peek();
    int digit = IsDigit(c) ? c - '0'
                : std::isxdigit(static_cast<unsigned char>(c))
                    ? std::toupper(static_cast<unsigned char>(c)) - 'A' + 10
                    : 99;
    if (digit >= base) break;
    value = value * base + digit;
    if (value > 0xFFFFFFFFull) Fail(1031, line, column);
    ++digits;
    Advance();
  }
  if (digits == 0) Fail(1031, line, column);
  bool long_marker = Peek() == '&';
  if (long_marker) Advance();
  Token token;
  token.kind = TokenKind::kLiteral;
  token.text = "&H";
  // Up to 16 bits the literal is an Integer and wraps (&HFFFF is -1); up to 32 bits a Long.
  if (value <= 0xFFFF && !long_marker) {
    token.value = ScriptValue::Integer(static_cast<int16_t>(static_cast<uint16_t>(value)));
  } else {
    token.value = ScriptValue::Long(static_cast<int32_t>(static_cast<uint32_t>(value)));
  }
  return token;
}

Token Lexer::ReadString() {
  int line = line_;
  int column = column_;
  Advance();
  std::string text;
  while (true) {
    if (pos_ >= source_.size() || Peek() == '\n' || Peek() == '\r') Fail(1033, line, column);
    char c = Peek();
    Advance();
    if (c == '"') {
      if (Peek() == '"') {
        text += '"';
        Advance();
        continue;
      }
      break;
    }
    text += c;
  }
  Token token;
  token.kind = TokenKind::kLiteral;
  token.text = "\"";
  token.value = ScriptValue::String(std::move(text));
  return token;
}

Token Lexer::ReadDate() {
  int line = line_;
  int column = column_;
  Advance();
  std::string text;
  while (Peek() != '#') {
    if (pos_ >= source_.size() || Peek() == '\n' || Peek() == '\r') Fail(1032, line, column);
    text += Peek();
    Advance();
  }
  Advance();
  double serial = 0;
  if (!quillon::text::ParseDate(text, serial)) Fail(1031, line, column);
  Token token;
  token.kind = TokenKind::kLiteral;
  token.text = "#";
  token.value = ScriptValue::Date(serial);
  return token;
}

}  // namespace quillon::vbscript
