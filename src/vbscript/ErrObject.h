#pragma once
// The script's Err object: the last error trapped by On Error Resume Next, and Raise.
#include <string>

#include "platform/ScriptObject.h"

namespace quillon::vbscript {

class ErrObject : public platform::ScriptObject {
 public:
  void Set(int32_t number, std::string source, std::string description);
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
};

}  // namespace quillon::vbscript
