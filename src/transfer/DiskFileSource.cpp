#include "transfer/DiskFileSource.h"

namespace quillon::transfer {

std::optional<size_t> DiskFileSource::Read(uint64_t offset, std::span<char> buffer) {
  if (!file_) {
    platform::FileProblem problem = platform::FileProblem::kNone;
    file_ = files_.Open(path_, problem);
    if (!file_) return std::nullopt;
  }
  return file_->ReadAt(offset, buffer);
}

}  // namespace quillon::transfer
