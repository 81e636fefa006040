#pragma once
// The sender's file on disk. It is opened on the first read, so a window that is never answered
// with "fine" never holds the file open, and it is read by offset, so a transfer that starts over
// on a new connection reads from the start again.
#include <filesystem>
#include <fstream>

#include "transfer/FileSource.h"

namespace quillon::transfer {

class DiskFileSource : public FileSource {
 public:
  explicit DiskFileSource(std::filesystem::path path) : path_(std::move(path)) {}

  std::optional<size_t> Read(uint64_t offset, std::span<char> buffer) override;
  // Lets go of the file; a later Read opens it again.
  void Close();
  bool IsOpen() const { return file_.is_open(); }

 private:
  std::filesystem::path path_;
  std::ifstream file_;
};

}  // namespace quillon::transfer
