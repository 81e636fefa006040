#pragma once
// The sender's file on disk. It is opened on the first read, so a window that is never answered
// with "fine" never holds the file open, and it is read by offset, so a transfer that starts over
// on a new connection reads from the start again.
#include <memory>
#include <string>

#include "platform/Files.h"
#include "transfer/FileSource.h"

namespace quillon::transfer {

class DiskFileSource : public FileSource {
 public:
  DiskFileSource(platform::Files& files, std::string path)
      : files_(files), path_(std::move(path)) {}

  std::optional<size_t> Read(uint64_t offset, std::span<char> buffer) override;
  // Lets go of the file; a later Read opens it again.
  void Close() { file_.reset(); }
  bool IsOpen() const { return file_ != nullptr; }

 private:
  platform::Files& files_;
  std::string path_;
  std::unique_ptr<platform::OpenedFile> file_;
};

}  // namespace quillon::transfer
