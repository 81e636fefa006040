#include "os/PosixOpenedFile.h"

#include <errno.h>
#include <unistd.h>

namespace quillon::os {

PosixOpenedFile::~PosixOpenedFile() { ::close(descriptor_); }

std::optional<size_t> PosixOpenedFile::ReadAt(uint64_t offset, std::span<char> buffer) {
  size_t filled = 0;
  // pread may give less than asked before the end; only a read of nothing is the end.
  while (filled < buffer.size()) {
    const ssize_t got = ::pread(descriptor_, buffer.data() + filled, buffer.size() - filled,
                                static_cast<off_t>(offset + filled));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  return filled;
}

}  // namespace quillon::os
