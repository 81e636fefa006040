#pragma once
// One statement of the scenario language: its words (bare words and quoted strings, told apart)
// and where it stands in its file.
#include <optional>
#include <string>
#include <vector>

namespace quillon::sandbox {

struct Word {
  std::string text;
  bool quoted = false;
};

struct Statement {
  int line = 0;
  std::string source;  // the statement as written (the first line of a << body)
  std::vector<Word> words;

  size_t Size() const { return words.size(); }
  // The word at `i`, or "" past the end.
  const std::string& At(size_t i) const;
  bool Is(size_t i, std::string_view bare) const;
};

// A whole decimal number word (an optional sign, then digits only); nullopt otherwise.
std::optional<int> ParseNumber(std::string_view word);

// A duration word ("50ms", "3s", "1m") in milliseconds; nullopt when it is not one.
std::optional<uint64_t> ParseDuration(std::string_view word);

}  // namespace quillon::sandbox
