#pragma once
// The evaluator: runs parsed programs against one engine's state (globals, procedures, classes,
// host objects). Nothing here is global; every engine is an Interpreter of its own.
//
// Runtime errors travel as RuntimeError exceptions inside the engine only; the entry points
// below let them out to VbScriptHost, which turns them into results. Script objects called by
// the host (InvokeInstance, InvokeProcedure) catch them and answer with a status.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ScriptArray.h"
#include "platform/ScriptHost.h"
#include "platform/ScriptObject.h"
#include "vbscript/Ast.h"
#include "vbscript/ClassInstance.h"
#include "vbscript/EngineLink.h"
#include "vbscript/ErrObject.h"
#include "vbscript/MemoryMeter.h"
#include "vbscript/RuntimeError.h"

namespace quillon::vbscript {

using platform::ScriptArray;
using platform::ScriptCall;
using platform::ScriptObject;
using platform::ScriptStatus;
using platform::ScriptValue;

struct Variable {
  ScriptValue value;
  bool is_const = false;
};

// The engine's view of time. `monotonic` measures the time-out; `local_now` is the local date
// and time as a Date (Now, Date, Time, Timer). Both can be replaced so that tests control time.
struct EngineClocks {
  std::function<std::chrono::steady_clock::time_point()> monotonic;
  std::function<double()> local_now;
};

// The error numbers of a script stopped by its time-out, and by its host.
inline constexpr int32_t kTimeoutError = static_cast<int32_t>(0x800705B4);
inline constexpr int32_t kInterruptedError = static_cast<int32_t>(0x80004004);

class Interpreter {
 public:
  explicit Interpreter(EngineClocks clocks);
  ~Interpreter();
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  void SetTimeout(int32_t milliseconds) { timeout_ms_ = milliseconds; }
  // Stops the running script at its next loop turn, call or return from the host; the script
  // cannot trap it. Does nothing when no script runs.
  void Interrupt() {
    if (entry_depth_ == 0) return;
    interrupted_ = true;
    tick_countdown_ = 0;
  }
  int32_t Timeout() const { return timeout_ms_; }
  // The most heap memory the engine's scripts may hold at once; beyond it the running script
  // stops with "Out of memory".
  void SetMemoryLimit(uint64_t bytes) { memory_limit_ = bytes; }
  uint64_t MemoryLimit() const { return memory_limit_; }
  // What the engine holds now, as its meter counts it.
  int64_t MemoryInUse() const { return meter_->Bytes(); }
  // Empties the global variables when the engine holds more than its budget: what a script
  // stopped for hoarding memory left there would stop every later script at its first statement.
  void ReleaseHoard();
  // How much of the thread's stack nested script calls may use before "Out of stack space".
  void SetStackBudget(size_t bytes) { stack_budget_ = bytes; }
  void AddObject(std::string_view name, std::shared_ptr<ScriptObject> object, bool members_global);
  void RegisterClass(std::string_view prog_id, platform::ScriptObjectFactory factory);
  std::shared_ptr<ScriptObject> CreateObject(std::string_view prog_id);

  // Run code in the global scope. Throw CompileError or RuntimeError.
  void RunGlobal(std::string_view code);
  ScriptValue EvaluateGlobal(std::string_view expression);

  // Entry points of script objects in the host's hands.
  ScriptStatus InvokeInstance(const std::shared_ptr<ClassInstance>& instance, std::string_view name,
                              ScriptCall kind, std::span<ScriptValue> args, ScriptValue& result);
  ScriptStatus InvokeProcedure(const ProcedureDecl& procedure, std::span<ScriptValue> args,
                               ScriptValue& result);
  void RunTerminate(const std::shared_ptr<ClassInstance>& instance) noexcept;
  // No script code is running: a released object may run its Class_Terminate at once.
  bool Idle() const { return entry_depth_ == 0; }

  // Services of the built-in library.
  double Now() const;
  ErrObject& Err() { return *err_; }
  ScriptValue ErrValue() const { return ScriptValue::Object(err_); }
  ScriptValue EvalInScope(std::string_view expression);
  void ExecuteInScope(std::string_view code, bool global);
  ScriptValue GetRef(std::string_view name);
  ScriptValue CreateObjectValue(std::string_view prog_id);
  // Rnd and Randomize: one generator per engine, VBScript's own 24-bit recurrence.
  float NextRandom(std::optional<double> argument);
  void Randomize(std::optional<double> seed);
  // Refuses strings and arrays beyond what one script may hold ("Out of memory").
  static void CheckStringSize(size_t bytes);

