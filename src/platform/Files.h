#pragma once
// The disk, as far as the program reads and writes files on it. Paths are the program's own
// (absolute, or relative to the working folder), in the code page's bytes.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileProblem.h"
#include "platform/OpenedFile.h"
#include "platform/WrittenFile.h"

namespace quillon::platform {

class Files {
 public:
  virtual ~Files() = default;
  // The whole file into `bytes`; kMissing when there is no regular file at `path`.
  virtual FileProblem Read(const std::string& path, std::string& bytes) = 0;
  // Opens a regular file for reading; null with `problem` set when it cannot be.
  virtual std::unique_ptr<OpenedFile> Open(const std::string& path, FileProblem& problem) = 0;
  // Creates (or empties) the file; null with `problem` set when it cannot be opened.
  virtual std::unique_ptr<WrittenFile> Create(const std::string& path, FileProblem& problem) = 0;
  // Removes a file; true when it is gone (or was never there).
  virtual bool Remove(const std::string& path) = 0;
  // Whether a regular file is there.
  virtual bool Exists(const std::string& path) = 0;
  // The size in bytes of the regular file at `path`; nothing when there is none (or it cannot be
  // looked at).
  virtual std::optional<uint64_t> Size(const std::string& path) = 0;
  // Makes the folder and the folders above it that are missing; kNone when the folder is there
  // afterwards, whether it was made now or before.
  virtual FileProblem MakeFolder(const std::string& path) = 0;
};

}  // namespace quillon::platform
