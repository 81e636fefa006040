#pragma once
// An array as scripts hold it: up to 60 dimensions, each from 0 (or a host's lower bound) to
// its upper bound, elements stored with the first index varying fastest as the platform stores
// them, so that growing the last dimension (ReDim Preserve) keeps every element in place.
#include <cstdint>
#include <vector>

#include "platform/ScriptValue.h"

namespace quillon::platform {

struct ScriptArrayBound {
  int32_t lower = 0;
  int32_t count = 0;  // upper bound is lower + count - 1; a count of 0 is an empty dimension
};

struct ScriptArray {
  ScriptArray() = default;
  ScriptArray(const ScriptArray&) = default;
  ScriptArray& operator=(const ScriptArray&) = default;
  // Arrays nested a million deep (a = Array(a) in a loop) are taken apart one level at a time
  // rather than by recursion, which would exhaust the stack.
  ~ScriptArray();

  std::vector<ScriptArrayBound> bounds;
  std::vector<ScriptValue> elements;
  // Set for arrays declared with their size (Dim a(5)), which ReDim and Erase may not resize.
  bool fixed = false;
  // Counts the references to elements held by running procedures (an element passed by
  // reference); while it is not zero the array may not be resized.
  int locks = 0;
};

}  // namespace quillon::platform
