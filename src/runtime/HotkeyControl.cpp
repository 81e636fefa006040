#include "runtime/HotkeyControl.h"

#include "runtime/Runtime.h"

namespace quillon::runtime {

HotkeyControl::HotkeyControl(Runtime& runtime, platform::Chord chord)
    : runtime_(runtime), chord_(chord) {}

HotkeyControl::~HotkeyControl() { Unregister(); }

bool HotkeyControl::Register() {
  if (id_ != 0) return true;
  if (runtime_.Ended()) return false;
  id_ = runtime_.Hotkeys().Register(chord_, [this] {
    if (runtime_.Ended()) return;
    auto handler = on_hotkey_pressed;
    if (handler) handler();
  });
  if (id_ != 0) runtime_.Hold(this);
  return id_ != 0;
}

void HotkeyControl::Unregister() {
  if (id_ == 0) return;
  runtime_.Hotkeys().Unregister(id_);
  id_ = 0;
  runtime_.LetGoOf(this);
}

std::string HotkeyControl::KeyText() const {
  std::string text;
  if (chord_.modifiers & platform::kModControl) text += "Ctrl+";
  if (chord_.modifiers & platform::kModAlt) text += "Alt+";
  if (chord_.modifiers & platform::kModShift) text += "Shift+";
  if (chord_.modifiers & platform::kModWin) text += "Win+";
  uint32_t key = chord_.virtual_key;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    text += static_cast<char>(key);
  } else {
    text += "key " + std::to_string(key);
  }
  return text;
}

}  // namespace quillon::runtime
