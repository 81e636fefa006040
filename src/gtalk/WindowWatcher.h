#pragma once
// Watching Google Talk's windows: deciding whether an activated window is a chat, making it the
// current chat and preparing it (lock state, typing-area colour, transparency, the hook on its
// input, the button in its toolbar), and preparing the main window once at start.
#include <string>
#include <string_view>

#include "platform/Window.h"
#include "services/ChatState.h"
#include "services/ChatWindowParts.h"
#include "services/ErrorReports.h"
#include "services/SettingsStore.h"
#include "ui/Transparency.h"

namespace quillon::runtime {
class Runtime;
}

namespace quillon::gtalk {

class GTalkWindows;

class WindowWatcher {
 public:
  WindowWatcher(runtime::Runtime& rt, services::SettingsStore& settings,
                services::ErrorReports& reports, services::ChatState& chat, GTalkWindows& gtalk,
                services::ChatWindowParts parts)
      : rt_(rt),
        settings_(settings),
        reports_(reports),
        chat_(chat),
        gtalk_(gtalk),
        parts_(std::move(parts)),
        transparency_(rt, reports) {}

  void TC(platform::Hwnd window);
  void ChatWindow(platform::Hwnd window);
  void ApplyHook();
  void MainWindow(platform::Hwnd window);
  bool CheckActiveWindow();
  void LockIt(platform::WParam operation);

  // "-debug": the first error in ChatWindow or MainWindow ends it and is reported.
  void SetDebug(bool debug) { debug_ = debug; }
  // The transparency of chat windows was turned off for this run after it failed.
  bool TransparencyDisabled() const { return no_transparency_; }

 private:
  // Runs one stage of ChatWindow; false when ChatWindow must end.
  template <typename Stage>
  bool RunStage(const char* name, Stage&& stage);
  void RemoveDeadButtons();

  runtime::Runtime& rt_;
  services::SettingsStore& settings_;
  services::ErrorReports& reports_;
  services::ChatState& chat_;
  GTalkWindows& gtalk_;
  services::ChatWindowParts parts_;
  ui::Transparency transparency_;
  bool debug_ = false;
  bool no_transparency_ = false;
};

}  // namespace quillon::gtalk
