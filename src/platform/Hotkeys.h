#pragma once
// Global hotkeys: fixed key chords that reach the program whichever window is in front.
//
// Contract: called on the program's one thread; the pressed callback runs from the event loop on
// that thread. A chord already registered (by this or another program) cannot be registered
// again: Register returns 0. Pressing a chord that nobody registered does nothing.
#include <cstdint>
#include <functional>

namespace quillon::platform {

constexpr uint32_t kModAlt = 0x1;
constexpr uint32_t kModControl = 0x2;
constexpr uint32_t kModShift = 0x4;
constexpr uint32_t kModWin = 0x8;

struct Chord {
  uint32_t modifiers = 0;    // kMod... flags
  uint32_t virtual_key = 0;  // 'A'..'Z', '0'..'9', or a vk:: code
  bool operator==(const Chord&) const = default;
};

using HotkeyId = uint32_t;

class Hotkeys {
 public:
  virtual ~Hotkeys() = default;
  virtual HotkeyId Register(Chord chord, std::function<void()> pressed) = 0;
  virtual void Unregister(HotkeyId id) = 0;
};

}  // namespace quillon::platform
