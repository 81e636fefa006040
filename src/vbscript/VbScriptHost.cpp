#include "vbscript/VbScriptHost.h"

#include <chrono>
#include <ctime>
#include <new>

#include "text/ScriptDate.h"
#include "vbscript/CompileError.h"
#include "vbscript/Dictionary.h"
#include "vbscript/RegExp.h"
#include "vbscript/RuntimeError.h"
#include "vbscript/Text.h"

namespace quillon::vbscript {
namespace {

EngineClocks WithDefaults(EngineClocks clocks) {
  if (!clocks.monotonic) clocks.monotonic = [] { return std::chrono::steady_clock::now(); };
  if (!clocks.local_now) clocks.local_now = &VbScriptHost::SystemLocalNow;
  return clocks;
}

std::string LineOf(std::string_view code, int line) {
  SourceText source;
  source.text = std::string(code);
  return source.Line(line);
}

}  // namespace

VbScriptHost::VbScriptHost() : VbScriptHost(EngineClocks{}) {}

VbScriptHost::VbScriptHost(EngineClocks clocks)
    : engine_(std::make_unique<Interpreter>(WithDefaults(std::move(clocks)))) {
  engine_->SetMemoryLimit(kDefaultMemoryLimit);
  engine_->RegisterClass("Scripting.Dictionary", [] { return std::make_shared<Dictionary>(); });
  engine_->RegisterClass("VBScript.RegExp", [] { return std::make_shared<RegExp>(); });
}

VbScriptHost::~VbScriptHost() = default;

double VbScriptHost::SystemLocalNow() {
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  double day =
      quillon::text::ScriptDayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  double fraction =
      (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + millis / 1000.0) / 86400.0;
  return day + fraction;
}

bool VbScriptHost::SetLanguage(std::string_view language) {
  return text::Lower(language) == "vbscript";
}

void VbScriptHost::AddObject(std::string_view name, std::shared_ptr<platform::ScriptObject> object,
                             bool members_global) {
  engine_->AddObject(name, std::move(object), members_global);
}

void VbScriptHost::RegisterClass(std::string_view prog_id, platform::ScriptObjectFactory factory) {
  engine_->RegisterClass(prog_id, std::move(factory));
}

std::shared_ptr<platform::ScriptObject> VbScriptHost::CreateObject(std::string_view prog_id) {
  return engine_->CreateObject(prog_id);
}

void VbScriptHost::Report(platform::ScriptErrorInfo info) {
  error_ = std::move(info);
  if (!handler_) return;
  // A copy: the handler may run another script, which may replace error_.
  platform::ScriptErrorInfo event = error_;
  try {
    handler_(event);
  } catch (...) {
    // The error event is the program's; what it throws has nowhere to go from here.
  }
}

template <typename Run>
platform::ScriptResult VbScriptHost::Guarded(std::string_view code, Run run) {
  platform::ScriptResult result;
  platform::ScriptErrorInfo info;
  try {
    result.value = run();
    return result;
  } catch (const CompileError& error) {
    info.number = error.number;
    info.source = kCompileSource;
    info.description = error.description.empty() ? std::string(StandardErrorText(error.number))
                                                 : error.description;
    info.line = error.line;
    info.column = error.column;
    info.text = LineOf(code, error.line);
  } catch (const RuntimeError& error) {
    info.number = error.number;
    info.source = error.source.empty() ? kRuntimeSource : error.source;
    info.description = error.description;
    info.line = error.line;
    info.column = error.column;
    if (error.text) info.text = error.text->Line(error.line);
  } catch (const std::bad_alloc&) {
    info.number = 7;
    info.source = kRuntimeSource;
    info.description = std::string(StandardErrorText(7));
  }
  result.ok = false;
  result.value = platform::ScriptValue();
  if (info.number == 7) engine_->ReleaseHoard();
  if (info.number == kInterruptedError) {
    // Stopped because the host asked: it knows why, and there is nobody else to tell.
    error_ = std::move(info);
    return result;
  }
  Report(std::move(info));
  return result;
}

platform::ScriptResult VbScriptHost::ExecuteStatement(std::string_view code) {
  return Guarded(code, [&] {
    engine_->RunGlobal(code);
    return platform::ScriptValue();
  });
}

platform::ScriptResult VbScriptHost::Eval(std::string_view expression) {
  return Guarded(expression, [&] { return engine_->EvaluateGlobal(expression); });
}

}  // namespace quillon::vbscript
