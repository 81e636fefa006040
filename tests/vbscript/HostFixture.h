#pragma once
// One script host with the test objects the host's tests use: WScript (Echo, into `lines`), GTalk
// (the status object, members global) and an error handler that keeps every error event.
#include <memory>
#include <string>
#include <vector>

#include "EchoObject.h"
#include "StatusObject.h"
#include "VirtualClock.h"
#include "platform/ScriptHost.h"
#include "vbscript/VbScriptHost.h"

namespace quillon::vbscript::testing {

struct HostFixture {
  VirtualClock clock;
  VbScriptHost host{clock.Clocks()};
  std::vector<std::string> lines;
  std::vector<platform::ScriptErrorInfo> errors;
  std::shared_ptr<StatusObject> status = std::make_shared<StatusObject>(host, clock, lines);

  HostFixture() {
    host.SetLanguage("VBScript");
    host.AddObject("WScript", std::make_shared<EchoObject>(lines), false);
    host.AddObject("GTalk", status, true);
    host.SetErrorHandler(
        [this](const platform::ScriptErrorInfo& error) { errors.push_back(error); });
  }
};

}  // namespace quillon::vbscript::testing
