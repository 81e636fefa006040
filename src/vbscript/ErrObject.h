#pragma once
// The script's Err object: the last error trapped by On Error Resume Next, and Raise.
#include <string>

#include "platform/ScriptObject.h"

namespace quillon::vbscript {

class ErrObject : public platform::ScriptObject {
 public:
  // A trapped error fills every field; help fields come only with Err.Raise.
  void Set(int32_t number, std::string source, std::string description, std::string help_file = {},
           int32_t help_context = 0);
  // The help fields of the Err.Raise that just failed, handed over once to the error it raised.
  void TakeRaisedHelp(std::string& help_file, int32_t& help_context);
  void Clear();
  int32_t Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }

  std::string TypeName() const override { return "ErrObject"; }
  bool HasMember(std::string_view name) const override;
  // Raise comes back as a failed status carrying the raised error, which the engine throws.
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override;

 private:
  int32_t number_ = 0;
  std::string source_;
  std::string description_;
  std::string help_file_;
  int32_t help_context_ = 0;
  std::string raised_help_file_;
  int32_t raised_help_context_ = 0;
};

// The script error number that a raised number stands for: error HRESULTs of the automation
// layer become the VBScript numbers scripts test for, and a positive number beyond VBScript's
// 16-bit range is not an error number at all (0 then).
int32_t ScriptErrorNumber(int32_t number);

}  // namespace quillon::vbscript
