#pragma once
// A file open for reading, read by offset so a reader may start over without reopening it.
#include <cstdint>
#include <optional>
#include <span>

namespace quillon::platform {

class OpenedFile {
 public:
  virtual ~OpenedFile() = default;
  // Fills `buffer` from `offset` on and returns how many bytes it gave: fewer than asked only at
  // the end of the file; no value when reading failed.
  virtual std::optional<size_t> ReadAt(uint64_t offset, std::span<char> buffer) = 0;
};

}  // namespace quillon::platform
