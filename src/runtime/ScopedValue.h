#pragma once
// Gives a variable a value for the length of a scope and puts the old one back when the scope
// ends, by return or by exception: a nesting depth, a "busy" flag, a state a handler runs in. A
// handler that throws must not leave the program believing it is still inside.
#include <utility>

namespace quillon::runtime {

template <typename T>
class ScopedValue {
 public:
  ScopedValue(T& variable, T during) : variable_(variable), before_(variable) {
    variable_ = std::move(during);
  }
  ~ScopedValue() { variable_ = std::move(before_); }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

 private:
  T& variable_;
  T before_;
};

}  // namespace quillon::runtime
