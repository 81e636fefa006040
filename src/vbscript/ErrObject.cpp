#include "vbscript/ErrObject.h"

#include "vbscript/RuntimeError.h"
#include "vbscript/Text.h"

namespace quillon::vbscript {

using platform::ScriptCall;
using platform::ScriptStatus;
using platform::ScriptValue;

void ErrObject::Set(int32_t number, std::string source, std::string description) {
  number_ = number;
  source_ = std::move(source);
  description_ = std::move(description);
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
    if (args.empty() || args[0].IsMissing()) return ScriptStatus::Fail(449);
    int32_t number = 0;
    if (int error = args[0].ToLong(number)) return ScriptStatus::Fail(error);
    if (number == 0) return ScriptStatus::Fail(5);
    ScriptStatus raised;
    raised.number = number;
    if (args.size() > 1 && !args[1].IsMissing()) {
      if (int error = args[1].ToText(raised.source)) return ScriptStatus::Fail(error);
    }
    if (args.size() > 2 && !args[2].IsMissing()) {
      if (int error = args[2].ToText(raised.description)) return ScriptStatus::Fail(error);
    }
    if (raised.description.empty()) raised.description = std::string(StandardErrorText(number));
    return raised;
  }
  return ScriptStatus::Fail(438);
}

}  // namespace quillon::vbscript
