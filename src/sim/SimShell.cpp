#include "sim/SimShell.h"

#include "sim/SimDesktop.h"

namespace quillon::sim {

bool SimShell::RegisterShellHook(platform::Hwnd window) {
  if (!desktop_.IsWindow(window)) return false;
  desktop_.AddShellHookWindow(window);
  return true;
}

void SimShell::DeregisterShellHook(platform::Hwnd window) {
  desktop_.RemoveShellHookWindow(window);
}

bool SimShell::Open(std::string_view target) {
  if (target.empty()) return false;
  opened_.emplace_back(target);
  return opener_ ? opener_(target) : true;
}

bool SimShell::StartProcess(std::string_view program, const std::vector<std::string>& arguments) {
  if (program.empty()) return false;
  started_.push_back(ProcessStart{std::string(program), arguments});
  return starter_ ? starter_(program, arguments) : true;
}

bool SimShell::NotifyIconChange(platform::NotifyIconOp op, const platform::NotifyIcon& icon) {
  auto key = std::make_pair(icon.window, icon.id);
  auto it = icons_.find(key);
  switch (op) {
    case platform::NotifyIconOp::kAdd:
      if (it != icons_.end() || !desktop_.IsWindow(icon.window)) return false;
      icons_[key] = icon;
      return true;
    case platform::NotifyIconOp::kModify:
      if (it == icons_.end()) return false;
      // Only the fields the flags name change.
      if (icon.flags & platform::kNifIcon) it->second.icon = icon.icon;
      if (icon.flags & platform::kNifTip) it->second.tip = icon.tip;
      if (icon.flags & platform::kNifMessage) it->second.callback_message = icon.callback_message;
      return true;
    case platform::NotifyIconOp::kDelete:
      if (it == icons_.end()) return false;
      icons_.erase(it);
      return true;
  }
  return false;
}

std::optional<platform::NotifyIcon> SimShell::IconOf(platform::Hwnd window, uint32_t id) const {
  auto it = icons_.find(std::make_pair(window, id));
  if (it == icons_.end()) return std::nullopt;
  return it->second;
}

void SimShell::SetClipboardText(std::string_view text) {
  if (text.empty()) {
    clipboard_.reset();
  } else {
    clipboard_ = std::string(text);
  }
}

}  // namespace quillon::sim
