#include "transfer/DiskFileSource.h"

namespace quillon::transfer {

std::optional<size_t> DiskFileSource::Read(uint64_t offset, std::span<char> buffer) {
  if (!file_.is_open()) {
    file_.open(path_, std::ios::binary);
    if (!file_.is_open()) return std::nullopt;
  }
  file_.clear();
  file_.seekg(static_cast<std::streamoff>(offset));
  if (!file_) return std::nullopt;
  file_.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  const std::streamsize got = file_.gcount();
  // A short read is the end of the file only when the stream says so; anything else failed.
  if (got < static_cast<std::streamsize>(buffer.size()) && !file_.eof()) return std::nullopt;
  return static_cast<size_t>(got);
}

void DiskFileSource::Close() {
  if (file_.is_open()) file_.close();
  file_.clear();
}

}  // namespace quillon::transfer
