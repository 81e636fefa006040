#include "vbscript/Interpreter.h"

#include <cassert>
#include <cmath>
#include <cstring>
#include <utility>

#include "vbscript/Builtins.h"
#include "vbscript/CompileError.h"
#include "vbscript/Dictionary.h"
#include "vbscript/Match.h"
#include "vbscript/Operators.h"
#include "vbscript/Parser.h"
#include "vbscript/ProcedureRef.h"
#include "vbscript/ReadOnlyCollection.h"
#include "vbscript/RegExp.h"
#include "vbscript/RuntimeError.h"
#include "vbscript/Text.h"

namespace quillon::vbscript {
namespace {

using platform::ScriptType;

// How many loop turns and calls pass between two looks at the clock.
constexpr int kTicksPerClockCheck = 1000;
// Script calls nested deeper than this are "Out of stack space" whatever the stack holds.
constexpr int kMaxCallDepth = 2500;
// Arrays beyond this many elements are "Out of memory"; no status script comes near.
constexpr int64_t kMaxArrayElements = 1 << 21;
constexpr size_t kMaxStringBytes = 1 << 24;

uintptr_t FrameAddress() { return reinterpret_cast<uintptr_t>(__builtin_frame_address(0)); }

bool IsLiteral(const Expr& expr) {
  if (expr.kind == ExprKind::kLiteral) return true;
  if (expr.kind == ExprKind::kUnary) {
    const auto& unary = static_cast<const UnaryExpr&>(expr);
    return unary.op != Op::kNot && unary.operand->kind == ExprKind::kLiteral;
  }
  return false;
}

// Copies nested arrays level by level, with a work list instead of recursion: nesting depth is
// the script's to choose.
std::shared_ptr<ScriptArray> CloneArray(const ScriptArray& source) {
  auto root = std::make_shared<ScriptArray>();
  std::vector<std::pair<const ScriptArray*, ScriptArray*>> work{{&source, root.get()}};
  while (!work.empty()) {
    auto [from, to] = work.back();
    work.pop_back();
    to->bounds = from->bounds;
    to->elements.reserve(from->elements.size());
    for (const auto& element : from->elements) {
      if (element.IsArray()) {
        auto inner = std::make_shared<ScriptArray>();
        work.emplace_back(element.ArrayValue().get(), inner.get());
        to->elements.push_back(ScriptValue::Array(std::move(inner)));
      } else {
        to->elements.push_back(element);
      }
    }
  }
  return root;
}

// Arrays are values in VBScript: storing one stores a copy. A temporary (a function's result,
// Array(...)) is not shared by anyone and needs no copy.
ScriptValue OwnedCopy(ScriptValue value) {
  if (value.IsArray() && value.ArrayValue().use_count() > 1) {
    return ScriptValue::Array(CloneArray(*value.ArrayValue()));
  }
  return value;
}

RuntimeError ErrorFromStatus(const ScriptStatus& status, std::string_view name) {
  RuntimeError error;
  error.number = status.number;
  error.source = status.source;
  if (!status.description.empty()) {
    error.description = status.description;
  } else {
    error.description = std::string(StandardErrorText(status.number));
    if (!name.empty() && (status.number == 438 || status.number == 450)) {
      error.description += ": '" + std::string(name) + "'";
    }
  }
  return error;
}

ScriptStatus StatusFromError(const RuntimeError& error) {
  ScriptStatus status;
  status.number = error.number;
  status.description = error.description;
  status.source = error.source;
  return status;
}

// What "Object required" names: the variable that should have held the object.
std::string_view ObjectName(const MemberExpr& expr) {
  if (expr.object && expr.object->kind == ExprKind::kName) {
    return static_cast<const NameExpr&>(*expr.object).display;
  }
  return {};
}

void RequireObject(const ScriptValue& value, const MemberExpr& expr) {
  if (!value.IsObject() || !value.ObjectValue()) ThrowError(424, ObjectName(expr));
}

bool IsEngineObject(const ScriptObject* object) {
  return dynamic_cast<const Dictionary*>(object) != nullptr ||
         dynamic_cast<const ErrObject*>(object) != nullptr ||
         dynamic_cast<const ProcedureRef*>(object) != nullptr ||
         dynamic_cast<const RegExp*>(object) != nullptr ||
         dynamic_cast<const ReadOnlyCollection*>(object) != nullptr ||
         dynamic_cast<const Match*>(object) != nullptr;
}

}  // namespace

// Marks an entry into the engine from outside (the host, or a script object called by it).
class Interpreter::EntryGuard {
 public:
  explicit EntryGuard(Interpreter& engine)
      : engine_(engine),
        saved_frame_(engine.frame_),
        saved_in_host_call_(engine.in_host_call_),
        meter_scope_(engine.meter_) {
    if (engine_.entry_depth_++ == 0) {
      engine_.interrupted_ = false;
      engine_.stack_base_ = FrameAddress();
      engine_.call_depth_ = 0;
      engine_.ResetTimeBudget();
    } else if (engine_.in_host_call_) {
      engine_.ResetTimeBudget();
    }
    engine_.in_host_call_ = false;
  }
  ~EntryGuard() {
    if (engine_.entry_depth_ == 1) engine_.DrainTerminations();
    --engine_.entry_depth_;
    engine_.frame_ = saved_frame_;
    engine_.in_host_call_ = saved_in_host_call_;
  }

 private:
  Interpreter& engine_;
  Frame* saved_frame_;
  bool saved_in_host_call_;
  MemoryMeter::Scope meter_scope_;
};

class Interpreter::FrameGuard {
 public:
  FrameGuard(Interpreter& engine, Frame& frame) : engine_(engine), saved_(engine.frame_) {
    engine_.frame_ = &frame;
    ++engine_.call_depth_;
  }
  ~FrameGuard() {
    engine_.frame_ = saved_;
    --engine_.call_depth_;
  }

