#pragma once
// The object that the scripts of plugin functions get as "GTalk" (its members are also global):
// read and set the Google Talk status line, add automation objects, wait without freezing the
// program, and learn that the person pressed Stop Script. One is added before every script run;
// the script host owns it.
#include <string>
#include <string_view>

#include "platform/ScriptHost.h"
#include "platform/ScriptObject.h"
#include "services/SettingsStore.h"

namespace quillon::runtime {
class Runtime;
}
namespace quillon::gtalk {
class GTalkWindows;
}

namespace quillon::status {

class GTalk : public platform::ScriptObject {
 public:
  GTalk(runtime::Runtime& rt, services::SettingsStore& settings, gtalk::GTalkWindows& gtalk,
        platform::ScriptHost& host)
      : rt_(rt), settings_(settings), gtalk_(gtalk), host_(host) {}

  std::string TypeName() const override { return "GTalk"; }
  bool HasMember(std::string_view name) const override;
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override;

  // Sets the status line unless `Text` is empty or already shown.
  void Status(std::string_view Text);
  std::string GetStatus();
  platform::ScriptStatus LoadObject(std::string_view Name, std::string_view Class);
  // Returns once the tick count has passed the start plus `Interval`, processing events
  // meanwhile. A negative interval returns at once; one that takes the 32-bit tick count past
  // its end is an overflow (6).
  platform::ScriptStatus Wait(int32_t Interval);
  // True once after each press of Stop Script, and always once the program has ended, so that a
  // script looping on it cannot keep an ended program's thread.
  bool CheckEnd();

 private:
  platform::ScriptStatus Member(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result);

  runtime::Runtime& rt_;
  services::SettingsStore& settings_;
  gtalk::GTalkWindows& gtalk_;
  platform::ScriptHost& host_;
};

}  // namespace quillon::status
