#pragma once
// A runtime error on its way up to the statement that traps it (On Error Resume Next) or to the
// host. Thrown only inside the engine; the host catches it before returning to the program.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace quillon::vbscript {

struct SourceText;

struct RuntimeError {
  int32_t number = 0;
  std::string description;
  std::string source;  // empty: the engine's runtime source
  // Given only by Err.Raise; Err keeps them when the error is trapped.
  std::string help_file;
  int32_t help_context = 0;
  // Fatal errors (the time-out) pass every On Error Resume Next: a script must not be able to
  // trap the one thing that stops it.
  bool fatal = false;
  // Set by the innermost statement the error passes, which is where the script reports it.
  bool located = false;
  int line = 0;
  int column = 0;
  std::shared_ptr<const SourceText> text;
};

inline constexpr const char* kRuntimeSource = "VBScript runtime error";
inline constexpr const char* kCompileSource = "VBScript compilation error";

// The standard description of an error number, runtime and compilation errors alike ("Unknown
// runtime error" for numbers outside the table).
std::string_view StandardErrorText(int32_t number);

// Throws the standard error; with `name`, the description ends in ": 'name'" as VBScript's do.
[[noreturn]] void ThrowError(int32_t number, std::string_view name = {});

}  // namespace quillon::vbscript
