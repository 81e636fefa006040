#include "gtalk/WindowWatcher.h"

#include <optional>
#include <string>

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "runtime/ProgramError.h"
#include "runtime/Runtime.h"
#include "ui/Transparency.h"

namespace quillon::gtalk {

using platform::Hwnd;

void WindowWatcher::RemoveDeadButtons() {
  // A closed chat's window has no text any more: its button goes.
  for (int index : form_.picIcon.Indices()) {
    if (index == 0) continue;
    Hwnd owner = static_cast<Hwnd>(std::stoul("0" + form_.picIcon(index).Tag()));
    if (program_.GTalk().GetText(owner).empty()) form_.picIcon.Unload(index);
  }
}

void WindowWatcher::TC(Hwnd window) {
  try {
    form_.tmrIEDOM.SetEnabled(false);
    RemoveDeadButtons();
    GTalkWindows& gtalk = program_.GTalk();
    auto& windows = program_.Rt().Windows();
    std::string cls = gtalk.GetWndClass(window);
    std::string title = gtalk.GetText(window);
    std::string frame_class = GTalkWindows::kChatFrameClass;
    if (cls == GTalkWindows::kChatViewClass) cls = frame_class;
    if (!windows.FindWindowEx(0, 0, frame_class, title)) {
      frame_class = program_.Config().ReadSetting("ATL", GTalkWindows::kChatFrameClass);
    }
    if (cls == frame_class && !windows.FindWindowEx(0, 0, GTalkWindows::kMainClass, title)) {
      ChatState& state = program_.Chat();
      state.ChatWnd = windows.FindWindowEx(0, 0, GTalkWindows::kChatViewClass, title);
      state.RecallIndex = 0;
      state.ChatInput = windows.FindWindowEx(state.ChatWnd, 0, "RichEdit20W", std::nullopt);
      ChatWindow(state.ChatWnd);
    }
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("TC", &form_, e);
  }
}

template <typename Stage>
bool WindowWatcher::RunStage(const char* name, Stage&& stage) {
  try {
    stage();
    return true;
  } catch (const std::exception& e) {
    // Without "-debug" a failing stage is passed over and the next one runs.
    if (!debug_) return true;
    program_.Reporter().ReportError(std::string("ChatWindow: ") + name, &form_, e);
    return false;
  }
}

void WindowWatcher::ChatWindow(Hwnd window) {
  ChatState& state = program_.Chat();
  form_.tmrIEDOM.SetEnabled(true);
  if (!RunStage("Hook", [] {})) return;
  if (!RunStage("Lock", [&] {
        LockIt(platform::kEcoOpSet);
        if (!state.Locked) LockIt(platform::kEcoOpXor);
      })) {
    return;
  }
  if (!RunStage("Background", [&] { form_.RefreshBackgrounds(); })) return;
  // A failed transparency asks, under "-debug", whether to leave it off for this run. A stored
  // level that is no number in range is such a failure there; otherwise it reads as opaque.
  try {
    if (!no_transparency_) {
      const app::NumberSetting& setting = app::NumberSettings::kTransparentChat;
      std::string stored =
          program_.Config().ReadSetting(setting.name, std::to_string(setting.default_value));
      std::optional<int32_t> level = app::NumberSettings::Parse(setting, stored);
      if (!level && debug_) {
        throw runtime::ProgramError(13, "Quillon", app::NumberSettings::Problem(setting, stored));
      }
      ui::Transparency::Transparent(program_, window, level.value_or(setting.default_value));
    }
  } catch (const std::exception&) {
    if (debug_) {
      auto answer = program_.Rt().MsgBox(
          "There was an error in apply the transparent effect.  It may be that your computer is "
          "not capable of doing this.\r\n\r\nWould you like to disable this feature? (Temporary)",
          platform::mb::kYesNo);
      if (answer == platform::DialogResult::kYes) no_transparency_ = true;
    }
  }
  if (!RunStage("ApplyHook", [&] {
        if (!state.Locked) ApplyHook();
      })) {
    return;
  }
  RunStage("Button", [&] {
    ++state.ButtonCount;
    auto& windows = program_.Rt().Windows();
    std::string button_class = windows.GetClassName(form_.picIcon(0).Hwnd());
    Hwnd toolbar = windows.FindWindowEx(window, 0, "Chat Link Bar", std::nullopt);
    if (windows.FindWindowEx(toolbar, 0, button_class, std::nullopt)) return;
    runtime::PictureBox& button = form_.picIcon.Load(state.ButtonCount);
    windows.SetParent(button.Hwnd(), toolbar);
    button.SetVisible(true);
    button.SetEnabled(true);
    int height = form_.picIcon(0).Bounds().Height();
    button.Move(183, (31 - height) / 2, form_.picIcon(0).Bounds().Width(), height);
    button.SetTag(std::to_string(window));
    button.SetPicture(form_.ButtonPicture(101));
  });
}

void WindowWatcher::ApplyHook() {
  try {
    runtime::MessageHook& hook = form_.HookControl1;
    hook.Stop();
    Hwnd input = program_.Chat().ChatInput;
    if (input != 0) {
      hook.SetWatchedWindow(input);
      hook.AddMessage("WM_CHAR", platform::msg::kChar);
      if (!hook.IsActive()) hook.Start();
    }
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("ApplyHook", &form_, e);
  }
}

void WindowWatcher::MainWindow(Hwnd window) {
  ChatState& state = program_.Chat();
  auto step = [&](auto&& body) {
    try {
      body();
      return true;
    } catch (const std::exception& e) {
      if (!debug_) return true;
      program_.Reporter().ReportError("MainWindow", &form_, e);
      return false;
    }
  };
  if (!step([&] { state.MainWnd = window; })) return;
  if (!step([&] {
        const app::NumberSetting& setting = app::NumberSettings::kTransparentMain;
        std::string stored =
            program_.Config().ReadSetting(setting.name, std::to_string(setting.default_value));
        std::optional<int32_t> level = app::NumberSettings::Parse(setting, stored);
        // Under "-debug" a damaged level is said, in words; the window is prepared all the same,
        // opaque.
        if (!level && debug_) {
          program_.Reporter().ReportError("MainWindow", &form_, 13, "Quillon",
                                          app::NumberSettings::Problem(setting, stored));
        }
        ui::Transparency::Transparent(program_, window, level.value_or(setting.default_value));
      })) {
    return;
  }
  step([&] {
    ++state.ButtonCount;
    auto& windows = program_.Rt().Windows();
    Hwnd main_view = windows.FindWindowEx(window, 0, "Main View", std::nullopt);
    Hwnd status_area = windows.FindWindowEx(main_view, 0, "Status View 2", std::nullopt);
    runtime::PictureBox& button = form_.picIconX.Load(state.ButtonCount);
    windows.SetParent(button.Hwnd(), status_area);
    button.SetEnabled(true);
    button.SetVisible(true);
    platform::Rect size = form_.picIconX(0).Bounds();
    button.Move(2, 17, size.Width(), size.Height());
    button.SetTag(std::to_string(window));
    button.SetPicture(form_.ButtonPicture(201));
  });
}

bool WindowWatcher::CheckActiveWindow() {
  try {
    Hwnd view = program_.GTalk().LastChatWindow();
    return view != 0 && view == program_.Rt().Windows().GetForegroundWindow();
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("CheckActiveWindow", &form_, e);
    return false;
  }
}

void WindowWatcher::LockIt(platform::WParam operation) {
  program_.Rt().Windows().SendMessage(program_.Chat().ChatInput, platform::msg::kEmSetOptions,
                                      operation, platform::kEcoReadOnly);
}

}  // namespace quillon::gtalk
