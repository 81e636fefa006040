#pragma once
// The running program: start-up (one copy per user and desktop, the first-run welcome, the wait
// for Google Talk), the objects that live as long as it runs, and its end.
#include <memory>

#include "app/ErrorReporter.h"
#include "app/Settings.h"
#include "gtalk/GTalkWindows.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Timer.h"
#include "services/ChatState.h"

namespace quillon::ui {
class frmTransparency;
class frmZoom;
}  // namespace quillon::ui
namespace quillon::transfer {
class frmReceive;
class frmSend;
}  // namespace quillon::transfer

namespace quillon::status {
class frmReader;
}

namespace quillon::app {

class frmAbout;
class frmCommands;
class frmMain;
class frmOptions;

class Quillon {
 public:
  enum class State { kNotStarted, kWaiting, kRunning, kEnded };

  Quillon(platform::Platform& platform, runtime::EventLoop& loop, runtime::ProgramInfo info);
  ~Quillon();
  Quillon(const Quillon&) = delete;
  Quillon& operator=(const Quillon&) = delete;

  // The process's entry point: returns once the program waits for Google Talk or runs (or has
  // ended at once, as a second copy does).
  void Main();
  State CurrentState() const;

  runtime::Runtime& Rt() { return runtime_; }
  ErrorReporter& Reporter() { return reporter_; }
  Settings& Config() { return settings_; }
  gtalk::GTalkWindows& GTalk() { return gtalk_; }
  services::ChatState& Chat() { return chat_; }
  frmMain* MainForm() { return main_form_.get(); }
  // The program's other windows, made when first needed.
  frmOptions& Options();
  frmAbout& About();
  frmCommands& Commands();
  // The Active Status window; loading it (hidden) starts its status timer.
  status::frmReader& ActiveStatusWindow();
  ui::frmTransparency& TransparencyWindow();
  ui::frmZoom& ZoomWindow();
  transfer::frmSend& SendWindow();
  transfer::frmReceive& ReceiveWindow();
  // An invitation seen in the current chat: the receive window opens with the sender's address.
  void ShowReceiveWindow(std::string_view address);
  // Another copy was running when this one started (checked once, at start).
  bool PrevInstance() const { return prev_instance_; }

  // The settings value that records the first run of this version ("FirstTime10151").
  std::string FirstTimeName() const;

 private:
  void WaitForGTalk();
  void LoadMainForm();

  runtime::Runtime runtime_;
  ErrorReporter reporter_;
  Settings settings_;
  services::ChatState chat_;
  gtalk::GTalkWindows gtalk_;
  std::unique_ptr<frmOptions> options_;
  std::unique_ptr<frmAbout> about_;
  std::unique_ptr<frmCommands> commands_;
  std::unique_ptr<status::frmReader> reader_;
  std::unique_ptr<ui::frmTransparency> transparency_;
  std::unique_ptr<ui::frmZoom> zoom_;
  std::unique_ptr<transfer::frmSend> send_;
  std::unique_ptr<transfer::frmReceive> receive_;
  std::unique_ptr<frmMain> main_form_;
  std::unique_ptr<runtime::Timer> wait_timer_;
  bool started_ = false;
  bool claimed_ = false;
  bool prev_instance_ = false;
};

}  // namespace quillon::app
