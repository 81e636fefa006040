#include "os/WakeSignal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace quillon::os {

WakeSignal::WakeSignal() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  // Without it an idle loop could never be woken by the person: better to say so at the start.
  if (fd_ < 0) throw std::runtime_error("cannot make the event loop's wake signal");
}

WakeSignal::~WakeSignal() { close(fd_); }

void WakeSignal::Wake() {
  const uint64_t one = 1;
  // A full count (EAGAIN) already wakes the wait, which is all a Wake asks for.
  while (write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

void WakeSignal::Clear() {
  uint64_t count = 0;
  // EAGAIN means nothing was raised; the count is read whole, so one read clears it.
  while (read(fd_, &count, sizeof count) < 0 && errno == EINTR) {
  }
}

}  // namespace quillon::os
