#pragma once
// The script host: runs the VBScript blocks of plugin files with objects the program adds.
//
// Contract:
// - Created, used and destroyed on the program's one thread. Many hosts may live at once; they
//   share nothing.
// - Call order: SetLanguage("VBScript") and SetTimeout first, then AddObject and
//   ExecuteStatement / Eval in any order, as often as wanted. Code run earlier stays: its global
//   variables, procedures and classes are there for later calls until the host is destroyed.
// - Re-entrancy: a host object's member may call ExecuteStatement or Eval on the same host while
//   the script that called it is suspended inside the call (the status object's Wait processes
//   events, and an event may run another script). The inner call runs to its end first; then the
//   outer script goes on where it was.
// - Errors: a script's compilation or runtime error that the script does not trap itself is
//   recorded as the host's Error, the error handler (the "error event") is called with it, and
//   the call returns a result whose `ok` is false. Nothing throws across this seam. The error
//   stays readable through Error() until ClearError or the next error replaces it.
// - Time-out: a script whose own work takes longer than Timeout milliseconds is stopped with an
//   error (the script cannot trap it). Time spent inside a host object's member is not the
//   script's, so a script that loops around a call that waits (Wait) runs for as long as it
//   likes, while one that spins around members that return at once still reaches its time-out.
//   A negative time-out means no limit.
// - Memory: the scripts of one host may hold up to MemoryLimit bytes together (strings, arrays,
//   collections, objects, counted as allocated). A script that goes beyond it stops with error 7
//   "Out of memory" (it cannot trap it), and the host lets go of the global variables it filled,
//   so that the scripts run after it start afresh.
// - Interrupt: the host may stop the script that runs now (from inside a host object's member);
//   it stops at its next statement, and the call that ran it returns a failure whose Error says
//   so. The host asked for it, so the error event is not raised.
// - A script reaches nothing outside the engine except through objects the host added or
//   creatable classes the host registered.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ScriptObject.h"
#include "platform/ScriptValue.h"

namespace quillon::platform {

// What the error event carries, and what the Error object holds afterwards.
struct ScriptErrorInfo {
  int32_t number = 0;  // 0: no error
  std::string source;  // "VBScript runtime error", "VBScript compilation error", or a host's
  std::string description;
  int32_t line = 0;    // 1-based, within the code handed to the call; 0 when unknown
  int32_t column = 0;  // 1-based
  std::string text;    // the source line the error arose in
};

struct ScriptResult {
  bool ok = true;
  ScriptValue value;  // Eval's value; Empty for ExecuteStatement
};

using ScriptErrorHandler = std::function<void(const ScriptErrorInfo&)>;
using ScriptObjectFactory = std::function<std::shared_ptr<ScriptObject>()>;

class ScriptHost {
 public:
  virtual ~ScriptHost() = default;

  // Only "VBScript" (in any case) is known; false for any other language, which is not set.
  virtual bool SetLanguage(std::string_view language) = 0;
  virtual std::string Language() const = 0;

  virtual void SetTimeout(int32_t milliseconds) = 0;
  virtual int32_t Timeout() const = 0;

  static constexpr uint64_t kDefaultMemoryLimit = uint64_t{256} << 20;
  virtual void SetMemoryLimit(uint64_t bytes) = 0;
  virtual uint64_t MemoryLimit() const = 0;

  // Stops the running script at its next statement; nothing happens when none runs.
  virtual void Interrupt() = 0;

  // Makes `object` a global name of the scripts. With `members_global`, its members are also
  // reachable by their bare names. Adding a name again replaces the object; code running at the
  // time sees the new object from its next use of the name.
  virtual void AddObject(std::string_view name, std::shared_ptr<ScriptObject> object,
                         bool members_global) = 0;

  // Runs statements (and defines the procedures and classes they hold) in the global scope.
  virtual ScriptResult ExecuteStatement(std::string_view code) = 0;
  // Evaluates one expression in the global scope.
  virtual ScriptResult Eval(std::string_view expression) = 0;

  // The error event. Called synchronously, before the failing call returns.
  virtual void SetErrorHandler(ScriptErrorHandler handler) = 0;
  // The last untrapped error (number 0 when none since the last ClearError).
  virtual const ScriptErrorInfo& Error() const = 0;
  virtual void ClearError() = 0;

  // Classes that scripts may create with CreateObject (and the program with CreateObject
  // below), by programmatic id such as "Scripting.Dictionary", compared without regard to case.
  virtual void RegisterClass(std::string_view prog_id, ScriptObjectFactory factory) = 0;
  // A new object of a registered class, or nullptr when the id is unknown or the factory fails.
  virtual std::shared_ptr<ScriptObject> CreateObject(std::string_view prog_id) = 0;
};

}  // namespace quillon::platform
