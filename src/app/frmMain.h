#pragma once
// The program's hidden main form. It owns everything that lives as long as the program: the window
// procedure that hears of activated windows, the timers, the hotkeys, the popup menus and the
// buttons placed inside Google Talk's windows, and the current chat.
#include <optional>
#include <string>
#include <vector>

#include "gtalk/ChatState.h"
#include "platform/WindowSystem.h"
#include "runtime/ControlArray.h"
#include "runtime/Form.h"
#include "runtime/PictureBox.h"
#include "runtime/Timer.h"

namespace quillon::app {

class Quillon;

class frmMain : public runtime::Form {
 public:
  explicit frmMain(Quillon& program);
  ~frmMain() override;

  // Runs Form_Load again: the hooks and state are set up afresh without reloading the form.
  void Start() { Form_Load(); }
  // Undoes everything that ties the program to Google Talk's windows.
  void EndIt();
  platform::LResult WndProc(platform::Hwnd hwnd, uint32_t message, platform::WParam wparam,
                            platform::LParam lparam);
  void TC(platform::Hwnd hwnd);

  gtalk::ChatState& State() { return state_; }
  // The icons put in Google Talk's place in the notification area ("boss", "plain").
  std::optional<platform::IconHandle> IconHandle(std::string_view kind) const;
  // The menu pictures, in the order the menus number them.
  const std::vector<runtime::Picture>& MenuIcons() const { return ils_icons_; }

  runtime::Timer tmrCheck;
  runtime::Timer Timer1;
  runtime::Timer tmrIEDOM;
  runtime::Timer tmrBoss;
  runtime::ControlArray<runtime::PictureBox> picIcon{*this, "picIcon"};
  runtime::ControlArray<runtime::PictureBox> picIconX{*this, "picIconX"};
  runtime::PictureBox Picture2{*this, "Picture2"};  // the boss icon
  runtime::PictureBox Picture3{*this, "Picture3"};  // the plain icon

 protected:
  void Form_Initialize() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void tmrCheck_Timer();
  void Timer1_Timer();
  bool HasSwitch(std::string_view name) const;

  Quillon& program_;
  gtalk::ChatState& state_;
  std::vector<runtime::Picture> ils_icons_;
  platform::WindowProcId OldWndProc = 0;
  uint32_t ShellMsg = 0;
};

}  // namespace quillon::app
