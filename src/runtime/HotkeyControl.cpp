#include "runtime/HotkeyControl.h"

#include "runtime/Runtime.h"

namespace quillon::runtime {

HotkeyControl::HotkeyControl(Runtime& runtime, platform::Chord chord)
    : runtime_(runtime), chord_(chord) {}

HotkeyControl::~HotkeyControl() { Unregister(); }

bool HotkeyControl::Register() {
  if (id_ != 0) return true;
  id_ = runtime_.Hotkeys().Register(chord_, [this] {
    if (runtime_.Ended()) return;
    auto handler = on_hotkey_pressed;
    if (handler) handler();
  });
  return id_ != 0;
}

void HotkeyControl::Unregister() {
  if (id_ == 0) return;
  runtime_.Hotkeys().Unregister(id_);
  id_ = 0;
}

}  // namespace quillon::runtime
