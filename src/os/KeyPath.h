#pragma once
// Key and value names compare without regard to case but keep the case they were created with.
// The store therefore keeps, beside each name as written, a folded form that equality and
// ordering use. Folding is to upper case, as the registry compares names, so that "_x" sorts
// after "Abc" there as here.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::os {

// `name` with ASCII letters and the Latin-1 letters à-þ (UTF-8) in upper case; every other byte,
// valid UTF-8 or not, is kept as it is.
std::string FoldName(std::string_view name);

// A key path split into its levels, as written, with the folded path ("SOFTWARE\QUILLON") that
// identifies the key. Empty levels (a leading, trailing or doubled "\") are dropped, so the
// empty path is the root itself.
struct KeyPath {
  std::vector<std::string_view> levels;
  std::string folded;

  // nullopt when a level holds a NUL, which no key name may.
  static std::optional<KeyPath> Parse(std::string_view path);
};

}  // namespace quillon::os
