#include "app/Quillon.h"

#include "app/frmAbout.h"
#include "app/frmCommands.h"
#include "app/frmMain.h"
#include "app/frmOptions.h"
#include "platform/Instances.h"
#include "status/frmReader.h"
#include "transfer/frmReceive.h"
#include "transfer/frmSend.h"
#include "ui/frmTransparency.h"
#include "ui/frmZoom.h"

namespace quillon::app {

namespace {

constexpr const char* kInstanceName = "Quillon";

}  // namespace

Quillon::Quillon(platform::Platform& platform, runtime::EventLoop& loop, runtime::ProgramInfo info)
    : runtime_(platform, loop, std::move(info)),
      reporter_(runtime_),
      settings_(platform.registry, reporter_),
      gtalk_(runtime_, reporter_, chat_) {
  // An error that escapes an event handler ends that handler only, and is reported under its
  // name.
  runtime_.SetErrorReport(
      [this](std::string_view handler, const runtime::Form* form, const std::exception& error) {
        reporter_.ReportError(handler, form, error);
      });
  runtime_.on_end = [this, &platform] {
    wait_timer_.reset();
    if (claimed_) platform.instances.Release(kInstanceName);
    claimed_ = false;
  };
}

Quillon::~Quillon() {
  // Whatever is still open goes without events, as at the end of the process.
  runtime_.End();
  main_form_.reset();
  options_.reset();
  about_.reset();
  commands_.reset();
  reader_.reset();
  transparency_.reset();
  zoom_.reset();
  send_.reset();
  receive_.reset();
}

status::frmReader& Quillon::ActiveStatusWindow() {
  if (!reader_)
    reader_ = std::make_unique<status::frmReader>(runtime_, settings_, reporter_, gtalk_);
  return *reader_;
}

frmOptions& Quillon::Options() {
  if (!options_) options_ = std::make_unique<frmOptions>(*this);
  return *options_;
}

frmAbout& Quillon::About() {
  if (!about_) about_ = std::make_unique<frmAbout>(*this);
  return *about_;
}

frmCommands& Quillon::Commands() {
  if (!commands_) commands_ = std::make_unique<frmCommands>(*this);
  return *commands_;
}

ui::frmTransparency& Quillon::TransparencyWindow() {
  if (!transparency_)
    transparency_ = std::make_unique<ui::frmTransparency>(runtime_, settings_, reporter_, chat_);
  return *transparency_;
}

ui::frmZoom& Quillon::ZoomWindow() {
  if (!zoom_) zoom_ = std::make_unique<ui::frmZoom>(runtime_, settings_, reporter_, chat_);
  return *zoom_;
}

transfer::frmSend& Quillon::SendWindow() {
  if (!send_)
    send_ = std::make_unique<transfer::frmSend>(runtime_, settings_, reporter_, chat_, gtalk_);
  return *send_;
}

transfer::frmReceive& Quillon::ReceiveWindow() {
  if (!receive_)
    receive_ = std::make_unique<transfer::frmReceive>(runtime_, reporter_, chat_, gtalk_);
  return *receive_;
}

void Quillon::ShowReceiveWindow(std::string_view address) {
  transfer::frmReceive& window = ReceiveWindow();
  window.Open();
  window.txtIP.SetText(address);
}

std::string Quillon::FirstTimeName() const {
  const runtime::ProgramInfo& info = runtime_.Info();
  return "FirstTime" + std::to_string(info.major) + std::to_string(info.minor) +
         std::to_string(info.revision);
}

Quillon::State Quillon::CurrentState() const {
  if (runtime_.Ended()) return State::kEnded;
  if (main_form_) return State::kRunning;
  if (started_) return State::kWaiting;
  return State::kNotStarted;
}

void Quillon::Main() {
  if (started_) return;
  started_ = true;
  claimed_ = runtime_.Platform().instances.Claim(kInstanceName);
  prev_instance_ = !claimed_;
  if (prev_instance_) {
    runtime_.MsgBox("Quillon is already running!", platform::mb::kIconInformation, "Quillon");
    runtime_.End();
    return;
  }
  std::string first_time = FirstTimeName();
  if (settings_.ReadSetting(first_time, "0", "FirstTimes") == "0") {
    settings_.WriteSetting(first_time, "1", "FirstTimes");
    runtime_.MsgBox(
        "Welcome to Quillon!\r\n\r\nBecause this is your first time using this version, \r\n"
        "you will be displayed the options window.\r\n\r\n"
        "Note: This will only happen the first time.",
        platform::mb::kIconInformation | platform::mb::kSystemModal | platform::mb::kSetForeground,
        "Welcome!");
    Options().Show();
  }
  WaitForGTalk();
}

void Quillon::WaitForGTalk() {
  if (gtalk_.FindGTalk()) {
    LoadMainForm();
    return;
  }
  // Checked every 100 ms, without a time limit.
  wait_timer_ = std::make_unique<runtime::Timer>(runtime_, 100, true, [this] {
    if (!gtalk_.FindGTalk()) return;
    runtime_.Loop().Post([this] {
      wait_timer_.reset();
      LoadMainForm();
    });
  });
}

void Quillon::LoadMainForm() {
  if (main_form_ || runtime_.Ended()) return;
  main_form_ = std::make_unique<frmMain>(*this);
  main_form_->Load();
}

}  // namespace quillon::app
