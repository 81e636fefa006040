#pragma once
// The script host of the platform, backed by this engine. See platform/ScriptHost.h for the
// contract; this adds only how the host is made (its clocks) and a stack budget.
#include <memory>
#include <string>

#include "platform/ScriptHost.h"
#include "vbscript/Interpreter.h"

namespace quillon::vbscript {

class VbScriptHost : public platform::ScriptHost {
 public:
  // The machine's clocks: steady_clock for the time-out, the local wall time for Now.
  VbScriptHost();
  // Clocks the caller controls; an empty function falls back to the machine's clock.
  explicit VbScriptHost(EngineClocks clocks);
  ~VbScriptHost() override;

  bool SetLanguage(std::string_view language) override;
  std::string Language() const override { return "VBScript"; }
  void SetTimeout(int32_t milliseconds) override { engine_->SetTimeout(milliseconds); }
  int32_t Timeout() const override { return engine_->Timeout(); }
  void SetMemoryLimit(uint64_t bytes) override { engine_->SetMemoryLimit(bytes); }
  uint64_t MemoryLimit() const override { return engine_->MemoryLimit(); }
  // What the host's scripts hold now, in bytes.
  int64_t MemoryInUse() const { return engine_->MemoryInUse(); }
  void AddObject(std::string_view name, std::shared_ptr<platform::ScriptObject> object,
                 bool members_global) override;
  platform::ScriptResult ExecuteStatement(std::string_view code) override;
  platform::ScriptResult Eval(std::string_view expression) override;
  void SetErrorHandler(platform::ScriptErrorHandler handler) override {
    handler_ = std::move(handler);
  }
  const platform::ScriptErrorInfo& Error() const override { return error_; }
  void ClearError() override { error_ = {}; }
  void RegisterClass(std::string_view prog_id, platform::ScriptObjectFactory factory) override;
  std::shared_ptr<platform::ScriptObject> CreateObject(std::string_view prog_id) override;

  // How many bytes of the thread's stack nested script calls may take (default 3 MiB); scripts
  // that recurse deeper get "Out of stack space".
  void SetStackBudget(size_t bytes) { engine_->SetStackBudget(bytes); }
  // Stops the script that is running (for instance from inside a host object's member, when
  // the program shuts down); ExecuteStatement then returns a failure with an uncatchable error.
  void Interrupt() override { engine_->Interrupt(); }

  // The local date and time of the machine as a script Date.
  static double SystemLocalNow();

 private:
  template <typename Run>
  platform::ScriptResult Guarded(std::string_view code, Run run);
  void Report(platform::ScriptErrorInfo info);

  std::unique_ptr<Interpreter> engine_;
  platform::ScriptErrorHandler handler_;
  platform::ScriptErrorInfo error_;
};

}  // namespace quillon::vbscript
