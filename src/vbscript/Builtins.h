#pragma once
// The built-in library: the functions and constants of VBScript that status scripts use. Each
// entry takes its arguments already evaluated (by value) and throws RuntimeError on failure.
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/ScriptValue.h"

namespace quillon::vbscript {

class Interpreter;

using BuiltinFunction = platform::ScriptValue (*)(Interpreter& engine,
                                                  std::span<platform::ScriptValue> args);

// How a built-in may be called, beyond its argument count.
enum class BuiltinUse : uint8_t {
  kAny,
  kStatement,   // only as a statement (Randomize): its value may not be used
  kConversion,  // CInt and friends: only for their value, never as a statement
};

struct Builtin {
  std::string_view name;  // lower case
  BuiltinFunction function;
  int min_args;
  int max_args;
  bool is_constant = false;  // vbCrLf and friends: assigning to them is an error
  BuiltinUse use = BuiltinUse::kAny;
};

// The entry of a lower-case name, or nullptr.
const Builtin* FindBuiltin(std::string_view name);

}  // namespace quillon::vbscript
