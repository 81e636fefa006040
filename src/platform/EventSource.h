#pragma once
// Something outside the program that produces work for the event loop: the desktop's posted
// messages, socket events, hotkeys. The loop asks each source in turn.
//
// Contract: called only by the event loop, on the program's one thread, possibly nested (a
// handler run by DispatchReady may itself run the loop). DispatchReady never blocks.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/WatchedDescriptor.h"

namespace quillon::platform {

class EventSource {
 public:
  virtual ~EventSource() = default;
  // Runs what is ready now (one item or a batch); true when it ran anything.
  virtual bool DispatchReady() = 0;
  // True while the source waits on the real world (sockets, web requests), so that an idle loop
  // under a virtual clock still polls it instead of deciding nothing will ever happen.
  virtual bool WaitsOnRealWorld() const { return false; }
  // Adds the descriptors whose readiness brings this source work, for an idle loop to wait on.
  // A source whose work only comes from the program itself adds none.
  virtual void Watch(std::vector<WatchedDescriptor>& watched) const { (void)watched; }
};

}  // namespace quillon::platform
