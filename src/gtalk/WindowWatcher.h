#pragma once
// Watching Google Talk's windows: deciding whether an activated window is a chat, making it the
// current chat and preparing it (lock state, typing-area colour, transparency, the hook on its
// input, the button in its toolbar), and preparing the main window once at start.
#include <string>
#include <string_view>

#include "platform/Window.h"

namespace quillon::app {
class Quillon;
class frmMain;
}  // namespace quillon::app

namespace quillon::gtalk {

class WindowWatcher {
 public:
  WindowWatcher(app::Quillon& program, app::frmMain& form) : program_(program), form_(form) {}

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

  app::Quillon& program_;
  app::frmMain& form_;
  bool debug_ = false;
  bool no_transparency_ = false;
};

}  // namespace quillon::gtalk