 private:
  Interpreter& engine_;
  Frame* saved_;
};

Interpreter::Interpreter(EngineClocks clocks)
    : clocks_(std::move(clocks)),
      link_(std::make_shared<EngineLink>()),
      err_(std::make_shared<ErrObject>()),
      meter_(MemoryMeter::Create()) {
  assert(clocks_.monotonic && clocks_.local_now);
  link_->engine = this;
  last_activity_ = clocks_.monotonic();
}

Interpreter::~Interpreter() {
  // Let the script's objects end as VBScript ends them, with Class_Terminate, while the engine
  // is still here; then break the reference cycles no script can see any more.
  entry_depth_ = 1;
  stack_base_ = FrameAddress();
  for (auto& [name, variable] : globals_) Store(variable->value, ScriptValue());
  entry_depth_ = 0;
  DrainTerminations();
  while (true) {
    std::vector<ClassInstance*> holders;
    for (ClassInstance* instance : link_->live) {
      for (const auto& field : instance->Fields()) {
        if (field.IsObject() || field.IsArray()) {
          holders.push_back(instance);
          break;
        }
      }
    }
    if (holders.empty()) break;
    for (ClassInstance* instance : holders) {
      if (!link_->live.contains(instance)) continue;
      std::vector<ScriptValue> fields = std::move(instance->Fields());
      instance->Fields().assign(fields.size(), ScriptValue());
      fields.clear();
    }
    DrainTerminations();
  }
  // Host objects go last: the Class_Terminate of a script object may still use them.
  objects_.clear();
  global_member_order_.clear();
  link_->engine = nullptr;
  globals_.clear();
  meter_->Release();
}

void Interpreter::ReleaseHoard() {
  if (entry_depth_ != 0 || MemoryInUse() <= static_cast<int64_t>(memory_limit_)) return;
  entry_depth_ = 1;
  stack_base_ = FrameAddress();
  {
    MemoryMeter::Scope scope(meter_);
    for (auto& [name, variable] : globals_) Store(variable->value, ScriptValue());
  }
  entry_depth_ = 0;
  DrainTerminations();
}

void Interpreter::OutOfMemory() {
  RuntimeError error;
  error.number = 7;
  error.description = std::string(StandardErrorText(7));
  error.fatal = true;
  throw error;
}

void Interpreter::BeforeForeignCode() {
  if (pending_append_ != nullptr && !pending_append_->before) {
    pending_append_->before = *pending_append_->slot;
  }
}

bool Interpreter::AppendInPlace(const AssignStmt& stmt) {
  if (stmt.is_set || stmt.target->kind != ExprKind::kName) return false;
  const auto& target = static_cast<const NameExpr&>(*stmt.target);
  // The pieces appended, last first, down to the leftmost operand of the chain.
  std::vector<const Expr*> pieces;
  const Expr* leftmost = stmt.value.get();
  while (leftmost->kind == ExprKind::kBinary &&
         static_cast<const BinaryExpr*>(leftmost)->op == Op::kConcat) {
    const auto* concat = static_cast<const BinaryExpr*>(leftmost);
    pieces.push_back(concat->right.get());
    leftmost = concat->left.get();
  }
  if (pieces.empty() || leftmost->kind != ExprKind::kName) return false;
  const auto& source = static_cast<const NameExpr&>(*leftmost);
  if (source.name != target.name || source.binding != target.binding ||
      source.slot != target.slot) {
    return false;
  }
  bool is_const = false;
  ScriptValue* slot = LookupVariable(target, &is_const);
  if (slot == nullptr || is_const || !slot->IsString()) return false;

  // Evaluated in the script's order; each piece becomes text as the & operator makes it.
  PendingAppend pending{slot, std::nullopt};
  PendingAppend* outer = pending_append_;
  BeforeForeignCode();
  pending_append_ = &pending;
  struct Restore {
    Interpreter& engine;
    PendingAppend* outer;
    ~Restore() { engine.pending_append_ = outer; }
  } restore{*this, outer};
  std::vector<ScriptValue> texts;
  texts.reserve(pieces.size());
  size_t added = 0;
  for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
    ScriptValue piece = Eval(**it);
    if (!piece.IsString()) piece = Concatenate(ScriptValue::String(""), piece);
    added += piece.StringValue().size();
    texts.push_back(std::move(piece));
  }
  pending_append_ = outer;
  if (pending.before) {
    // Script code ran meanwhile and may have changed the variable: the value read first counts.
    ScriptValue result = std::move(*pending.before);
    for (auto& text : texts) result = Concatenate(result, text);
    CheckStringSize(result.IsString() ? result.StringValue().size() : 0);
    Assign(target, std::move(result), false);
    return true;
  }
  std::string& own = slot->MutableString();
  CheckStringSize(own.size() + added);
  for (const auto& text : texts) own += text.StringValue();
  return true;
}

void Interpreter::AddObject(std::string_view name, std::shared_ptr<ScriptObject> object,
                            bool members_global) {
  std::string lower = text::Lower(name);
  std::erase(global_member_order_, lower);
  if (members_global) global_member_order_.insert(global_member_order_.begin(), lower);
  objects_[lower] = HostObject{std::string(name), std::move(object), members_global};
}

void Interpreter::RegisterClass(std::string_view prog_id, platform::ScriptObjectFactory factory) {
  factories_[text::Lower(prog_id)] = std::move(factory);
}

std::shared_ptr<ScriptObject> Interpreter::CreateObject(std::string_view prog_id) {
  auto it = factories_.find(text::Lower(prog_id));
  if (it == factories_.end() || !it->second) return nullptr;
  return it->second();
}

ScriptValue Interpreter::CreateObjectValue(std::string_view prog_id) {
  auto object = CreateObject(prog_id);
  if (!object) ThrowError(429, prog_id);
  return ScriptValue::Object(std::move(object));
}

const Interpreter::HostObject* Interpreter::FindHostObject(const std::string& name) const {
  if (objects_.empty()) return nullptr;
  auto it = objects_.find(name);
  return it == objects_.end() ? nullptr : &it->second;
}

std::shared_ptr<ScriptObject> Interpreter::FindGlobalMember(std::string_view display) const {
  for (const auto& name : global_member_order_) {
    const auto& host = objects_.at(name);
    if (host.object && host.object->HasMember(display)) return host.object;
  }
  return nullptr;
}

double Interpreter::Now() const { return clocks_.local_now(); }

void Interpreter::CheckStringSize(size_t bytes) {
  if (bytes > kMaxStringBytes) ThrowError(7);
}

void Interpreter::ResetTimeBudget() {
  last_activity_ = clocks_.monotonic();
  tick_countdown_ = kTicksPerClockCheck;
}

void Interpreter::CheckTime() {
  tick_countdown_ = kTicksPerClockCheck;
  if (interrupted_) {
    RuntimeError error;
    error.number = kInterruptedError;
    error.description = "The script was stopped by its host";
    error.fatal = true;
    throw error;
  }
  if (timeout_ms_ < 0) return;
  auto elapsed = clocks_.monotonic() - last_activity_;
  if (elapsed > std::chrono::milliseconds(timeout_ms_)) {
    RuntimeError error;
    error.number = kTimeoutError;
    error.description = "The script ran for longer than its time-out of " +
                        std::to_string(timeout_ms_) + " ms of its own work";
    error.fatal = true;
    throw error;
  }
}

void Interpreter::CheckStack() const {
  uintptr_t here = FrameAddress();
  size_t used = stack_base_ > here ? stack_base_ - here : 0;
  if (used > stack_budget_ || call_depth_ > kMaxCallDepth) ThrowError(28);
}

void Interpreter::DrainTerminations() {
  while (!link_->terminate_queue.empty()) {
    ClassInstance* instance = link_->terminate_queue.back();
    link_->terminate_queue.pop_back();
    ClassInstance::Terminate(instance, link_);
  }
}

void Interpreter::RunTerminate(const std::shared_ptr<ClassInstance>& instance) noexcept {
  const ProcedureDecl* terminate = instance->Decl().terminate;
  if (terminate == nullptr) return;
  EntryGuard guard(*this);
  try {
    ArgList none;
    CallUser(*terminate, none, instance);
  } catch (...) {
    // An error in Class_Terminate has nowhere to go: the code that dropped the object is gone.
  }
}

std::shared_ptr<Program> Interpreter::Compile(std::string_view code, bool dynamic_names) {
  auto source = std::make_shared<SourceText>();
  source->text = std::string(code);
  Parser parser(source, dynamic_names);
  std::shared_ptr<Program> program = parser.ParseProgram();
  Define(program);
  return program;
}

void Interpreter::Define(const std::shared_ptr<Program>& program) {
  for (auto& proc : program->procedures) {
    proc->option_explicit = program->option_explicit;
    procedures_[proc->name] = {proc.get(), program};
  }
  for (auto& decl : program->classes) {
    for (auto& proc : decl->procedures) proc->option_explicit = program->option_explicit;
    classes_[decl->name] = {decl.get(), program};
  }
}

void Interpreter::RunGlobal(std::string_view code) {
  MemoryMeter::Scope meter_scope(meter_);
  std::shared_ptr<Program> program = Compile(code, false);
  DeclareGlobals(program->body);
  EntryGuard guard(*this);
  Frame frame;
  frame.source = program->source;
  frame.option_explicit = program->option_explicit;
  FrameGuard frame_guard(*this, frame);
  ExecBlock(program->body);
}

ScriptValue Interpreter::EvaluateGlobal(std::string_view expression) {
  MemoryMeter::Scope meter_scope(meter_);
  auto source = std::make_shared<SourceText>();
  source->text = std::string(expression);
  Parser parser(source, false);
  ExprPtr expr = parser.ParseExpressionOnly();
  EntryGuard guard(*this);
  Frame frame;
  frame.source = source;
  FrameGuard frame_guard(*this, frame);
  try {
    return Eval(*expr);
  } catch (RuntimeError& error) {
    if (!error.located) {
      error.located = true;
      error.line = expr->line;
      error.column = expr->column;
      error.text = source;
    }
    throw;
  }
}

ScriptValue Interpreter::EvalInScope(std::string_view expression) {
  CheckStack();
  BeforeForeignCode();
  auto source = std::make_shared<SourceText>();
  source->text = std::string(expression);
  ExprPtr expr;
  try {
    Parser parser(source, frame_->proc != nullptr);
    expr = parser.ParseExpressionOnly();
  } catch (const CompileError& error) {
    RuntimeError runtime;
    runtime.number = error.number;
    runtime.description = std::string(StandardErrorText(error.number));
    runtime.source = kCompileSource;
    throw runtime;
  }
  return Eval(*expr);
}

