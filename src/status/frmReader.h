#pragma once
// The Active Status window ("Status Manager"): the status code, the plugin browser with its
// function list, the on/off switch, the interval and Stop Script. It also owns what the loader
// drives: the status timer, whose tick expands the status code into Google Talk's status line,
// and the script host with its error message box. Loaded hidden at start when Active Status is
// on; closing it while on only hides it, so the timer keeps running.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/ScriptHost.h"
#include "runtime/CommandButton.h"
#include "runtime/Form.h"
#include "runtime/Label.h"
#include "runtime/ListBox.h"
#include "runtime/PictureBox.h"
#include "runtime/Shape.h"
#include "runtime/TextBox.h"
#include "runtime/Timer.h"
#include "status/modPluginLoader.h"

namespace quillon::status {

class frmReader : public runtime::Form {
 public:
  static constexpr platform::ColorRef kOnColor = platform::Rgb(30, 255, 30);
  static constexpr platform::ColorRef kOffColor = platform::Rgb(255, 30, 30);
  static constexpr platform::ColorRef kHeaderColor = platform::Rgb(146, 179, 232);
  static constexpr int kHeaderHeight = 60;
  static constexpr int32_t kScriptTimeoutMs = 10000;

  frmReader(runtime::Runtime& rt, services::SettingsStore& settings,
            services::ErrorReports& reports, gtalk::GTalkWindows& gtalk);
  ~frmReader() override;

  modPluginLoader& Loader() { return loader_; }

  // Runs script code in ScriptControl1 (made when first needed). False when the script failed or
  // no script host is offered on this platform.
  bool RunScript(const std::string& code);

  runtime::PictureBox Picture1{*this, "Picture1"};
  runtime::Label lblHeading{*this, "lblHeading"};
  runtime::Label Label1{*this, "Label1"};
  runtime::TextBox Text1{*this, "Text1"};
  runtime::Label Label2{*this, "Label2"};
  runtime::ListBox List1{*this, "List1"};
  runtime::Label Label3{*this, "Label3"};
  runtime::TextBox txtName{*this, "txtName"};
  runtime::Label Label4{*this, "Label4"};
  runtime::TextBox txtAuthor{*this, "txtAuthor"};
  runtime::Label Label5{*this, "Label5"};
  runtime::TextBox txtVersion{*this, "txtVersion"};
  runtime::Label Label6{*this, "Label6"};
  runtime::TextBox txtDate{*this, "txtDate"};
  runtime::CommandButton Button2{*this, "Button2"};
  runtime::CommandButton Button1{*this, "Button1"};
  runtime::CommandButton Button3{*this, "Button3"};
  runtime::CommandButton Button4{*this, "Button4"};
  runtime::CommandButton btnOK{*this, "btnOK"};
  runtime::CommandButton Command1{*this, "Command1"};
  runtime::CommandButton Command2{*this, "Command2"};
  runtime::CommandButton Command3{*this, "Command3"};
  runtime::CommandButton cmdOK{*this, "cmdOK"};
  runtime::Shape Shape1{*this, "Shape1"};
  runtime::Timer tmrStatus;
  runtime::Timer Timer1;
  std::unique_ptr<platform::ScriptHost> ScriptControl1;

  // The status tick (also run by tests without waiting for the timer).
  void tmrStatus_Timer();

 protected:
  void Form_Initialize() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  platform::ScriptHost* ScriptHost();
  void ShowIndicator();
  void Command1_Click();
  void cmdOK_Click();
  void btnOK_Click();
  void Command2_Click();
  void Command3_Click();
  void Button4_Click();
  void Button2_Click();
  void Button1_Click();
  void Button3_Click();
  void List1_DblClick();
  void Text1_GotFocus();
  void Text1_LostFocus();
  void ScriptControl1_Error();

  services::SettingsStore& settings_;
  services::ErrorReports& reports_;
  gtalk::GTalkWindows& gtalk_;
  modPluginLoader loader_;
  std::string PluginPath;
  std::string PluginName;
  int32_t CaretPos = 0;
  // A tick whose script waits lets further ticks run inside it; those pass, so that one looping
  // script does not start another every interval, each nested deeper on the one thread.
  bool ticking_ = false;
  // Scripts running in ScriptControl1 now (nested runs count each); the host is not let go
  // while one runs.
  int running_scripts_ = 0;
};

}  // namespace quillon::status
