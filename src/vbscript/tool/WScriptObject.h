#pragma once
// The WScript object of the command-line host: Echo writes a line, Quit ends the run.
#include <cstdio>
#include <functional>
#include <string>

#include "platform/ScriptObject.h"

namespace quillon::vbscript {

class WScriptObject : public platform::ScriptObject {
 public:
  // `quit` ends the process with the given code; it does not return.
  WScriptObject(std::FILE* out, std::string script_path, std::function<void(int)> quit)
      : out_(out), script_path_(std::move(script_path)), quit_(std::move(quit)) {}

  // Writes each Echo line out at once rather than when the buffer fills: a reader at the other
  // end of a pipe then has every line the script printed, even if the script is stopped.
  void SetFlushEachLine(bool flush) { flush_each_line_ = flush; }

  std::string TypeName() const override { return "WScript"; }
  bool HasMember(std::string_view name) const override;
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override;

 private:
  std::FILE* out_;
  std::string script_path_;
  std::function<void(int)> quit_;
  bool flush_each_line_ = false;
};

}  // namespace quillon::vbscript
