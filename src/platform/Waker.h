#pragma once
// Ends the event loop's idle wait from another thread (a line the person typed, a page a browser
// sent). Held by shared pointer, so that a thread that outlives the loop may still call it: it
// then wakes nothing.
//
// Contract: Wake may be called from any thread at any time. A Wake that comes while no wait is
// under way makes the next wait end at once, so nothing put in before a wait can be missed.
namespace quillon::platform {

class Waker {
 public:
  virtual ~Waker() = default;
  virtual void Wake() = 0;
};

}  // namespace quillon::platform
