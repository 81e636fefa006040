#pragma once
// A descriptor of the machine's (a socket) that an idle event loop waits on, and what readiness of
// it brings work: bytes to read, or room to write. The loop only passes it from an event source to
// the clock's wait; only the machine's side behind the seam knows what the number means.
namespace quillon::platform {

struct WatchedDescriptor {
  int descriptor = -1;
  bool read = false;
  bool write = false;
};

}  // namespace quillon::platform
