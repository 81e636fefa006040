#include "gtalk/WindowWatcher.h"

#include <optional>
#include <string>

#include "gtalk/GTalkWindows.h"
#include "runtime/ProgramError.h"
#include "runtime/Runtime.h"

namespace quillon::gtalk {

using platform::Hwnd;

void WindowWatcher::RemoveDeadButtons() {
  // A closed chat's window has no text any more: its button goes.
  for (int index : parts_.picIcon.Indices()) {
    if (index == 0) continue;
    Hwnd owner = static_cast<Hwnd>(std::stoul("0" + parts_.picIcon(index).Tag()));
    if (gtalk_.GetText(owner).empty()) parts_.picIcon.Unload(index);
  }
}

void WindowWatcher::TC(Hwnd window) {
  try {
    parts_.tmrIEDOM.SetEnabled(false);
    RemoveDeadButtons();
    auto& windows = rt_.Windows();
    std::string cls = gtalk_.GetWndClass(window);
    std::string title = gtalk_.GetText(window);
    std::string frame_class = GTalkWindows::kChatFrameClass;
    if (cls == GTalkWindows::kChatViewClass) cls = frame_class;
    if (!windows.FindWindowEx(0, 0, frame_class, title)) {
      frame_class = settings_.ReadSetting("ATL", GTalkWindows::kChatFrameClass);
    }
    if (cls == frame_class && !windows.FindWindowEx(0, 0, GTalkWindows::kMainClass, title)) {
      services::ChatState& state = chat_;
      state.ChatWnd = windows.FindWindowEx(0, 0, GTalkWindows::kChatViewClass, title);
      state.RecallIndex = 0;
      state.ChatInput = windows.FindWindowEx(state.ChatWnd, 0, "RichEdit20W", std::nullopt);
      ChatWindow(state.ChatWnd);
    }
  } catch (const std::exception& e) {
    reports_.ReportError("TC", &parts_.form, e);
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
    reports_.ReportError(std::string("ChatWindow: ") + name, &parts_.form, e);
    return false;
  }
}

void WindowWatcher::ChatWindow(Hwnd window) {
  services::ChatState& state = chat_;
  parts_.tmrIEDOM.SetEnabled(true);
  if (!RunStage("Hook", [] {})) return;
  if (!RunStage("Lock", [&] {
        LockIt(platform::kEcoOpSet);
        if (!state.Locked) LockIt(platform::kEcoOpXor);
      })) {
    return;
  }
  if (!RunStage("Background", [&] { parts_.RefreshBackgrounds(); })) return;
  // A failed transparency asks, under "-debug", whether to leave it off for this run. A stored
  // level that is no number in range is such a failure there; otherwise it reads as opaque.
  try {
    if (!no_transparency_) {
      const services::NumberSetting& setting = services::NumberSettings::kTransparentChat;
      std::string stored =
          settings_.ReadSetting(setting.name, std::to_string(setting.default_value));
      std::optional<int32_t> level = services::NumberSettings::Parse(setting, stored);
      if (!level && debug_) {
        throw runtime::ProgramError(13, "Quillon",
                                    services::NumberSettings::Problem(setting, stored));
      }
      transparency_.Transparent(window, level.value_or(setting.default_value));
    }
  } catch (const std::exception&) {
    if (debug_) {
      auto answer = rt_.MsgBox(
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
    auto& windows = rt_.Windows();
    std::string button_class = windows.GetClassName(parts_.picIcon(0).Hwnd());
    Hwnd toolbar = windows.FindWindowEx(window, 0, "Chat Link Bar", std::nullopt);
    if (windows.FindWindowEx(toolbar, 0, button_class, std::nullopt)) return;
    runtime::PictureBox& button = parts_.picIcon.Load(state.ButtonCount);
    windows.SetParent(button.Hwnd(), toolbar);
    button.SetVisible(true);
    button.SetEnabled(true);
    int height = parts_.picIcon(0).Bounds().Height();
    button.Move(183, (31 - height) / 2, parts_.picIcon(0).Bounds().Width(), height);
    button.SetTag(std::to_string(window));
    button.SetPicture(parts_.ButtonPicture(101));
  });
}

void WindowWatcher::ApplyHook() {
  try {
    runtime::MessageHook& hook = parts_.HookControl1;
    hook.Stop();
    Hwnd input = chat_.ChatInput;
    if (input != 0) {
      hook.SetWatchedWindow(input);
      hook.AddMessage("WM_CHAR", platform::msg::kChar);
      if (!hook.IsActive()) hook.Start();
    }
  } catch (const std::exception& e) {
    reports_.ReportError("ApplyHook", &parts_.form, e);
  }
}

void WindowWatcher::MainWindow(Hwnd window) {
  services::ChatState& state = chat_;
  auto step = [&](auto&& body) {
    try {
      body();
      return true;
    } catch (const std::exception& e) {
      if (!debug_) return true;
      reports_.ReportError("MainWindow", &parts_.form, e);
      return false;
    }
  };
  if (!step([&] { state.MainWnd = window; })) return;
  if (!step([&] {
        const services::NumberSetting& setting = services::NumberSettings::kTransparentMain;
        std::string stored =
            settings_.ReadSetting(setting.name, std::to_string(setting.default_value));
        std::optional<int32_t> level = services::NumberSettings::Parse(setting, stored);
        // Under "-debug" a damaged level is said, in words; the window is prepared all the same,
        // opaque.
        if (!level && debug_) {
          reports_.ReportError("MainWindow", &parts_.form, 13, "Quillon",
                               services::NumberSettings::Problem(setting, stored));
        }
        transparency_.Transparent(window, level.value_or(setting.default_value));
      })) {
    return;
  }
  step([&] {
    ++state.ButtonCount;
    auto& windows = rt_.Windows();
    Hwnd main_view = windows.FindWindowEx(window, 0, "Main View", std::nullopt);
    Hwnd status_area = windows.FindWindowEx(main_view, 0, "Status View 2", std::nullopt);
    runtime::PictureBox& button = parts_.picIconX.Load(state.ButtonCount);
    windows.SetParent(button.Hwnd(), status_area);
    button.SetEnabled(true);
    button.SetVisible(true);
    platform::Rect size = parts_.picIconX(0).Bounds();
    button.Move(2, 17, size.Width(), size.Height());
    button.SetTag(std::to_string(window));
    button.SetPicture(parts_.ButtonPicture(201));
  });
}

bool WindowWatcher::CheckActiveWindow() {
  try {
    Hwnd view = gtalk_.LastChatWindow();
    return view != 0 && view == rt_.Windows().GetForegroundWindow();
  } catch (const std::exception& e) {
    reports_.ReportError("CheckActiveWindow", &parts_.form, e);
    return false;
  }
}

void WindowWatcher::LockIt(platform::WParam operation) {
  rt_.Windows().SendMessage(chat_.ChatInput, platform::msg::kEmSetOptions, operation,
                            platform::kEcoReadOnly);
}

}  // namespace quillon::gtalk