void Interpreter::ExecuteInScope(std::string_view code, bool global) {
  CheckStack();
  BeforeForeignCode();
  std::shared_ptr<Program> program;
  try {
    program = Compile(code, !global && frame_->proc != nullptr);
  } catch (const CompileError& error) {
    RuntimeError runtime;
    runtime.number = error.number;
    runtime.description = std::string(StandardErrorText(error.number));
    runtime.source = kCompileSource;
    throw runtime;
  }
  if (global || frame_->proc == nullptr) DeclareGlobals(program->body);
  try {
    if (global) {
      Frame frame;
      frame.source = program->source;
      frame.option_explicit = program->option_explicit;
      FrameGuard frame_guard(*this, frame);
      ExecBlock(program->body);
    } else {
      std::shared_ptr<const SourceText> saved = frame_->source;
      frame_->source = program->source;
      try {
        ExecBlock(program->body);
      } catch (...) {
        frame_->source = saved;
        throw;
      }
      frame_->source = saved;
    }
  } catch (RuntimeError& error) {
    // Reported at the Execute statement, whose line the author can find.
    error.located = false;
    throw;
  }
}

void Interpreter::DeclareGlobals(const Block& block) {
  // Declarations are settled before the code runs, wherever they stand in it: a variable that
  // code above its Dim uses is declared under Option Explicit too. Nesting is bounded by the
  // parser.
  for (const auto& stmt : block) {
    switch (stmt->kind) {
      case StmtKind::kDim:
        for (const auto& item : static_cast<const DimStmt&>(*stmt).items) {
          auto& variable = globals_[item.target->name];
          if (!variable) variable = std::make_unique<Variable>();
        }
        break;
      case StmtKind::kIf: {
        const auto& if_stmt = static_cast<const IfStmt&>(*stmt);
        for (const auto& branch : if_stmt.branches) DeclareGlobals(branch.body);
        DeclareGlobals(if_stmt.else_body);
        break;
      }
      case StmtKind::kSelect:
        for (const auto& clause : static_cast<const SelectStmt&>(*stmt).clauses) {
          DeclareGlobals(clause.body);
        }
        break;
      case StmtKind::kFor:
        DeclareGlobals(static_cast<const ForStmt&>(*stmt).body);
        break;
      case StmtKind::kForEach:
        DeclareGlobals(static_cast<const ForEachStmt&>(*stmt).body);
        break;
      case StmtKind::kDo:
        DeclareGlobals(static_cast<const DoStmt&>(*stmt).body);
        break;
      case StmtKind::kWith:
        DeclareGlobals(static_cast<const WithStmt&>(*stmt).body);
        break;
      default:
        break;
    }
  }
}

ScriptValue Interpreter::GetRef(std::string_view name) {
  auto it = procedures_.find(text::Lower(name));
  if (it == procedures_.end()) ThrowError(5);
  return ScriptValue::Object(
      std::make_shared<ProcedureRef>(*it->second.decl, it->second.program, link_));
}

