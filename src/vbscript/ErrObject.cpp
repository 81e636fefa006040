#include "vbscript/ErrObject.h"

#include <utility>

#include "vbscript/RuntimeError.h"
#include "vbscript/Text.h"

namespace quillon::vbscript {

using platform::ScriptCall;
using platform::ScriptStatus;
using platform::ScriptValue;

int32_t ScriptErrorNumber(int32_t number) {
  uint32_t bits = static_cast<uint32_t>(number);
  // Errors the engine itself reports through the automation layer carry their number in the
  // low word.
  if ((bits & 0xFFFF0000u) == 0x800A0000u) return static_cast<int32_t>(bits & 0xFFFFu);
  static constexpr std::pair<uint32_t, int32_t> kHresults[] = {
      {0x8007000Eu, 7},    // E_OUTOFMEMORY
      {0x80070057u, 5},    // E_INVALIDARG
      {0x80070005u, 70},   // E_ACCESSDENIED
      {0x80004001u, 445},  // E_NOTIMPL
      {0x80004002u, 430},  // E_NOINTERFACE
      {0x80020003u, 438},  // DISP_E_MEMBERNOTFOUND
      {0x80020005u, 13},   // DISP_E_TYPEMISMATCH
      {0x80020006u, 438},  // DISP_E_UNKNOWNNAME
      {0x8002000Au, 6},    // DISP_E_OVERFLOW
      {0x8002000Bu, 9},    // DISP_E_BADINDEX
      {0x8002000Eu, 450},  // DISP_E_BADPARAMCOUNT
      {0x8002000Fu, 449},  // DISP_E_PARAMNOTOPTIONAL
      {0x80020012u, 11},   // DISP_E_DIVBYZERO
      {0x800401F3u, 429},  // CO_E_CLASSSTRING
  };
  for (const auto& [hresult, mapped] : kHresults) {
    if (bits == hresult) return mapped;
  }
  if (number > 0xFFFF) return 0;
  return number;
}

void ErrObject::Set(int32_t number, std::string source, std::string description,
                    std::string help_file, int32_t help_context) {
  number_ = number;
  source_ = std::move(source);
  description_ = std::move(description);
  help_file_ = std::move(help_file);
  help_context_ = help_context;
}

void ErrObject::TakeRaisedHelp(std::string& help_file, int32_t& help_context) {
  help_file = std::move(raised_help_file_);
  help_context = raised_help_context_;
  raised_help_file_.clear();
  raised_help_context_ = 0;
}

void ErrObject::Clear() {
  number_ = 0;
  source_.clear();
  description_.clear();
  help_file_.clear();
  help_context_ = 0;
}

bool ErrObject::HasMember(std::string_view name) const {
  std::string lower = text::Lower(name);
  return lower == "number" || lower == "description" || lower == "source" || lower == "raise" ||
         lower == "clear" || lower == "helpfile" || lower == "helpcontext";
}

ScriptStatus ErrObject::Invoke(std::string_view name, ScriptCall kind, std::span<ScriptValue> args,
                               ScriptValue& result) {
  std::string lower = text::Lower(name);
  bool put = kind == ScriptCall::kPropertyLet || kind == ScriptCall::kPropertySet;
  if (put && args.size() != 1) return ScriptStatus::Fail(450);
  auto text_of = [&](std::string& out) -> int { return args[0].ToText(out); };
  if (lower.empty() || lower == "number") {
    if (put) {
      int32_t number = 0;
      if (int error = args[0].ToLong(number)) return ScriptStatus::Fail(error);
      number_ = number;
      return ScriptStatus::Ok();
    }
    if (!args.empty()) return ScriptStatus::Fail(450);
    result = ScriptValue::Long(number_);
    return ScriptStatus::Ok();
  }
  if (lower == "description" || lower == "source" || lower == "helpfile") {
    std::string& field = lower == "description" ? description_
                         : lower == "source"    ? source_
                                                : help_file_;
    if (put) {
      if (int error = text_of(field)) return ScriptStatus::Fail(error);
      return ScriptStatus::Ok();
    }
    result = ScriptValue::String(field);
    return ScriptStatus::Ok();
  }
  if (lower == "helpcontext") {
    if (put) {
      if (int error = args[0].ToLong(help_context_)) return ScriptStatus::Fail(error);
      return ScriptStatus::Ok();
    }
    result = ScriptValue::Long(help_context_);
    return ScriptStatus::Ok();
  }
  if (lower == "clear" && !put) {
    Clear();
    return ScriptStatus::Ok();
  }
  if (lower == "raise" && !put) {
    if (args.empty()) return ScriptStatus::Fail(450);
    if (args[0].IsMissing()) return ScriptStatus::Fail(449);
    int32_t number = 0;
    if (int error = args[0].ToLong(number)) return ScriptStatus::Fail(error);
    number = ScriptErrorNumber(number);
    if (number == 0) return ScriptStatus::Fail(5);
    // Each Raise describes its error afresh: what an earlier Raise gave is not carried over.
    ScriptStatus raised;
    raised.number = number;
    std::string help_file;
    int32_t help_context = 0;
    if (args.size() > 1 && !args[1].IsMissing()) {
      if (int error = args[1].ToText(raised.source)) return ScriptStatus::Fail(error);
    }
    if (args.size() > 2 && !args[2].IsMissing()) {
      if (int error = args[2].ToText(raised.description)) return ScriptStatus::Fail(error);
    }
    if (args.size() > 3 && !args[3].IsMissing()) {
      if (int error = args[3].ToText(help_file)) return ScriptStatus::Fail(error);
    }
    if (args.size() > 4 && !args[4].IsMissing()) {
      if (int error = args[4].ToLong(help_context)) return ScriptStatus::Fail(error);
    }
    if (args.size() > 5) return ScriptStatus::Fail(450);
    if (raised.description.empty()) raised.description = std::string(StandardErrorText(number));
    raised_help_file_ = std::move(help_file);
    raised_help_context_ = help_context;
    return raised;
  }
  return ScriptStatus::Fail(438);
}

}  // namespace quillon::vbscript
