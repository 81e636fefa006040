#pragma once
// The RegExp object (New RegExp, CreateObject("VBScript.RegExp")): Pattern, IgnoreCase, Global
// and Multiline, and the three things scripts do with them: Test, Replace and Execute. The
// pattern is compiled when first used after a change, so a bad pattern is reported by the
// statement that uses it, as scripts expect.
#include <string>

#include "platform/ScriptObject.h"
#include "vbscript/RegExpPattern.h"

namespace quillon::vbscript {

class RegExp : public platform::ScriptObject {
 public:
  std::string TypeName() const override { return "IRegExp2"; }
  bool HasMember(std::string_view name) const override;
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override;

  // The operations, for the engine's tests as much as for scripts.
  platform::ScriptStatus Test(std::string_view subject, bool& found);
  platform::ScriptStatus Replace(std::string_view subject, std::string_view replacement,
                                 std::string& out);
  platform::ScriptStatus Execute(std::string_view subject, platform::ScriptValue& matches);
  void SetMatchLimit(uint32_t steps) {
    compiled_.SetMatchLimit(steps);
    is_compiled_ = false;
  }

  std::string pattern;
  bool ignore_case = false;
  bool global = false;
  bool multiline = false;

 private:
  // Compiles the pattern if it or a flag changed since the last compile.
  platform::ScriptStatus Prepare();
  // Calls `visit` with each match in turn (only the first unless Global): after an empty
  // match the next search starts one character further on.
  template <typename Visit>
  platform::ScriptStatus EachMatch(std::string_view subject, Visit visit);

  RegExpPattern compiled_;
  bool is_compiled_ = false;
  std::string compiled_pattern_;
  RegExpFlags compiled_flags_;
};

}  // namespace quillon::vbscript
