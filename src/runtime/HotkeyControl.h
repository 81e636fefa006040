#pragma once
// A global hotkey of a form: a fixed chord that raises HotkeyPressed whichever window is in front.
// It is registered while the form is loaded and the control is enabled.
#include <functional>
#include <string>

#include "platform/Hotkeys.h"
#include "runtime/Holding.h"

namespace quillon::runtime {

class Runtime;

class HotkeyControl : public Holding {
 public:
  HotkeyControl(Runtime& runtime, platform::Chord chord);
  ~HotkeyControl();
  HotkeyControl(const HotkeyControl&) = delete;
  HotkeyControl& operator=(const HotkeyControl&) = delete;

  // False when another program already holds the chord (or the program has ended). A held
  // chord is given back when the program ends.
  bool Register();
  void Unregister();
  bool Registered() const { return id_ != 0; }
  platform::Chord Key() const { return chord_; }
  // The chord as a person names it: "Ctrl+Shift+B".
  std::string KeyText() const;

  void LetGo() override { Unregister(); }

  std::function<void()> on_hotkey_pressed;

 private:
  Runtime& runtime_;
  platform::Chord chord_;
  platform::HotkeyId id_ = 0;
};

}  // namespace quillon::runtime
