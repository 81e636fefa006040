#include "vbscript/RegExpPattern.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace quillon::vbscript {
namespace {

constexpr int32_t kSyntaxError = 5017;
constexpr int32_t kUnexpectedQuantifier = 5018;
constexpr int32_t kExpectedBracket = 5019;
constexpr int32_t kExpectedParenthesis = 5020;
constexpr int32_t kInvalidRange = 5021;
constexpr int32_t kOutOfStackSpace = 28;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The length of a counted quantifier ({n}, {n,} or {n,m}) starting at `at`, or 0 when the brace
// there is a plain character, as it is in the script language.
size_t QuantifierLength(std::string_view pattern, size_t at) {
  size_t i = at + 1;
  size_t digits = 0;
  while (i < pattern.size() && IsDigit(pattern[i])) ++i, ++digits;
  if (digits == 0 || i >= pattern.size()) return 0;
  if (pattern[i] == ',') {
    ++i;
    while (i < pattern.size() && IsDigit(pattern[i])) ++i;
  }
  if (i >= pattern.size() || pattern[i] != '}') return 0;
  return i + 1 - at;
}

// Compiled-pattern errors of PCRE2 as the script language's error numbers.
int32_t ErrorOfCompile(int code) {
  switch (code) {
    case PCRE2_ERROR_MISSING_SQUARE_BRACKET:
      return kExpectedBracket;
    case PCRE2_ERROR_MISSING_CLOSING_PARENTHESIS:
      return kExpectedParenthesis;
    case PCRE2_ERROR_CLASS_RANGE_ORDER:
    case PCRE2_ERROR_CLASS_INVALID_RANGE:
      return kInvalidRange;
    case PCRE2_ERROR_QUANTIFIER_INVALID:
      return kUnexpectedQuantifier;
    default:
      return kSyntaxError;
  }
}

}  // namespace

struct RegExpPattern::Compiled {
  pcre2_code* code = nullptr;
  pcre2_match_data* data = nullptr;
  pcre2_match_context* context = nullptr;
  ~Compiled() {
    pcre2_match_data_free(data);
    pcre2_match_context_free(context);
    pcre2_code_free(code);
  }
};

RegExpPattern::RegExpPattern() = default;
RegExpPattern::~RegExpPattern() = default;

std::string_view RegExpPattern::ErrorText(int32_t number) {
  switch (number) {
    case kUnexpectedQuantifier:
      return "Unexpected quantifier";
    case kExpectedBracket:
      return "Expected ']' in regular expression";
    case kExpectedParenthesis:
      return "Expected ')' in regular expression";
    case kInvalidRange:
      return "Invalid range in character set";
    case kOutOfStackSpace:
      return "Out of stack space";
    default:
      return "Syntax error in regular expression";
  }
}

int32_t RegExpPattern::Translate(std::string_view pattern, std::string& out) {
  out.clear();
  out.reserve(pattern.size() + 8);
  bool in_class = false;
  bool repeatable = false;  // the item just written may take a quantifier
  bool quantified = false;  // a quantifier was just written
  bool lazy_taken = false;  // ... and its lazy "?" too
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c == '\\') {
      if (i + 1 >= pattern.size()) return kSyntaxError;
      char next = pattern[++i];
      quantified = false;
      repeatable = true;
      if (next == 'v') {
        out += "\\x0B";
      } else if (next == 'B' && in_class) {
        out += 'B';
      } else if ((next == 'b' || next == 'B') && !in_class) {
        out += '\\';
        out += next;
        repeatable = false;
      } else if (IsLetter(next)) {
        // The escapes the language knows keep their meaning (\x and \u as PCRE2's ALT_BSUX
        // reads them); any other letter after a backslash is that letter.
        static constexpr std::string_view kKnown = "dDwWsSfnrtcxub";
        if (kKnown.find(next) != std::string_view::npos) out += '\\';
        out += next;
      } else {
        out += '\\';
        out += next;
      }
      continue;
    }
    if (in_class) {
      if (c == ']') {
        in_class = false;
        repeatable = true;
        out += ']';
      } else if (c == '[') {
        // "[:alpha:]" is not a named class in this language, only characters.
        out += "\\[";
      } else {
        out += c;
      }
      continue;
    }
    bool is_quantifier = c == '*' || c == '+' || c == '?';
    size_t counted = c == '{' ? QuantifierLength(pattern, i) : 0;
    if (is_quantifier || counted > 0) {
      if (quantified) {
        if (c == '?' && !lazy_taken) {
          lazy_taken = true;
          out += '?';
          continue;
        }
        return kUnexpectedQuantifier;
      }
      if (!repeatable) return kUnexpectedQuantifier;
      if (counted > 0) {
        out.append(pattern.substr(i, counted));
        i += counted - 1;
      } else {
        out += c;
      }
      quantified = true;
      lazy_taken = false;
      repeatable = false;
      continue;
    }
    quantified = false;
    switch (c) {
      case '[':
        in_class = true;
        out += '[';
        if (i + 1 < pattern.size() && pattern[i + 1] == '^') {
          out += '^';
          ++i;
        }
        break;
      case '(':
        if (i + 1 < pattern.size() && pattern[i + 1] == '?') {
          // Only non-capturing groups and look-ahead: look-behind, named groups, inline
          // options, comments, atomic groups and the like are not in the language.
          char kind = i + 2 < pattern.size() ? pattern[i + 2] : '\0';
          if (kind != ':' && kind != '=' && kind != '!') return kSyntaxError;
          out += "(?";
          out += kind;
          i += 2;
        } else if (i + 1 < pattern.size() && pattern[i + 1] == '*') {
          // PCRE2 would read a verb here; the language sees a quantifier with nothing before it.
          return kUnexpectedQuantifier;
        } else {
          out += '(';
        }
        repeatable = false;
        break;
      case ')':
        out += ')';
        repeatable = true;
        break;
      case '|':
      case '^':
      case '$':
        out += c;
        repeatable = false;
        break;
      case '{':
        out += "\\{";
        repeatable = true;
        break;
      default:
        out += c;
        repeatable = true;
        break;
    }
  }
  if (in_class) return kExpectedBracket;
  return 0;
}

