#include "vbscript/VbScriptHostFactory.h"

#include "text/ScriptDate.h"
#include "vbscript/VbScriptHost.h"

namespace quillon::vbscript {

std::unique_ptr<platform::ScriptHost> VbScriptHostFactory::CreateHost() {
  EngineClocks clocks;
  clocks.local_now = [this] {
    platform::LocalTime t = clock_.Now();
    return quillon::text::ScriptDateJoin(
        quillon::text::ScriptDayNumber(t.year, t.month, t.day),
        quillon::text::ScriptTimeFraction(t.hour, t.minute, t.second));
  };
  return std::make_unique<VbScriptHost>(std::move(clocks));
}

}  // namespace quillon::vbscript
