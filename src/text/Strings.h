#pragma once
// Small text helpers every layer shares. "No case" here means ASCII letters only: these compare
// names, tags, schemes and colours, which are ASCII by definition; the code page's own letters
// are CodePage.h's business.
#include <cstring>
#include <string>
#include <string_view>

namespace quillon::text {

// ASCII letters to lower or upper case; every other byte (UTF-8 included) as it is.
inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

inline char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

inline bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

inline bool StartsWithAsciiNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsAsciiNoCase(text.substr(0, prefix.size()), prefix);
}

// Spaces, tabs and line ends: what a value typed or read from a file may carry around it.
inline bool IsWhitespace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

inline std::string_view TrimWhitespace(std::string_view text) {
  while (!text.empty() && IsWhitespace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsWhitespace(text.back())) text.remove_suffix(1);
  return text;
}

// Without the blanks (spaces only) at either end.
inline std::string TrimBlanks(std::string_view text) {
  size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(' ');
  return std::string(text.substr(start, end - start + 1));
}

// Where `what` first occurs in `text` at or after `from`, ASCII letters matching in either case;
// npos when it does not (`from` itself for an empty `what`). Candidates are found by their first
// byte with memchr, so a long text is searched at the speed of memory rather than byte by byte.
inline size_t FindAsciiNoCase(std::string_view text, std::string_view what, size_t from = 0) {
  constexpr size_t npos = std::string_view::npos;
  if (from > text.size()) return npos;
  if (what.empty()) return from;
  if (what.size() > text.size() - from) return npos;
  const char first_lower = AsciiLower(what[0]);
  const char first_upper = AsciiUpper(what[0]);
  const char* base = text.data();
  const size_t last_start = text.size() - what.size();
  for (size_t at = from; at <= last_start;) {
    const size_t span = last_start - at + 1;
    const void* found = std::memchr(base + at, first_lower, span);
    size_t candidate = found ? static_cast<size_t>(static_cast<const char*>(found) - base) : npos;
    if (first_upper != first_lower) {
      const size_t limit = candidate == npos ? span : candidate - at;
      if (const void* other = std::memchr(base + at, first_upper, limit)) {
        candidate = static_cast<size_t>(static_cast<const char*>(other) - base);
      }
    }
    if (candidate == npos) return npos;
    size_t i = 1;
    while (i < what.size() && AsciiLower(base[candidate + i]) == AsciiLower(what[i])) ++i;
    if (i == what.size()) return candidate;
    at = candidate + 1;
  }
  return npos;
}

}  // namespace quillon::text
