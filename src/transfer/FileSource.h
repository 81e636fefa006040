#pragma once
// How the sender reads the file it offers. The window opens the file; the sender only asks for
// bytes, so it can be driven without a disk.
#include <cstdint>
#include <optional>
#include <span>

namespace quillon::transfer {

class FileSource {
 public:
  virtual ~FileSource() = default;

  // Fills `buffer` with the file's bytes from `offset` on and returns how many it gave: fewer than
  // asked only at the end of the file, no value when reading failed. Called only between a
  // "fine" from the receiver and the end of the file, never again after a failure.
  virtual std::optional<size_t> Read(uint64_t offset, std::span<char> buffer) = 0;
};

}  // namespace quillon::transfer
