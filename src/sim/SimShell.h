#pragma once
// The simulated shell: shell hook registration on the desktop, open requests and process starts
// recorded (and passed on to the real machine when the owner asks for it), notification-area
// icons keyed by window and id, and the clipboard.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Shell.h"

namespace quillon::sim {

class SimDesktop;

class SimShell : public platform::Shell {
 public:
  struct ProcessStart {
    std::string program;
    std::vector<std::string> arguments;
  };
  using Opener = std::function<bool(std::string_view)>;
  using Starter = std::function<bool(std::string_view, const std::vector<std::string>&)>;

  explicit SimShell(SimDesktop& desktop) : desktop_(desktop) {}

  bool RegisterShellHook(platform::Hwnd window) override;
  void DeregisterShellHook(platform::Hwnd window) override;
  bool Open(std::string_view target) override;
  bool StartProcess(std::string_view program, const std::vector<std::string>& arguments) override;
  bool NotifyIconChange(platform::NotifyIconOp op, const platform::NotifyIcon& icon) override;
  platform::OsVersion GetVersion() override { return version_; }
  void SetVersion(platform::OsVersion version) { version_ = version; }
  std::optional<std::string> GetClipboardText() override { return clipboard_; }
  void SetClipboardText(std::string_view text) override;

  // What was asked, oldest first.
  const std::vector<std::string>& Opened() const { return opened_; }
  const std::vector<ProcessStart>& Started() const { return started_; }
  // The icon shown for (window, id), if one was added.
  std::optional<platform::NotifyIcon> IconOf(platform::Hwnd window, uint32_t id) const;
  // Every icon in the notification area, by (window, id).
  const std::map<std::pair<platform::Hwnd, uint32_t>, platform::NotifyIcon>& Icons() const {
    return icons_;
  }
  // Pass requests on to the real machine as well (outside scenarios, or when asked for).
  void SetOpener(Opener opener) { opener_ = std::move(opener); }
  void SetStarter(Starter starter) { starter_ = std::move(starter); }

 private:
  SimDesktop& desktop_;
  std::vector<std::string> opened_;
  std::vector<ProcessStart> started_;
  std::map<std::pair<platform::Hwnd, uint32_t>, platform::NotifyIcon> icons_;
  std::optional<std::string> clipboard_;
  platform::OsVersion version_{5, 1, 2};  // the simulated desktop is Windows XP
  Opener opener_;
  Starter starter_;
};

}  // namespace quillon::sim
