#pragma once
// What the program's code stands on: the platform's services, the event loop, and the facts of
// the running program (its folder, its command line, its version), plus the forms it has loaded.
// One per running program; forms and controls reach it through their form.
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Hotkeys.h"
#include "platform/HtmlDocument.h"
#include "platform/Network.h"
#include "platform/Platform.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/WindowSystem.h"
#include "runtime/EventLoop.h"
#include "runtime/ProgramNetwork.h"

namespace quillon::runtime {

class Form;
class Holding;

struct ProgramInfo {
  std::string title = "Quillon";
  int major = 1;
  int minor = 0;
  int revision = 151;
  std::string folder;             // the program folder, where Images/ and Plugins/ live
  std::string command_line;       // the switches as one text, as the process got them
  std::string executable_folder;  // where the program's executable is (the report program too)
  // The maker's web site: the address echo and the update page live under it.
  std::string site = "https://quillon.example.net";
};

class Runtime {
 public:
  Runtime(platform::Platform& platform, EventLoop& loop, ProgramInfo info);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  platform::WindowSystem& Windows() { return platform_.windows; }
  platform::Shell& Shell() { return platform_.shell; }
  platform::Hotkeys& Hotkeys() { return platform_.hotkeys; }
  platform::Registry& Registry() { return platform_.registry; }
  platform::Accessibility& Accessibility() { return platform_.accessibility; }
  // The platform's network, with the sockets the program holds counted (closed at End).
  platform::Network& Network() { return network_; }
  platform::Dialogs& Dialogs() { return platform_.dialogs; }
  platform::Clock& Clock() { return platform_.clock; }
  platform::ScriptHostFactory* Scripts() { return platform_.scripts; }
  // The disk; throws where the platform offers none, so the handler's error report says so.
  platform::Files& Files();
  EventLoop& Loop() { return loop_; }
  const ProgramInfo& Info() const { return info_; }

  // DoEvents: runs what is pending and returns.
  void DoEvents() { loop_.ProcessPending(); }
  // MsgBox with the program's title unless another is given.
  platform::DialogResult MsgBox(std::string_view text, uint32_t flags = platform::mb::kOk,
                                std::optional<std::string_view> title = std::nullopt);

  // A fresh handle for a picture the program holds (icons in the notification area name them).
  platform::IconHandle NewPictureHandle() { return next_picture_++; }

  // The process ends (End): what the program holds (hotkeys, watches on other windows' messages,
  // timers, sockets) is given back, every form is unloaded without further events, and nothing
  // of the program runs again.
  void End();
  bool Ended() const { return ended_; }
  // What the program lets go of as it ends (its claim to be the one running copy).
  std::function<void()> on_end;

  // The one place an error that escapes an event handler goes: the program's error report, with
  // the handler's name as the program writes it ("Form_Load", "Command1_Click", "tmrCheck_Timer")
  // as the area. The event ends there and the program goes on. Without a report set, the error
  // goes on to whoever raised the event.
  using ErrorReport =
      std::function<void(std::string_view handler, const Form* form, const std::exception& error)>;
  void SetErrorReport(ErrorReport report) { error_report_ = std::move(report); }
  // Runs an event handler inside that boundary.
  template <typename Body>
  void RunHandler(std::string_view handler, const Form* form, Body&& body) {
    if (!error_report_) {
      body();
      return;
    }
    try {
      body();
    } catch (const std::exception& error) {
      const ErrorReport report = error_report_;
      report(handler, form, error);
    }
  }
  platform::Platform& Platform() { return platform_; }

  // Things the program has taken from the system, given back at End. A holder that gives its
  // thing back itself (or goes) says so with LetGoOf.
  void Hold(Holding* holding);
  void LetGoOf(Holding* holding);
  size_t HoldingCount() const { return held_.size(); }

  // Loaded forms, for whoever looks at the program from outside (the sandbox's checks).
  void Register(Form* form);
  void Unregister(Form* form);
  const std::vector<Form*>& Forms() const { return forms_; }
  // The loaded form with this name (and key, for forms loaded more than once).
  Form* FindForm(std::string_view name, std::string_view key = {}) const;

 private:
  platform::Platform& platform_;
  EventLoop& loop_;
  ProgramInfo info_;
  ProgramNetwork network_;
  std::vector<Holding*> held_;
  std::vector<Form*> forms_;
  platform::IconHandle next_picture_ = 0x7000;
  bool ended_ = false;
  ErrorReport error_report_;
};

}  // namespace quillon::runtime