float Interpreter::NextRandom(std::optional<double> argument) {
  if (argument) {
    if (*argument == 0) return last_random_;
    if (*argument < 0) {
      float single = static_cast<float>(*argument);
      uint32_t bits = 0;
      std::memcpy(&bits, &single, sizeof bits);
      random_seed_ = (bits + (bits >> 24)) & 0xFFFFFF;
    }
  }
  random_seed_ = (random_seed_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
  last_random_ = static_cast<float>(random_seed_) / 16777216.0f;
  return last_random_;
}

void Interpreter::Randomize(std::optional<double> seed) {
  double now = Now();
  // With no number the seed comes from the timer, seconds since midnight as a Single.
  double value = seed ? *seed : static_cast<float>((now - std::floor(now)) * 86400.0);
  // The high half of the number's bits, folded to 16 bits, replaces the middle of the seed;
  // its lowest byte stays, so Randomize alone does not restart a sequence.
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  uint32_t high = static_cast<uint32_t>(bits >> 32);
  uint32_t folded = (high & 0xFFFF) ^ (high >> 16);
  random_seed_ = (random_seed_ & 0xFF) | ((folded << 8) & 0xFFFF00);
}

ScriptStatus Interpreter::InvokeInstance(const std::shared_ptr<ClassInstance>& instance,
                                         std::string_view name, ScriptCall kind,
                                         std::span<ScriptValue> args, ScriptValue& result) {
  EntryGuard guard(*this);
  try {
    std::string lower = text::Lower(name);
    ArgList list;
    bool put = kind == ScriptCall::kPropertyLet || kind == ScriptCall::kPropertySet;
    size_t count = args.size() - (put && !args.empty() ? 1 : 0);
    for (size_t i = 0; i < count; ++i) list.items.push_back(Arg{ScriptValue(), &args[i]});
    if (put) {
      if (args.empty()) return ScriptStatus::Fail(450);
      AssignClassMember(instance, lower, name, list, args.back(), kind == ScriptCall::kPropertySet);
    } else {
      result = CallClassMember(instance, lower, name, list, kind);
    }
    return ScriptStatus::Ok();
  } catch (const RuntimeError& error) {
    return StatusFromError(error);
  }
}

ScriptStatus Interpreter::InvokeProcedure(const ProcedureDecl& procedure,
                                          std::span<ScriptValue> args, ScriptValue& result) {
  EntryGuard guard(*this);
  try {
    ArgList list;
    for (auto& arg : args) list.items.push_back(Arg{ScriptValue(), &arg});
    result = CallUser(procedure, list, nullptr);
    return ScriptStatus::Ok();
  } catch (const RuntimeError& error) {
    return StatusFromError(error);
  }
}

// ---- Statements ----

Interpreter::Flow Interpreter::ExecBlock(const Block& block) {
  for (const auto& stmt : block) {
    Flow flow = ExecStatement(*stmt);
    if (flow != Flow::kNormal) return flow;
  }
  return Flow::kNormal;
}

Interpreter::Flow Interpreter::ExecStatement(const Stmt& stmt) {
  try {
    CheckMemory();
    Flow flow = Exec(stmt);
    if (!link_->terminate_queue.empty()) DrainTerminations();
    return flow;
  } catch (RuntimeError& error) {
    if (!error.located) {
      error.located = true;
      error.line = stmt.line;
      error.column = stmt.column;
      error.text = frame_->source;
    }
    if (Trap(error)) return Flow::kNormal;
    throw;
  }
}

bool Interpreter::Trap(const RuntimeError& error) {
  if (!frame_->resume_next || error.fatal) return false;
  err_->Set(error.number, error.source.empty() ? kRuntimeSource : error.source, error.description,
            error.help_file, error.help_context);
  return true;
}

std::optional<bool> Interpreter::Condition(const Expr& expr) {
  try {
    ScriptValue scratch;
    return IsTrue(EvalView(expr, scratch));
  } catch (const RuntimeError& error) {
    if (!Trap(error)) throw;
    return std::nullopt;
  }
}

Interpreter::Flow Interpreter::Exec(const Stmt& stmt) {
  switch (stmt.kind) {
    case StmtKind::kCall:
      ExecCall(static_cast<const CallStmt&>(stmt));
      return Flow::kNormal;
    case StmtKind::kAssign:
      ExecAssign(static_cast<const AssignStmt&>(stmt));
      return Flow::kNormal;
    case StmtKind::kDim:
      ExecDim(static_cast<const DimStmt&>(stmt));
      return Flow::kNormal;
    case StmtKind::kReDim:
      ExecReDim(static_cast<const ReDimStmt&>(stmt));
      return Flow::kNormal;
    case StmtKind::kConst:
      ExecConst(static_cast<const ConstStmt&>(stmt));
      return Flow::kNormal;
    case StmtKind::kIf:
      return ExecIf(static_cast<const IfStmt&>(stmt));
    case StmtKind::kSelect:
      return ExecSelect(static_cast<const SelectStmt&>(stmt));
    case StmtKind::kFor:
      return ExecFor(static_cast<const ForStmt&>(stmt));
    case StmtKind::kForEach:
      return ExecForEach(static_cast<const ForEachStmt&>(stmt));
    case StmtKind::kDo:
      return ExecDo(static_cast<const DoStmt&>(stmt));
    case StmtKind::kExit:
      switch (static_cast<const ExitStmt&>(stmt).what) {
        case ExitKind::kDo:
          return Flow::kExitDo;
        case ExitKind::kFor:
          return Flow::kExitFor;
        case ExitKind::kProcedure:
          return Flow::kExitProcedure;
      }
      return Flow::kNormal;
    case StmtKind::kOnError:
      frame_->resume_next = static_cast<const OnErrorStmt&>(stmt).resume_next;
      err_->Clear();
      return Flow::kNormal;
    case StmtKind::kWith:
      return ExecWith(static_cast<const WithStmt&>(stmt));
    case StmtKind::kErase:
      ExecErase(static_cast<const EraseStmt&>(stmt));
      return Flow::kNormal;
    case StmtKind::kNothing:
      return Flow::kNormal;
  }
  return Flow::kNormal;
}

void Interpreter::ExecCall(const CallStmt& stmt) {
  const Expr& call = *stmt.call;
  switch (call.kind) {
    case ExprKind::kName:
      statement_call_ = true;
      CallNamed(static_cast<const NameExpr&>(call), nullptr, ScriptCall::kMethod);
      return;
    case ExprKind::kMember: {
      const auto& member = static_cast<const MemberExpr&>(call);
      ScriptValue object = EvalMemberObject(member);
      RequireObject(object, member);
      ArgList none;
      CallOnValue(object, member.name, member.display, none, ScriptCall::kMethod);
      return;
    }
    case ExprKind::kCall:
      statement_call_ = static_cast<const CallExpr&>(call).callee->kind == ExprKind::kName;
      EvalCallExpr(static_cast<const CallExpr&>(call), ScriptCall::kMethod);
      return;
    default:
      ThrowError(13);
  }
}

void Interpreter::ExecAssign(const AssignStmt& stmt) {
  if (stmt.value->kind == ExprKind::kBinary && AppendInPlace(stmt)) return;
  ScriptValue value = Eval(*stmt.value);
  Assign(*stmt.target, std::move(value), stmt.is_set);
}

void Interpreter::ExecDim(const DimStmt& stmt) {
  for (const auto& item : stmt.items) {
    const NameExpr& name = *item.target;
    ScriptValue* slot = nullptr;
    if (name.binding == Binding::kLocal) {
      slot = frame_->slots[name.slot];
    } else if (frame_->proc != nullptr) {
      slot = LookupDynamic(name.name, nullptr);
      if (slot == nullptr) {
        auto& local = frame_->dynamic_locals[name.name];
        local = std::make_unique<ScriptValue>();
        slot = local.get();
      }
    } else {
      auto& variable = globals_[name.name];
      if (!variable) variable = std::make_unique<Variable>();
      slot = &variable->value;
    }
    if (item.is_array) {
      Store(*slot, ScriptValue::Array(MakeArray(item.bounds, !item.bounds.empty())));
    }
  }
}

std::shared_ptr<ScriptArray> Interpreter::MakeArray(const std::vector<ExprPtr>& bounds,
                                                    bool fixed) {
  auto array = std::make_shared<ScriptArray>();
  array->fixed = fixed;
  if (bounds.size() > 60) ThrowError(9);
  int64_t total = 1;
  for (const auto& bound : bounds) {
    int32_t upper = ToLong(Eval(*bound));
    if (upper < -1) ThrowError(9);
    int32_t count = upper + 1;
    total *= count;
    if (total > kMaxArrayElements) ThrowError(7);
    array->bounds.push_back({0, count});
  }
  if (!bounds.empty()) array->elements.resize(static_cast<size_t>(total));
  return array;
}

void Interpreter::ExecReDim(const ReDimStmt& stmt) {
  for (const auto& item : stmt.items) {
    // ReDim of a name that is not a variable yet declares it (in the procedure, when it runs
    // in one), Option Explicit or not.
    ScriptValue* slot = Ref(*item.target);
    if (slot == nullptr) {
      if (item.target->kind != ExprKind::kName) ThrowError(13);
      slot = CreateVariable(static_cast<const NameExpr&>(*item.target), true);
    }
    std::shared_ptr<ScriptArray> old;
    if (slot->IsArray()) {
      old = slot->ArrayValue();
      if (old->fixed || old->locks > 0) ThrowError(10);
    }
    std::shared_ptr<ScriptArray> fresh = MakeArray(item.bounds, false);
    if (stmt.preserve && old && !old->bounds.empty()) {
      if (old->bounds.size() != fresh->bounds.size()) ThrowError(9);
      size_t last = fresh->bounds.size() - 1;
      size_t stride = 1;
      for (size_t d = 0; d < last; ++d) {
        if (old->bounds[d].count != fresh->bounds[d].count) ThrowError(9);
        stride *= static_cast<size_t>(fresh->bounds[d].count);
      }
      size_t keep = stride * static_cast<size_t>(
                                 std::min(old->bounds[last].count, fresh->bounds[last].count));
      for (size_t i = 0; i < keep && i < old->elements.size(); ++i) {
        fresh->elements[i] = std::move(old->elements[i]);
      }
    }
    Store(*slot, ScriptValue::Array(std::move(fresh)));
  }
}

void Interpreter::ExecConst(const ConstStmt& stmt) {
  for (const auto& item : stmt.items) {
    ScriptValue value = LetValue(Eval(*item.value));
    const NameExpr& name = *item.target;
    if (name.binding == Binding::kLocal) {
      Store(*frame_->slots[name.slot], std::move(value));
    } else if (frame_->proc != nullptr) {
      auto& local = frame_->dynamic_locals[name.name];
      if (!local) local = std::make_unique<ScriptValue>();
      Store(*local, std::move(value));
    } else {
      auto& variable = globals_[name.name];
      if (!variable) variable = std::make_unique<Variable>();
      Store(variable->value, std::move(value));
      variable->is_const = true;
    }
  }
}

Interpreter::Flow Interpreter::ExecIf(const IfStmt& stmt) {
  for (const auto& branch : stmt.branches) {
    // A condition that failed under On Error Resume Next takes its branch.
    std::optional<bool> truth = Condition(*branch.condition);
    if (!truth || *truth) return ExecBlock(branch.body);
  }
  return ExecBlock(stmt.else_body);
}

Interpreter::Flow Interpreter::ExecSelect(const SelectStmt& stmt) {
  ScriptValue subject;
  try {
    subject = Eval(*stmt.subject);
  } catch (const RuntimeError& error) {
    // Under On Error Resume Next a failed subject runs no case at all, not even Case Else.
    if (!Trap(error)) throw;
    return Flow::kNormal;
  }
  bool subject_literal = IsLiteral(*stmt.subject);
  for (const auto& clause : stmt.clauses) {
    if (clause.items.empty()) return ExecBlock(clause.body);
    for (const auto& item : clause.items) {
      bool matched = false;
      try {
        matched = CaseMatches(item, subject, subject_literal);
      } catch (const RuntimeError& error) {
        // A Case value that failed is taken.
        if (!Trap(error)) throw;
        matched = true;
      }
      if (matched) return ExecBlock(clause.body);
    }
  }
  return Flow::kNormal;
}

bool Interpreter::CaseMatches(const CaseItem& item, const ScriptValue& subject,
                              bool subject_literal) {
  ScriptValue value = Eval(*item.value);
  switch (item.kind) {
    case CaseItem::Kind::kValue:
      return IsTrue(Compare(Op::kEq, subject, value, subject_literal, IsLiteral(*item.value)));
    case CaseItem::Kind::kRange: {
      ScriptValue high = Eval(*item.high);
      return IsTrue(Compare(Op::kGe, subject, value, subject_literal, IsLiteral(*item.value))) &&
             IsTrue(Compare(Op::kLe, subject, high, subject_literal, IsLiteral(*item.high)));
    }
    case CaseItem::Kind::kIs:
      return IsTrue(Compare(item.op, subject, value, subject_literal, IsLiteral(*item.value)));
  }
  return false;
}

Interpreter::Flow Interpreter::ExecFor(const ForStmt& stmt) {
  ScriptValue start;
  ScriptValue end;
  ScriptValue step;
  try {
    start = LetValue(Eval(*stmt.from));
    end = LetValue(Eval(*stmt.to));
    step = stmt.step ? LetValue(Eval(*stmt.step)) : ScriptValue::Integer(1);
    for (ScriptValue* bound : {&start, &end, &step}) {
      if (bound->IsNull()) ThrowError(94);
      // ToDouble raises the type mismatch for a bound that is no number.
      double number = ToDouble(*bound);
      // A bound written as text is read as its number once, before the loop: compared as text
      // on every turn it would be greater than any counter, and the loop would never end.
      if (bound->IsString()) *bound = ScriptValue::Double(number);
    }
  } catch (const RuntimeError& error) {
    // Under On Error Resume Next a failed bound runs the body once; the counter keeps its value.
    if (!Trap(error)) throw;
    return RunOnce(stmt.body);
  }
  const NameExpr& name = *stmt.variable;
  ScriptValue* counter = LookupVariable(name);
  if (counter == nullptr) counter = CreateVariable(name);
  auto is_integral = [](const ScriptValue& v) {
    return v.Type() == ScriptType::kInteger || v.Type() == ScriptType::kLong ||
           v.Type() == ScriptType::kByte;
  };
  if (is_integral(start) && is_integral(end) && is_integral(step)) {
    // The common case runs on plain integers; the counter keeps Integer or Long type.
    bool wide = start.Type() == ScriptType::kLong || end.Type() == ScriptType::kLong ||
                step.Type() == ScriptType::kLong;
    int64_t i = start.IntegerValue();
    int64_t last = end.IntegerValue();
    int64_t by = step.IntegerValue();
    auto make = [wide](int64_t v) {
      if (!wide && v >= -32768 && v <= 32767) return ScriptValue::Integer(static_cast<int16_t>(v));
      if (v >= INT32_MIN && v <= INT32_MAX) return ScriptValue::Long(static_cast<int32_t>(v));
      return ScriptValue::Double(static_cast<double>(v));
    };
    Store(*counter, make(i));
    while (by >= 0 ? i <= last : i >= last) {
      Flow flow = ExecBlock(stmt.body);
      if (flow == Flow::kExitFor) break;
      if (flow != Flow::kNormal) return flow;
      Tick();
      const ScriptValue& current = *counter;
      if (is_integral(current)) {
        i = current.IntegerValue() + by;
      } else {
        i = static_cast<int64_t>(std::floor(ToDouble(current))) + by;
      }
      if (i > INT32_MAX || i < INT32_MIN) ThrowError(6);
      Store(*counter, make(i));
    }
    return Flow::kNormal;
  }
  bool descending = ToDouble(step) < 0;
  Store(*counter, Arithmetic(Op::kAdd, start, ScriptValue::Integer(0)));
  while (true) {
    int order = CompareOrder(*counter, end, false, false);
    if (descending ? order < 0 : order > 0) break;
    Flow flow = ExecBlock(stmt.body);
    if (flow == Flow::kExitFor) break;
    if (flow != Flow::kNormal) return flow;
    Tick();
    Store(*counter, Arithmetic(Op::kAdd, *counter, step));
  }
  return Flow::kNormal;
}

Interpreter::Flow Interpreter::ExecForEach(const ForEachStmt& stmt) {
  std::vector<ScriptValue> items;
  try {
    ScriptValue collection = Eval(*stmt.collection);
    if (collection.IsArray()) {
      items = collection.ArrayValue()->elements;
    } else if (collection.IsObject() && collection.ObjectValue()) {
      auto object = collection.ObjectValue();
      if (dynamic_cast<ClassInstance*>(object.get()) != nullptr) ThrowError(451);
      ScriptStatus status = object->Enumerate(items);
      if (!status.ok()) throw ErrorFromStatus(status, {});
    } else {
      ThrowError(451);
    }
  } catch (const RuntimeError& error) {
    // Under On Error Resume Next a failed collection runs the body once, the variable unchanged.
    if (!Trap(error)) throw;
    return RunOnce(stmt.body);
  }
  const NameExpr& name = *stmt.variable;
  ScriptValue* variable = LookupVariable(name);
  if (variable == nullptr) variable = CreateVariable(name);
  for (auto& item : items) {
    Store(*variable, OwnedCopy(std::move(item)));
    Flow flow = ExecBlock(stmt.body);
    if (flow == Flow::kExitFor) break;
    if (flow != Flow::kNormal) return flow;
    Tick();
  }
  return Flow::kNormal;
}

Interpreter::Flow Interpreter::ExecDo(const DoStmt& stmt) {
  // Under On Error Resume Next a failed condition enters the body when it stands at the top and
  // ends the loop when it stands at the bottom.
  while (true) {
    if (stmt.test_first && stmt.condition) {
      std::optional<bool> truth = Condition(*stmt.condition);
      if (truth && (stmt.until ? *truth : !*truth)) break;
    }
    Flow flow = ExecBlock(stmt.body);
    if (flow == Flow::kExitDo) break;
    if (flow != Flow::kNormal) return flow;
    if (!stmt.test_first && stmt.condition) {
      std::optional<bool> truth = Condition(*stmt.condition);
      if (!truth || (stmt.until ? *truth : !*truth)) break;
    }
    Tick();
  }
  return Flow::kNormal;
}

Interpreter::Flow Interpreter::RunOnce(const Block& body) {
  Flow flow = ExecBlock(body);
  return flow == Flow::kExitFor ? Flow::kNormal : flow;
}

Interpreter::Flow Interpreter::ExecWith(const WithStmt& stmt) {
  ScriptValue object = Eval(*stmt.object);
  if (!object.IsObject()) ThrowError(424);
  frame_->with.push_back(std::move(object));
  Frame* frame = frame_;
  struct Pop {
    Frame* frame;
    ~Pop() { frame->with.pop_back(); }
  } pop{frame};
  return ExecBlock(stmt.body);
}

void Interpreter::ExecErase(const EraseStmt& stmt) {
  ScriptValue* slot = Ref(*stmt.target);
  if (slot == nullptr || !slot->IsArray()) ThrowError(13);
  auto array = slot->ArrayValue();
  if (array->locks > 0) ThrowError(10);
  if (array->fixed) {
    std::vector<ScriptValue> old(array->elements.size());
    old.swap(array->elements);
    return;
  }
  Store(*slot, ScriptValue::Array(std::make_shared<ScriptArray>()));
}

// ---- Expressions ----

ScriptValue Interpreter::Eval(const Expr& expr) {
  switch (expr.kind) {
    case ExprKind::kLiteral:
      return static_cast<const LiteralExpr&>(expr).value;
    case ExprKind::kName: {
      const auto& name = static_cast<const NameExpr&>(expr);
      if (ScriptValue* slot = LookupVariable(name)) return *slot;
      return CallNamed(name, nullptr, ScriptCall::kPropertyGet);
    }
    case ExprKind::kMember: {
      const auto& member = static_cast<const MemberExpr&>(expr);
      ScriptValue object = EvalMemberObject(member);
      RequireObject(object, member);
      ArgList none;
      return CallOnValue(object, member.name, member.display, none, ScriptCall::kPropertyGet);
    }
    case ExprKind::kCall:
      return EvalCallExpr(static_cast<const CallExpr&>(expr), ScriptCall::kMethod);
    case ExprKind::kUnary: {
      const auto& unary = static_cast<const UnaryExpr&>(expr);
      ScriptValue operand = Eval(*unary.operand);
      switch (unary.op) {
        case Op::kNot:
          return LogicalNot(operand);
        case Op::kNeg:
          return Negate(operand);
        default:
          return Dereference(operand);
      }
    }
    case ExprKind::kBinary:
      return EvalBinary(static_cast<const BinaryExpr&>(expr));
    case ExprKind::kNew:
      return NewInstance(static_cast<const NewExpr&>(expr));
    case ExprKind::kMe:
      if (!frame_->me) ThrowError(424, "Me");
      return ScriptValue::Object(frame_->me);
  }
  ThrowError(51);
}

const ScriptValue& Interpreter::EvalView(const Expr& expr, ScriptValue& scratch) {
  if (expr.kind == ExprKind::kLiteral) return static_cast<const LiteralExpr&>(expr).value;
  if (expr.kind == ExprKind::kName) {
    if (ScriptValue* slot = LookupVariable(static_cast<const NameExpr&>(expr))) return *slot;
  }
  scratch = Eval(expr);
  return scratch;
}

ScriptValue Interpreter::EvalBinary(const BinaryExpr& expr) {
  CheckStack();
  if (expr.op == Op::kConcat) {
    // Appends to the left operand's own copy instead of building a third string.
    ScriptValue left = Eval(*expr.left);
    ScriptValue right_scratch;
    const ScriptValue& right = EvalView(*expr.right, right_scratch);
    if (left.IsString() && right.IsString()) {
      CheckStringSize(left.StringValue().size() + right.StringValue().size());
      left.MutableString() += right.StringValue();
      return left;
    }
    ScriptValue result = Concatenate(left, right);
    if (result.IsString()) CheckStringSize(result.StringValue().size());
    return result;
  }
  // The left operand may be read in place only when evaluating the right one cannot run code
  // that changes it.
  bool right_is_plain =
      expr.right->kind == ExprKind::kLiteral || expr.right->kind == ExprKind::kName;
  ScriptValue left_scratch;
  const ScriptValue& left =
      right_is_plain ? EvalView(*expr.left, left_scratch) : (left_scratch = Eval(*expr.left));
  ScriptValue right_scratch;
  const ScriptValue& right = EvalView(*expr.right, right_scratch);
  switch (expr.op) {
    case Op::kAdd:
    case Op::kSub:
    case Op::kMul:
    case Op::kDiv:
    case Op::kIntDiv:
    case Op::kMod:
    case Op::kPow: {
      if (expr.op == Op::kAdd && left.IsString() && right.IsString()) {
        CheckStringSize(left.StringValue().size() + right.StringValue().size());
      }
      return Arithmetic(expr.op, left, right);
    }
    case Op::kEq:
    case Op::kNe:
    case Op::kLt:
    case Op::kGt:
    case Op::kLe:
    case Op::kGe:
    case Op::kIs:
      return Compare(expr.op, left, right, IsLiteral(*expr.left), IsLiteral(*expr.right));
    default:
      return Logical(expr.op, left, right);
  }
}

ScriptValue Interpreter::EvalMemberObject(const MemberExpr& expr) {
  if (expr.object) return Eval(*expr.object);
  if (frame_->with.empty()) ThrowError(505, expr.display);
  return frame_->with.back();
}

ScriptValue Interpreter::EvalCallExpr(const CallExpr& expr, ScriptCall kind) {
  const Expr& callee = *expr.callee;
  if (callee.kind == ExprKind::kName) {
    return CallNamed(static_cast<const NameExpr&>(callee), &expr.args, kind);
  }
  if (callee.kind == ExprKind::kMember) {
    const auto& member = static_cast<const MemberExpr&>(callee);
    ScriptValue object = EvalMemberObject(member);
    RequireObject(object, member);
    ArgList args;
    EvalArgs(&expr.args, args, true);
    return CallOnValue(object, member.name, member.display, args, kind);
  }
  ScriptValue target = Eval(callee);
  ArgList args;
  EvalArgs(&expr.args, args, false);
  return Index(target, args, {});
}

void Interpreter::EvalArgs(const std::vector<ExprPtr>* exprs, ArgList& out, bool by_reference) {
  if (exprs == nullptr) return;
  out.items.reserve(exprs->size());
  for (const auto& expr : *exprs) {
    if (!expr) {
      out.items.push_back(Arg{ScriptValue::Missing()});
      continue;
    }
    if (by_reference && !expr->parenthesized) {
      if (expr->kind == ExprKind::kName) {
        const auto& name = static_cast<const NameExpr&>(*expr);
        ScriptValue* slot = LookupVariable(name);
        // A name nobody declared becomes a variable here, so the callee can fill it.
        if (slot == nullptr && IsUndeclared(name)) slot = CreateVariable(name);
        if (slot != nullptr) {
          out.items.push_back(Arg{ScriptValue(), slot});
          continue;
        }
      } else if (expr->kind == ExprKind::kCall) {
        const auto& call = static_cast<const CallExpr&>(*expr);
        if (call.callee->kind == ExprKind::kName) {
          ScriptValue* container = LookupVariable(static_cast<const NameExpr&>(*call.callee));
          if (container != nullptr && container->IsArray()) {
            std::shared_ptr<ScriptArray> array = container->ArrayValue();
            ArgList indices;
            EvalArgs(&call.args, indices, false);
            ScriptValue* element = ElementRef(*array, indices);
            ++array->locks;
            out.pins.push_back(std::move(array));
            out.items.push_back(Arg{ScriptValue(), element});
            continue;
          }
        }
      }
    }
    out.items.push_back(Arg{Eval(*expr)});
  }
}

ScriptValue Interpreter::CallNamed(const NameExpr& name, const std::vector<ExprPtr>* args,
                                   ScriptCall kind) {
  bool as_statement = std::exchange(statement_call_, false);
  if (ScriptValue* slot = LookupVariable(name)) {
    if (args == nullptr) return *slot;
    ScriptValue target = *slot;
    ArgList list;
    EvalArgs(args, list, false);
    if (list.size() == 0 && !target.IsObject()) return target;
    return Index(target, list, name.display);
  }
  if (name.binding == Binding::kMember && name.slot < 0) {
    ArgList list;
    EvalArgs(args, list, true);
    return CallClassMember(frame_->me, name.name, name.display, list, kind);
  }
  auto proc = procedures_.find(name.name);
  if (proc != procedures_.end()) {
    ArgList list;
    EvalArgs(args, list, true);
    return CallUser(*proc->second.decl, list, nullptr);
  }
  if (FindBuiltin(name.name) != nullptr) return CallBuiltin(name, args, as_statement);
  if (const HostObject* host = FindHostObject(name.name)) {
    ScriptValue object = ScriptValue::Object(host->object);
    if (args == nullptr || args->empty()) return object;
    ArgList list;
    EvalArgs(args, list, true);
    return CallOnValue(object, "", name.display, list, kind);
  }
  if (auto object = FindGlobalMember(name.display)) {
    ArgList list;
    EvalArgs(args, list, true);
    return CallHost(object, name.display, list, args ? ScriptCall::kMethod : kind);
  }
  if (args == nullptr && kind == ScriptCall::kPropertyGet) {
    if (frame_->option_explicit) ThrowError(500, name.display);
    return ScriptValue();
  }
  ThrowError(13, name.display);
}

ScriptValue Interpreter::CallBuiltin(const NameExpr& name, const std::vector<ExprPtr>* args,
                                     bool as_statement) {
  const Builtin* builtin = FindBuiltin(name.name);
  // Randomize is a statement; used for a value it is a mismatch.
  if (builtin->use == BuiltinUse::kStatement && !as_statement) ThrowError(13, name.display);
  std::vector<ScriptValue> values;
  if (args != nullptr) {
    values.reserve(args->size());
    // Array(s, s, s, ...) copies as many values as it is given: the budget is looked at as
    // they pile up.
    for (const auto& arg : *args) {
      CheckMemory();
      values.push_back(arg ? Eval(*arg) : ScriptValue::Missing());
    }
  }
  int count = static_cast<int>(values.size());
  if (count < builtin->min_args || count > builtin->max_args) {
    if (builtin->is_constant && args != nullptr && !args->empty()) ThrowError(13, name.display);
    ThrowError(450, name.display);
  }
  ScriptValue result = builtin->function(*this, values);
  // A conversion called for nothing (Call CInt(x)) has a value VBScript cannot drop.
  if (builtin->use == BuiltinUse::kConversion && as_statement) ThrowError(458);
  return result;
}

ScriptValue Interpreter::CallOnValue(const ScriptValue& target, std::string_view name,
                                     std::string_view display, ArgList& args, ScriptCall kind) {
  if (!target.IsObject()) ThrowError(424, display);
  const auto& object = target.ObjectValue();
  if (!object) ThrowError(424, display);
  if (auto instance = std::dynamic_pointer_cast<ClassInstance>(object)) {
    return CallClassMember(instance, name, display, args, kind);
  }
  return CallHost(object, name.empty() ? std::string_view() : display, args, kind);
}

bool Interpreter::IsUndeclared(const NameExpr& name) const {
  if (name.binding == Binding::kMember) return false;
  return !procedures_.contains(name.name) && FindBuiltin(name.name) == nullptr &&
         FindHostObject(name.name) == nullptr && FindGlobalMember(name.display) == nullptr;
}

bool Interpreter::IsInside(const ClassInstance& instance) const {
  return frame_ != nullptr && frame_->me && &frame_->me->Decl() == &instance.Decl();
}

ScriptValue Interpreter::CallClassMember(const std::shared_ptr<ClassInstance>& instance,
                                         std::string_view name_in, std::string_view display,
                                         ArgList& args, ScriptCall kind) {
  if (!instance) ThrowError(424, display);
  const ClassDecl& decl = instance->Decl();
  std::string name(name_in);
  if (name.empty()) {
    if (decl.default_member.empty()) ThrowError(438, decl.display);
    name = decl.default_member;
  }
  bool inside = IsInside(*instance);
  if (auto it = decl.methods.find(name); it != decl.methods.end()) {
    if (it->second->is_public || inside) return CallUser(*it->second, args, instance);
  }
  if (auto it = decl.getters.find(name); it != decl.getters.end()) {
    if (it->second->is_public || inside) return CallUser(*it->second, args, instance);
  }
  if (auto it = decl.field_index.find(name); it != decl.field_index.end()) {
    if (decl.fields[it->second].is_public || inside) {
      ScriptValue value = instance->Fields()[it->second];
      if (args.size() == 0) return value;
      return Index(value, args, display);
    }
  }
  ThrowError(438, display.empty() ? decl.display : display);
}

void Interpreter::AssignClassMember(const std::shared_ptr<ClassInstance>& instance,
                                    std::string_view name_in, std::string_view display,
                                    ArgList& args, ScriptValue value, bool is_set) {
  if (!instance) ThrowError(424, display);
  const ClassDecl& decl = instance->Decl();
  std::string name(name_in);
  if (name.empty()) {
    if (decl.default_member.empty()) ThrowError(438, decl.display);
    name = decl.default_member;
  }
  bool inside = IsInside(*instance);
  const auto& table = is_set ? decl.setters : decl.letters;
  if (auto it = table.find(name); it != table.end() && (it->second->is_public || inside)) {
    args.items.push_back(Arg{is_set ? SetValue(std::move(value)) : LetValue(std::move(value))});
    CallUser(*it->second, args, instance);
    return;
  }
  if (auto it = decl.field_index.find(name); it != decl.field_index.end()) {
    if (decl.fields[it->second].is_public || inside) {
      ScriptValue stored = is_set ? SetValue(std::move(value)) : LetValue(std::move(value));
      ScriptValue& field = instance->Fields()[it->second];
      if (args.size() == 0) {
        Store(field, std::move(stored));
        return;
      }
      if (!field.IsArray()) ThrowError(13, display);
      std::shared_ptr<ScriptArray> array = field.ArrayValue();
      Store(*ElementRef(*array, args), std::move(stored));
      return;
    }
  }
  if (decl.getters.contains(name) || decl.letters.contains(name) || decl.setters.contains(name)) {
    ThrowError(450, display);
  }
  ThrowError(438, display);
}

ScriptValue Interpreter::CallHost(const std::shared_ptr<ScriptObject>& object,
                                  std::string_view name, ArgList& args, ScriptCall kind) {
  std::vector<ScriptValue> values;
  values.reserve(args.size());
  for (auto& arg : args.items) values.push_back(arg.ref ? *arg.ref : std::move(arg.value));
  ScriptValue result;
  ScriptStatus status;
  if (IsEngineObject(object.get())) {
    status = object->Invoke(name, kind, values, result);
  } else {
    // The engine's own objects touch no variable; the host's may run script code that does.
    BeforeForeignCode();
    bool saved = in_host_call_;
    in_host_call_ = true;
    auto saved_activity = last_activity_;
    int saved_countdown = tick_countdown_;
    auto started = clocks_.monotonic();
    {
      // What the host allocates is the program's, not the script's.
      MemoryMeter::Scope outside(nullptr);
      status = object->Invoke(name, kind, values, result);
    }
    in_host_call_ = saved;
    // The time-out counts the script's own work: the time spent in the host (a Wait, or a run of
    // other script code it started) is left out, and a member that returns at once changes
    // nothing, so a script spinning around quick host calls still reaches its time-out.
    last_activity_ = saved_activity + (clocks_.monotonic() - started);
    tick_countdown_ = saved_countdown;
    if (interrupted_) CheckTime();
    // The script keeps the text it was given; from here on it is the script's to hold.
    if (result.IsString()) result = ScriptValue::String(std::string(result.StringValue()));
  }
  for (size_t i = 0; i < args.size(); ++i) {
    if (args.items[i].ref != nullptr) Store(*args.items[i].ref, std::move(values[i]));
  }
  if (!status.ok()) {
    RuntimeError error = ErrorFromStatus(status, name);
    if (object == err_) err_->TakeRaisedHelp(error.help_file, error.help_context);
    throw error;
  }
  return result;
}

ScriptValue Interpreter::CallUser(const ProcedureDecl& proc, ArgList& args,
                                  std::shared_ptr<ClassInstance> me) {
  if (args.size() != proc.params.size()) ThrowError(450, proc.display);
  CheckStack();
  Tick();
  BeforeForeignCode();
  std::vector<ScriptValue> storage(static_cast<size_t>(proc.slot_count));
  std::vector<ScriptValue*> slots(static_cast<size_t>(proc.slot_count));
  for (size_t i = 0; i < slots.size(); ++i) slots[i] = &storage[i];
  for (size_t i = 0; i < proc.params.size(); ++i) {
    Arg& arg = args.items[i];
    if (arg.ref != nullptr && proc.params[i].by_ref) {
      slots[i + 1] = arg.ref;
    } else {
      ScriptValue value = arg.ref != nullptr ? *arg.ref : std::move(arg.value);
      if (value.IsMissing()) value = ScriptValue();
      storage[i + 1] = OwnedCopy(std::move(value));
    }
  }
  Frame frame;
  frame.proc = &proc;
  frame.source = proc.source;
  frame.slots = slots.data();
  frame.me = std::move(me);
  frame.option_explicit = proc.option_explicit;
  FrameGuard guard(*this, frame);
  ExecBlock(proc.body);
  return std::move(storage[0]);
}

ScriptValue* Interpreter::ElementRef(ScriptArray& array, const ArgList& args) {
  if (args.size() != array.bounds.size() || args.size() == 0) ThrowError(9);
  size_t index = 0;
  size_t stride = 1;
  for (size_t d = 0; d < args.size(); ++d) {
    const Arg& arg = args.items[d];
    int32_t i = ToLong(arg.ref ? *arg.ref : arg.value);
    const auto& bound = array.bounds[d];
    if (i < bound.lower || i >= bound.lower + bound.count) ThrowError(9);
    index += static_cast<size_t>(i - bound.lower) * stride;
    stride *= static_cast<size_t>(bound.count);
  }
  assert(index < array.elements.size());
  return &array.elements[index];
}

ScriptValue Interpreter::Index(const ScriptValue& target, ArgList& args, std::string_view display) {
  if (target.IsArray()) {
    std::shared_ptr<ScriptArray> array = target.ArrayValue();
    return *ElementRef(*array, args);
  }
  if (target.IsObject()) return CallOnValue(target, "", display, args, ScriptCall::kPropertyGet);
  if (args.size() == 0) return target;
  ThrowError(13, display);
}

ScriptValue Interpreter::NewInstance(const NewExpr& expr) {
  auto it = classes_.find(expr.name);
  if (it == classes_.end()) {
    // The one class the language brings along; a script's own class of that name wins.
    if (expr.name == "regexp") return ScriptValue::Object(std::make_shared<RegExp>());
    ThrowError(506, expr.display);
  }
  const ClassDecl& decl = *it->second.decl;
  auto instance = ClassInstance::Create(decl, it->second.program, link_);
  for (size_t i = 0; i < decl.fields.size(); ++i) {
    if (decl.fields[i].is_array) {
      instance->Fields()[i] =
          ScriptValue::Array(MakeArray(decl.fields[i].bounds, !decl.fields[i].bounds.empty()));
    }
  }
  if (decl.initialize != nullptr) {
    ArgList none;
    CallUser(*decl.initialize, none, instance);
  }
  return ScriptValue::Object(std::move(instance));
}

// ---- Variables ----

ScriptValue* Interpreter::LookupVariable(const NameExpr& name, bool* is_const) {
  switch (name.binding) {
    case Binding::kLocal:
      return frame_->slots[name.slot];
    case Binding::kMember:
      if (name.slot >= 0 && frame_->me) return &frame_->me->Fields()[name.slot];
      return nullptr;
    case Binding::kGlobal: {
      if (name.cached == nullptr) {
        auto it = globals_.find(name.name);
        if (it != globals_.end()) {
          name.cached = it->second.get();
        } else {
          if (frame_->proc != nullptr && !frame_->dynamic_locals.empty()) {
            auto local = frame_->dynamic_locals.find(name.name);
            if (local != frame_->dynamic_locals.end()) return local->second.get();
          }
          return nullptr;
        }
      }
      if (is_const) *is_const = name.cached->is_const;
      return &name.cached->value;
    }
    case Binding::kDynamic:
      return LookupDynamic(name.name, is_const);
  }
  return nullptr;
}

ScriptValue* Interpreter::LookupDynamic(const std::string& name, bool* is_const) {
  if (frame_->proc != nullptr) {
    auto local = frame_->proc->locals.find(name);
    if (local != frame_->proc->locals.end()) return frame_->slots[local->second];
    auto dynamic = frame_->dynamic_locals.find(name);
    if (dynamic != frame_->dynamic_locals.end()) return dynamic->second.get();
  }
  if (frame_->me) {
    const ClassDecl& decl = frame_->me->Decl();
    auto field = decl.field_index.find(name);
    if (field != decl.field_index.end()) return &frame_->me->Fields()[field->second];
  }
  auto global = globals_.find(name);
  if (global != globals_.end()) {
    if (is_const) *is_const = global->second->is_const;
    return &global->second->value;
  }
  return nullptr;
}

ScriptValue* Interpreter::CreateVariable(const NameExpr& name, bool declaring) {
  if (frame_->option_explicit && !declaring) ThrowError(500, name.display);
  if (frame_->proc != nullptr) {
    auto& local = frame_->dynamic_locals[name.name];
    if (!local) local = std::make_unique<ScriptValue>();
    return local.get();
  }
  auto& variable = globals_[name.name];
  if (!variable) variable = std::make_unique<Variable>();
  if (name.binding == Binding::kGlobal) name.cached = variable.get();
  return &variable->value;
}

ScriptValue* Interpreter::Ref(const Expr& expr) {
  if (expr.kind == ExprKind::kName) return LookupVariable(static_cast<const NameExpr&>(expr));
  return nullptr;
}

void Interpreter::Store(ScriptValue& slot, ScriptValue value) {
  ScriptValue old = std::move(slot);
  slot = std::move(value);
}

ScriptValue Interpreter::LetValue(ScriptValue value) {
  if (value.IsObject()) return Dereference(value);
  if (value.IsMissing()) return ScriptValue();
  return OwnedCopy(std::move(value));
}

ScriptValue Interpreter::SetValue(ScriptValue value) {
  if (!value.IsObject()) ThrowError(424);
  return value;
}

void Interpreter::Assign(const Expr& target, ScriptValue value, bool is_set) {
  switch (target.kind) {
    case ExprKind::kName: {
      const auto& name = static_cast<const NameExpr&>(target);
      bool is_const = false;
      if (ScriptValue* slot = LookupVariable(name, &is_const)) {
        if (is_const) ThrowError(501, name.display);
        ScriptValue stored = is_set ? SetValue(std::move(value)) : LetValue(std::move(value));
        Store(*slot, std::move(stored));
        return;
      }
      if (name.binding == Binding::kMember && name.slot < 0) {
        ArgList none;
        AssignClassMember(frame_->me, name.name, name.display, none, std::move(value), is_set);
        return;
      }
      if (procedures_.contains(name.name) || FindBuiltin(name.name) != nullptr ||
          FindHostObject(name.name) != nullptr) {
        ThrowError(501, name.display);
      }
      if (auto object = FindGlobalMember(name.display)) {
        ArgList args;
        args.items.push_back(Arg{is_set ? SetValue(std::move(value)) : LetValue(std::move(value))});
        CallHost(object, name.display, args,
                 is_set ? ScriptCall::kPropertySet : ScriptCall::kPropertyLet);
        return;
      }
      ScriptValue stored = is_set ? SetValue(std::move(value)) : LetValue(std::move(value));
      Store(*CreateVariable(name), std::move(stored));
      return;
    }
    case ExprKind::kMember: {
      const auto& member = static_cast<const MemberExpr&>(target);
      ScriptValue object = EvalMemberObject(member);
      RequireObject(object, member);
      ArgList args;
      if (auto instance = std::dynamic_pointer_cast<ClassInstance>(object.ObjectValue())) {
        AssignClassMember(instance, member.name, member.display, args, std::move(value), is_set);
        return;
      }
      args.items.push_back(Arg{is_set ? SetValue(std::move(value)) : LetValue(std::move(value))});
      CallHost(object.ObjectValue(), member.display, args,
               is_set ? ScriptCall::kPropertySet : ScriptCall::kPropertyLet);
      return;
    }
    case ExprKind::kCall: {
      const auto& call = static_cast<const CallExpr&>(target);
      ScriptValue object;
      std::string_view member_name;
      std::string_view display;
      if (call.callee->kind == ExprKind::kName) {
        const auto& name = static_cast<const NameExpr&>(*call.callee);
        display = name.display;
        ScriptValue* slot = LookupVariable(name);
        if (slot != nullptr && slot->IsArray()) {
          ScriptValue stored = is_set ? SetValue(std::move(value)) : LetValue(std::move(value));
          std::shared_ptr<ScriptArray> array = slot->ArrayValue();
          ArgList indices;
          EvalArgs(&call.args, indices, false);
          Store(*ElementRef(*array, indices), std::move(stored));
          return;
        }
        if (slot != nullptr && slot->IsObject()) {
          object = *slot;
        } else if (slot == nullptr && name.binding == Binding::kMember && name.slot < 0) {
          ArgList args;
          EvalArgs(&call.args, args, false);
          AssignClassMember(frame_->me, name.name, name.display, args, std::move(value), is_set);
          return;
        } else if (slot == nullptr) {
          if (auto global = FindGlobalMember(name.display)) {
            ArgList args;
            EvalArgs(&call.args, args, false);
            args.items.push_back(
                Arg{is_set ? SetValue(std::move(value)) : LetValue(std::move(value))});
            CallHost(global, name.display, args,
                     is_set ? ScriptCall::kPropertySet : ScriptCall::kPropertyLet);
            return;
          }
          if (const HostObject* host = FindHostObject(name.name)) {
            object = ScriptValue::Object(host->object);
          } else {
            ThrowError(13, name.display);
          }
        } else {
          ThrowError(13, name.display);
        }
      } else if (call.callee->kind == ExprKind::kMember) {
        const auto& member = static_cast<const MemberExpr&>(*call.callee);
        object = EvalMemberObject(member);
        member_name = member.name;
        display = member.display;
        RequireObject(object, member);
      } else {
        ThrowError(501);
      }
      if (!object.IsObject() || !object.ObjectValue()) ThrowError(424, display);
      ArgList args;
      EvalArgs(&call.args, args, false);
      if (auto instance = std::dynamic_pointer_cast<ClassInstance>(object.ObjectValue())) {
        AssignClassMember(instance, member_name, display, args, std::move(value), is_set);
        return;
      }
      args.items.push_back(Arg{is_set ? SetValue(std::move(value)) : LetValue(std::move(value))});
      CallHost(object.ObjectValue(), member_name.empty() ? std::string_view() : display, args,
               is_set ? ScriptCall::kPropertySet : ScriptCall::kPropertyLet);
      return;
    }
    default:
      ThrowError(501);
  }
}

}  // namespace quillon::vbscript
