#pragma once
// Global hotkeys on the simulated desktop. A pressed chord reaches its handler through the
// desktop's queue, in order with the messages the person's other keys produced.
#include <map>

#include "platform/Hotkeys.h"

namespace quillon::sim {

class SimDesktop;

class SimHotkeys : public platform::Hotkeys {
 public:
  explicit SimHotkeys(SimDesktop& desktop) : desktop_(desktop) {}
  platform::HotkeyId Register(platform::Chord chord, std::function<void()> pressed) override;
  void Unregister(platform::HotkeyId id) override;

  // The person presses a chord; false when nobody registered it (then nothing happens).
  bool Press(platform::Chord chord);

 private:
  struct Entry {
    platform::Chord chord;
    std::function<void()> pressed;
  };
  SimDesktop& desktop_;
  std::map<platform::HotkeyId, Entry> entries_;
  platform::HotkeyId next_id_ = 1;
};

}  // namespace quillon::sim
