#include "sim/SimHotkeys.h"

#include "sim/SimDesktop.h"

namespace quillon::sim {

platform::HotkeyId SimHotkeys::Register(platform::Chord chord, std::function<void()> pressed) {
  for (const auto& [id, entry] : entries_) {
    if (entry.chord == chord) return 0;  // a chord belongs to one registration at a time
  }
  platform::HotkeyId id = next_id_++;
  entries_[id] = Entry{chord, std::move(pressed)};
  return id;
}

void SimHotkeys::Unregister(platform::HotkeyId id) { entries_.erase(id); }

bool SimHotkeys::Press(platform::Chord chord) {
  for (const auto& [id, entry] : entries_) {
    if (entry.chord == chord) {
      platform::HotkeyId pressed_id = id;
      // Looked up again when the queue runs: the registration may be gone by then.
      desktop_.QueueWork([this, pressed_id] {
        auto it = entries_.find(pressed_id);
        if (it == entries_.end()) return;
        auto handler = it->second.pressed;
        if (handler) handler();
      });
      return true;
    }
  }
  return false;
}

}  // namespace quillon::sim
