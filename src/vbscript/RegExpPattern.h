#pragma once
// A compiled regular expression in the pattern language scripts write (JavaScript's of the late
// 1990s), run by PCRE2. The pattern is translated first: the escapes that language reads as
// plain letters stay plain letters, and the constructs it does not have (look-behind, named
// groups, inline options, possessive quantifiers, verbs) are refused as its engine refuses
// them, so that a pattern behaves the same here as where plugin authors tried it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::vbscript {

struct RegExpFlags {
  bool ignore_case = false;
  bool multiline = false;
};

// The byte offsets of one match and of its groups; a group that did not take part is unset.
struct RegExpMatch {
  static constexpr size_t kUnset = static_cast<size_t>(-1);
  size_t start = 0;
  size_t end = 0;
  std::vector<std::pair<size_t, size_t>> groups;  // 1..n, as (start, end) or (kUnset, kUnset)
};

class RegExpPattern {
 public:
  // How many backtracking steps one search may take, and how much memory, before it gives up
  // with "Out of stack space": a pattern that backtracks without end must not hang the program.
  static constexpr uint32_t kMatchLimit = 10'000'000;
  static constexpr uint32_t kHeapLimitKiB = 64 * 1024;

  RegExpPattern();
  ~RegExpPattern();
  RegExpPattern(const RegExpPattern&) = delete;
  RegExpPattern& operator=(const RegExpPattern&) = delete;

  // Replaces kMatchLimit (the fuzz target sets a small one, so that it tries many patterns a
  // second); takes effect at the next Compile.
  void SetMatchLimit(uint32_t steps) { match_limit_ = steps; }

  // Compiles `pattern`; 0 on success, else the script error number (5017 to 5021).
  int32_t Compile(std::string_view pattern, RegExpFlags flags);
  // The first match at or after byte `from` of `subject`. Returns 0 and fills `match`, -1 when
  // there is none, or the script error number (28 when the search went beyond its limits).
  int32_t Search(std::string_view subject, size_t from, RegExpMatch& match) const;
  size_t GroupCount() const { return group_count_; }

  // The PCRE2 pattern a script pattern becomes, or the error number of a pattern that the
  // script language refuses (the translation alone, for tests).
  static int32_t Translate(std::string_view pattern, std::string& out);
  // The description of a regular-expression error number.
  static std::string_view ErrorText(int32_t number);

 private:
  struct Compiled;
  std::unique_ptr<Compiled> compiled_;
  size_t group_count_ = 0;
  uint32_t match_limit_ = kMatchLimit;
};

}  // namespace quillon::vbscript
