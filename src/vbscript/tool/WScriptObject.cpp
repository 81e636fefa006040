#include "WScriptObject.h"

#include <chrono>
#include <thread>

#include "vbscript/Text.h"

namespace quillon::vbscript {

using platform::ScriptStatus;
using platform::ScriptValue;

bool WScriptObject::HasMember(std::string_view name) const {
  std::string lower = text::Lower(name);
  return lower == "echo" || lower == "quit" || lower == "sleep" || lower == "scriptname" ||
         lower == "scriptfullname";
}

ScriptStatus WScriptObject::Invoke(std::string_view name, platform::ScriptCall kind,
                                   std::span<ScriptValue> args, ScriptValue& result) {
  std::string lower = text::Lower(name);
  if (kind == platform::ScriptCall::kPropertyLet || kind == platform::ScriptCall::kPropertySet) {
    return ScriptStatus::Fail(438);
  }
  if (lower == "echo") {
    std::string line;
    for (size_t i = 0; i < args.size(); ++i) {
      std::string text;
      if (!args[i].IsMissing()) {
        if (int error = args[i].ToText(text)) return ScriptStatus::Fail(error);
      }
      if (i > 0) line += ' ';
      line += text;
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out_);
    if (flush_each_line_) std::fflush(out_);
    return ScriptStatus::Ok();
  }
  if (lower == "quit") {
    int32_t code = 0;
    if (!args.empty() && !args[0].IsMissing()) {
      if (int error = args[0].ToLong(code)) return ScriptStatus::Fail(error);
    }
    std::fflush(out_);
    quit_(code);
    return ScriptStatus::Ok();
  }
  if (lower == "sleep") {
    int32_t milliseconds = 0;
    if (args.size() != 1) return ScriptStatus::Fail(450);
    if (int error = args[0].ToLong(milliseconds)) return ScriptStatus::Fail(error);
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return ScriptStatus::Ok();
  }
  if (lower == "scriptfullname" || lower == "scriptname") {
    std::string path = script_path_;
    if (lower == "scriptname") {
      size_t slash = path.find_last_of('/');
      if (slash != std::string::npos) path = path.substr(slash + 1);
    }
    result = ScriptValue::String(path);
    return ScriptStatus::Ok();
  }
  return ScriptStatus::Fail(438);
}

}  // namespace quillon::vbscript
