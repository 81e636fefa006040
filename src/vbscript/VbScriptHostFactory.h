#pragma once
// Script hosts of this engine, all reading the time from one clock of the platform, so that a
// script's Now and Date follow the desktop's clock (a virtual one in scenarios). The time-out
// keeps to the machine's steady clock: it guards against scripts that spin, which only real time
// can measure.
#include <memory>

#include "platform/Clock.h"
#include "platform/ScriptHostFactory.h"

namespace quillon::vbscript {

class VbScriptHostFactory : public platform::ScriptHostFactory {
 public:
  explicit VbScriptHostFactory(platform::Clock& clock) : clock_(clock) {}
  std::unique_ptr<platform::ScriptHost> CreateHost() override;

 private:
  platform::Clock& clock_;
};

}  // namespace quillon::vbscript
