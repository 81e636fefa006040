// Feeds any bytes to the engine as a script and as an expression: no input may crash it, hang
// it or make it touch anything but the one harmless host object it is given. Time is virtual
// and moves a millisecond at every reading, so a script that loops forever is stopped after a
// fixed amount of work.
#include <chrono>
#include <cstdint>
#include <string_view>

#include "platform/ScriptObject.h"
#include "vbscript/VbScriptHost.h"

namespace {

using quillon::platform::ScriptCall;
using quillon::platform::ScriptStatus;
using quillon::platform::ScriptValue;

// Accepts every member, returns its first argument and writes back to it, like a host object
// that takes arguments by reference. A call into the host gives a script a new time budget, so
// a script could loop on it for ever (as a status script may); the sink stops such a script
// after a fixed number of calls, as the program stops a script it no longer wants.
class SinkObject : public quillon::platform::ScriptObject {
 public:
  explicit SinkObject(quillon::vbscript::VbScriptHost& host) : host_(host) {}
  std::string TypeName() const override { return "Sink"; }
  bool HasMember(std::string_view name) const override { return name.size() < 8; }
  ScriptStatus Invoke(std::string_view name, ScriptCall, std::span<ScriptValue> args,
                      ScriptValue& result) override {
    if (++calls_ > 200) host_.Interrupt();
    if (name == "fail") return ScriptStatus::Fail(5);
    if (!args.empty()) {
      result = args[0];
      args[0] = ScriptValue::Long(static_cast<int32_t>(args.size()));
    }
    return ScriptStatus::Ok();
  }

 private:
  quillon::vbscript::VbScriptHost& host_;
  int calls_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view code(reinterpret_cast<const char*>(data), size);
  int64_t milliseconds = 0;
  quillon::vbscript::EngineClocks clocks{
      [&milliseconds] {
        ++milliseconds;
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(milliseconds));
      },
      [] { return 46185.5; }};
  quillon::vbscript::VbScriptHost host(clocks);
  host.SetTimeout(2);
  host.SetStackBudget(256 * 1024);
  host.AddObject("Sink", std::make_shared<SinkObject>(host), true);
  host.ExecuteStatement(code);
  host.Eval(code);
  return 0;
}