 private:
  struct Frame {
    const ProcedureDecl* proc = nullptr;  // null: top-level code
    std::shared_ptr<const SourceText> source;
    ScriptValue** slots = nullptr;
    std::shared_ptr<ClassInstance> me;
    std::vector<ScriptValue> with;
    bool resume_next = false;
    bool option_explicit = false;
    // Variables a procedure made by assigning to an undeclared name, or by Execute.
    std::unordered_map<std::string, std::unique_ptr<ScriptValue>> dynamic_locals;
  };
  enum class Flow : uint8_t { kNormal, kExitDo, kExitFor, kExitProcedure };
  struct Arg {
    ScriptValue value;
    ScriptValue* ref = nullptr;  // the caller's storage when passed by reference
  };
  // The evaluated arguments of one call. Array elements passed by reference lock their array
  // until the call is over, so the callee cannot free the element it writes to.
  struct ArgList {
    ArgList() = default;
    ArgList(const ArgList&) = delete;
    ArgList& operator=(const ArgList&) = delete;
    ~ArgList() {
      for (auto& array : pins) --array->locks;
    }
    size_t size() const { return items.size(); }
    std::vector<Arg> items;
    std::vector<std::shared_ptr<ScriptArray>> pins;
  };
  struct HostObject {
    std::string display;
    std::shared_ptr<ScriptObject> object;
    bool members_global = false;
  };
  class EntryGuard;
  class FrameGuard;

  // Programs.
  std::shared_ptr<Program> Compile(std::string_view code, bool dynamic_names);
  // Makes the program's procedures and classes global (later definitions replace earlier ones).
  void Define(const std::shared_ptr<Program>& program);

  // Statements.
  Flow ExecBlock(const Block& block);
  Flow ExecStatement(const Stmt& stmt);
  Flow Exec(const Stmt& stmt);
  void ExecCall(const CallStmt& stmt);
  void ExecAssign(const AssignStmt& stmt);
  void ExecDim(const DimStmt& stmt);
  void ExecReDim(const ReDimStmt& stmt);
  void ExecConst(const ConstStmt& stmt);
  Flow ExecIf(const IfStmt& stmt);
  Flow ExecSelect(const SelectStmt& stmt);
  Flow ExecFor(const ForStmt& stmt);
  Flow ExecForEach(const ForEachStmt& stmt);
  Flow ExecDo(const DoStmt& stmt);
  Flow ExecWith(const WithStmt& stmt);
  void ExecErase(const EraseStmt& stmt);

  // Expressions.
  ScriptValue Eval(const Expr& expr);
  ScriptValue EvalBinary(const BinaryExpr& expr);
  // A variable or literal in place; anything else evaluated into `scratch`.
  const ScriptValue& EvalView(const Expr& expr, ScriptValue& scratch);
  ScriptValue EvalCallExpr(const CallExpr& expr, ScriptCall kind);
  ScriptValue EvalMemberObject(const MemberExpr& expr);
  ScriptValue CallNamed(const NameExpr& name, const std::vector<ExprPtr>* args, ScriptCall kind);
  ScriptValue CallOnValue(const ScriptValue& target, std::string_view name,
                          std::string_view display, ArgList& args, ScriptCall kind);
  ScriptValue CallClassMember(const std::shared_ptr<ClassInstance>& instance, std::string_view name,
                              std::string_view display, ArgList& args, ScriptCall kind);
  void AssignClassMember(const std::shared_ptr<ClassInstance>& instance, std::string_view name,
                         std::string_view display, ArgList& args, ScriptValue value, bool is_set);
  ScriptValue CallHost(const std::shared_ptr<ScriptObject>& object, std::string_view name,
                       ArgList& args, ScriptCall kind);
  ScriptValue CallUser(const ProcedureDecl& proc, ArgList& args, std::shared_ptr<ClassInstance> me);
  ScriptValue CallBuiltin(const NameExpr& name, const std::vector<ExprPtr>* args,
                          bool as_statement);
  ScriptValue Index(const ScriptValue& target, ArgList& args, std::string_view display);
  ScriptValue* ElementRef(ScriptArray& array, const ArgList& args);
  void EvalArgs(const std::vector<ExprPtr>* exprs, ArgList& out, bool by_reference);
  ScriptValue NewInstance(const NewExpr& expr);
  bool IsInside(const ClassInstance& instance) const;
  // Not a variable, procedure, built-in or host name: a variable yet to be made.
  bool IsUndeclared(const NameExpr& name) const;

