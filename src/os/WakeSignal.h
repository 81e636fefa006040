#pragma once
// The machine's waker: an eventfd that a wait polls beside the sockets. Wake writes to it from any
// thread; the count stays raised until the waiting thread clears it, so a Wake before the wait
// ends the wait at once.
#include "platform/Waker.h"

namespace quillon::os {

class WakeSignal final : public platform::Waker {
 public:
  WakeSignal();
  ~WakeSignal() override;
  WakeSignal(const WakeSignal&) = delete;
  WakeSignal& operator=(const WakeSignal&) = delete;

  void Wake() override;
  // For the waiting thread: the descriptor to poll for reading, and the clearing once it was.
  int Descriptor() const { return fd_; }
  void Clear();

 private:
  int fd_;
};

}  // namespace quillon::os
