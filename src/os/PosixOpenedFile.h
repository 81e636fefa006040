#pragma once
// A file open for reading through its descriptor; reads by offset leave no position to keep.
#include "platform/OpenedFile.h"

namespace quillon::os {

class PosixOpenedFile : public platform::OpenedFile {
 public:
  explicit PosixOpenedFile(int descriptor) : descriptor_(descriptor) {}
  ~PosixOpenedFile() override;
  PosixOpenedFile(const PosixOpenedFile&) = delete;
  PosixOpenedFile& operator=(const PosixOpenedFile&) = delete;

  std::optional<size_t> ReadAt(uint64_t offset, std::span<char> buffer) override;

 private:
  int descriptor_;
};

}  // namespace quillon::os
