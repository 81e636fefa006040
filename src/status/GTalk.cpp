#include "status/GTalk.h"

#include <algorithm>
#include <limits>

#include "gtalk/GTalkWindows.h"
#include "runtime/Runtime.h"
#include "text/Strings.h"

namespace quillon::status {

using platform::ScriptStatus;
using platform::ScriptValue;

namespace {

// How much time one step of Wait lets pass before it looks again whether the program has ended.
constexpr uint64_t kWaitStepMs = 100;

}  // namespace

bool GTalk::HasMember(std::string_view name) const {
  std::string lower = text::AsciiLower(name);
  return lower == "status" || lower == "getstatus" || lower == "loadobject" || lower == "wait" ||
         lower == "checkend";
}

ScriptStatus GTalk::Invoke(std::string_view name, platform::ScriptCall kind,
                           std::span<ScriptValue> args, ScriptValue& result) {
  ScriptStatus status = Member(name, kind, args, result);
  // Once the program has ended, the script that called must not go on: a loop of Wait calls
  // that never asks CheckEnd would otherwise spin on the ended program's thread.
  if (rt_.Ended()) host_.Interrupt();
  return status;
}

ScriptStatus GTalk::Member(std::string_view name, platform::ScriptCall kind,
                           std::span<ScriptValue> args, ScriptValue& result) {
  if (kind == platform::ScriptCall::kPropertyLet || kind == platform::ScriptCall::kPropertySet) {
    return ScriptStatus::Fail(438);
  }
  std::string lower = text::AsciiLower(name);
  auto arity = [&](size_t count) { return args.size() == count; };
  if (lower == "status") {
    if (!arity(1)) return ScriptStatus::Fail(450);
    std::string text;
    if (int error = args[0].ToText(text)) return ScriptStatus::Fail(error);
    Status(text);
    return ScriptStatus::Ok();
  }
  if (lower == "getstatus") {
    if (!arity(0)) return ScriptStatus::Fail(450);
    result = ScriptValue::String(GetStatus());
    return ScriptStatus::Ok();
  }
  if (lower == "loadobject") {
    if (!arity(2)) return ScriptStatus::Fail(450);
    std::string object_name, class_name;
    if (int error = args[0].ToText(object_name)) return ScriptStatus::Fail(error);
    if (int error = args[1].ToText(class_name)) return ScriptStatus::Fail(error);
    return LoadObject(object_name, class_name);
  }
  if (lower == "wait") {
    if (!arity(1)) return ScriptStatus::Fail(450);
    int32_t interval = 0;
    if (int error = args[0].ToLong(interval)) return ScriptStatus::Fail(error);
    return Wait(interval);
  }
  if (lower == "checkend") {
    if (!arity(0)) return ScriptStatus::Fail(450);
    result = ScriptValue::Boolean(CheckEnd());
    return ScriptStatus::Ok();
  }
  return ScriptStatus::Fail(438);
}

void GTalk::Status(std::string_view Text) {
  if (Text.empty()) return;
  gtalk::GTalkWindows& windows = gtalk_;
  auto [status_area, edit_box] = windows.FindStatusBox();
  if (windows.GetText(edit_box) != Text) windows.ChangeStatus(Text);
}

std::string GTalk::GetStatus() {
  gtalk::GTalkWindows& windows = gtalk_;
  return windows.GetText(windows.FindStatusBox().second);
}

ScriptStatus GTalk::LoadObject(std::string_view Name, std::string_view Class) {
  std::shared_ptr<platform::ScriptObject> object = host_.CreateObject(Class);
  if (!object) {
    return ScriptStatus::Fail(
        429, "ActiveX component can't create object: '" + std::string(Class) + "'");
  }
  host_.AddObject(Name, std::move(object), true);
  return ScriptStatus::Ok();
}

ScriptStatus GTalk::Wait(int32_t Interval) {
  if (Interval < 0) return ScriptStatus::Ok();
  runtime::EventLoop& loop = rt_.Loop();
  // The tick count as a 32-bit system would report it.
  int64_t start = static_cast<int32_t>(static_cast<uint32_t>(loop.Now()));
  if (start + Interval > std::numeric_limits<int32_t>::max()) return ScriptStatus::Fail(6);
  // Past the target means one tick beyond it.
  const uint64_t end = loop.Now() + static_cast<uint64_t>(Interval) + 1;
  while (!rt_.Ended()) {
    uint64_t now = loop.Now();
    if (now >= end) break;
    loop.Pause(std::min(end - now, kWaitStepMs));
  }
  return ScriptStatus::Ok();
}

bool GTalk::CheckEnd() {
  if (rt_.Ended()) return true;
  if (settings_.ReadSetting("StopScript", "0") != "1") return false;
  settings_.WriteSetting("StopScript", "0");
  return true;
}

}  // namespace quillon::status
