#pragma once
// A working stand-in for the status object plugin scripts get ("GTalk"): Status sets the status
// line (recorded as "status: TEXT"), GetStatus reads it, Wait lets virtual time pass and runs
// the events queued for it (which may run more script on the same host, as a status tick
// does), CheckEnd reports a stop request once, and LoadObject adds a creatable object.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "VirtualClock.h"
#include "platform/ScriptHost.h"
#include "vbscript/Text.h"

namespace quillon::vbscript::testing {

class StatusObject : public platform::ScriptObject {
 public:
  StatusObject(platform::ScriptHost& host, VirtualClock& clock, std::vector<std::string>& lines)
      : host_(host), clock_(clock), lines_(lines) {}

  std::deque<std::function<void()>> events;
  int stop_after_checks = 0;  // CheckEnd answers true at this call (0: never)
  int checks = 0;
  int waits = 0;
  std::string status;

  std::string TypeName() const override { return "GTalk"; }
  bool HasMember(std::string_view name) const override {
    std::string lower = text::Lower(name);
    return lower == "status" || lower == "getstatus" || lower == "wait" || lower == "checkend" ||
           lower == "loadobject";
  }
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override {
    using platform::ScriptStatus;
    std::string lower = text::Lower(name);
    if (lower == "status") {
      if (args.size() != 1) return ScriptStatus::Fail(450);
      if (int error = args[0].ToText(status)) return ScriptStatus::Fail(error);
      lines_.push_back("status: " + status);
      return ScriptStatus::Ok();
    }
    if (lower == "getstatus") {
      result = platform::ScriptValue::String(status);
      return ScriptStatus::Ok();
    }
    if (lower == "wait") {
      int32_t interval = 0;
      if (args.size() != 1) return ScriptStatus::Fail(450);
      if (int error = args[0].ToLong(interval)) return ScriptStatus::Fail(error);
      ++waits;
      if (interval < 0) return ScriptStatus::Ok();
      clock_.milliseconds += interval;
      while (!events.empty()) {
        auto event = std::move(events.front());
        events.pop_front();
        event();
      }
      return ScriptStatus::Ok();
    }
    if (lower == "checkend") {
      ++checks;
      result =
          platform::ScriptValue::Boolean(stop_after_checks != 0 && checks == stop_after_checks);
      return ScriptStatus::Ok();
    }
    if (lower == "loadobject") {
      if (args.size() != 2) return ScriptStatus::Fail(450);
      auto object = host_.CreateObject(args[1].Text());
      if (!object) return ScriptStatus::Fail(429);
      host_.AddObject(args[0].Text(), object, true);
      return ScriptStatus::Ok();
    }
    return ScriptStatus::Fail(438);
  }

 private:
  platform::ScriptHost& host_;
  VirtualClock& clock_;
  std::vector<std::string>& lines_;
};

}  // namespace quillon::vbscript::testing