int32_t RegExpPattern::Compile(std::string_view pattern, RegExpFlags flags) {
  compiled_.reset();
  group_count_ = 0;
  std::string translated;
  if (int32_t error = Translate(pattern, translated)) return error;

  uint32_t options = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF | PCRE2_ALT_BSUX |
                     PCRE2_ALLOW_EMPTY_CLASS | PCRE2_MATCH_UNSET_BACKREF;
  if (flags.ignore_case) options |= PCRE2_CASELESS;
  options |= flags.multiline ? PCRE2_MULTILINE : PCRE2_DOLLAR_ENDONLY;

  pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
  if (context == nullptr) return 7;
  // Windows text ends its lines with CR LF: both end a line for "." and "$".
  pcre2_set_newline(context, PCRE2_NEWLINE_ANYCRLF);
  int error_code = 0;
  PCRE2_SIZE error_offset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.data()),
                                   translated.size(), options, &error_code, &error_offset, context);
  pcre2_compile_context_free(context);
  if (code == nullptr) return ErrorOfCompile(error_code);

  auto compiled = std::make_unique<Compiled>();
  compiled->code = code;
  compiled->data = pcre2_match_data_create_from_pattern(code, nullptr);
  compiled->context = pcre2_match_context_create(nullptr);
  if (compiled->data == nullptr || compiled->context == nullptr) return 7;
  pcre2_set_match_limit(compiled->context, match_limit_);
  pcre2_set_heap_limit(compiled->context, kHeapLimitKiB);
  uint32_t captures = 0;
  pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &captures);
  group_count_ = captures;
  compiled_ = std::move(compiled);
  return 0;
}

int32_t RegExpPattern::Search(std::string_view subject, size_t from, RegExpMatch& match) const {
  if (!compiled_) return kSyntaxError;
  if (from > subject.size()) return -1;
  int rc = pcre2_match(compiled_->code, reinterpret_cast<PCRE2_SPTR>(subject.data()),
                       subject.size(), from, 0, compiled_->data, compiled_->context);
  if (rc == PCRE2_ERROR_NOMATCH) return -1;
  if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT ||
      rc == PCRE2_ERROR_NOMEMORY) {
    return kOutOfStackSpace;
  }
  if (rc < 0) return 5;
  const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(compiled_->data);
  match.start = vector[0];
  match.end = vector[1];
  match.groups.assign(group_count_, {RegExpMatch::kUnset, RegExpMatch::kUnset});
  for (size_t g = 1; g <= group_count_ && g < static_cast<size_t>(rc); ++g) {
    if (vector[2 * g] == PCRE2_UNSET) continue;
    match.groups[g - 1] = {vector[2 * g], vector[2 * g + 1]};
  }
  return 0;
}

}  // namespace quillon::vbscript