  // Variables.
  ScriptValue* LookupVariable(const NameExpr& name, bool* is_const = nullptr);
  ScriptValue* LookupDynamic(const std::string& name, bool* is_const);
  ScriptValue* CreateVariable(const NameExpr& name, bool declaring = false);
  ScriptValue* Ref(const Expr& expr);
  void Assign(const Expr& target, ScriptValue value, bool is_set);
  // Replaces a stored value; the old one is destroyed only after the store completes, since
  // destroying it may run script code (Class_Terminate).
  static void Store(ScriptValue& slot, ScriptValue value);
  ScriptValue LetValue(ScriptValue value);
  static ScriptValue SetValue(ScriptValue value);
  std::shared_ptr<ScriptArray> MakeArray(const std::vector<ExprPtr>& bounds, bool fixed);
  const HostObject* FindHostObject(const std::string& name) const;
  std::shared_ptr<ScriptObject> FindGlobalMember(std::string_view display) const;

  // Limits.
  void CheckMemory() {
    if (meter_->Bytes() > static_cast<int64_t>(memory_limit_)) OutOfMemory();
  }
  [[noreturn]] void OutOfMemory();
  // `s = s & x` (and longer chains) appends to the variable's own string instead of copying it,
  // so that building a text piece by piece takes time in proportion to its length.
  bool AppendInPlace(const AssignStmt& stmt);
  // Called before anything that may run script code or let a host write a variable.
  void BeforeForeignCode();
  void Tick() {
    if (--tick_countdown_ <= 0) CheckTime();
  }
  void CheckTime();
  void CheckStack() const;
  void ResetTimeBudget();
  void DrainTerminations();
  // Under On Error Resume Next: records the error in Err and answers true; otherwise false,
  // and the error travels on.
  bool Trap(const RuntimeError& error);
  // The truth of a condition; nothing when evaluating it failed and the error was trapped.
  std::optional<bool> Condition(const Expr& expr);
  bool CaseMatches(const CaseItem& item, const ScriptValue& subject, bool subject_literal);
  Flow RunOnce(const Block& body);
  // Makes the variables that top-level Dim statements declare, before any code runs.
  void DeclareGlobals(const Block& block);

  EngineClocks clocks_;
  std::shared_ptr<EngineLink> link_;
  std::shared_ptr<ErrObject> err_;
  std::unordered_map<std::string, std::unique_ptr<Variable>> globals_;
  template <typename Decl>
  struct Defined {
    const Decl* decl = nullptr;
    std::shared_ptr<const Program> program;  // owns decl
  };
  std::unordered_map<std::string, Defined<ProcedureDecl>> procedures_;
  std::unordered_map<std::string, Defined<ClassDecl>> classes_;
  std::unordered_map<std::string, HostObject> objects_;
  std::vector<std::string> global_member_order_;  // latest first
  std::unordered_map<std::string, platform::ScriptObjectFactory> factories_;
  Frame* frame_ = nullptr;

  // An append in place in progress: the variable appended to, and its value as it was before
  // foreign code ran (if any did), which the append then starts from.
  struct PendingAppend {
    ScriptValue* slot = nullptr;
    std::optional<ScriptValue> before;
  };
  PendingAppend* pending_append_ = nullptr;

  MemoryMeter* meter_;
  uint64_t memory_limit_ = uint64_t{256} << 20;
  int32_t timeout_ms_ = 10000;
  std::chrono::steady_clock::time_point last_activity_;
  int tick_countdown_ = 0;
  int entry_depth_ = 0;
  // Set while a host object's member runs: an entry into the engine from there starts a new
  // time budget, an entry from the engine's own conversions does not.
  bool in_host_call_ = false;
  bool interrupted_ = false;
  // Set by a call statement for the name it calls, so that a built-in knows its value is dropped.
  bool statement_call_ = false;
  uintptr_t stack_base_ = 0;
  size_t stack_budget_ = 3u << 20;
  int call_depth_ = 0;
  uint32_t random_seed_ = 0x50000;
  float last_random_ = static_cast<float>(0x50000) / 16777216.0f;
};

}  // namespace quillon::vbscript
