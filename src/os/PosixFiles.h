#pragma once
// The machine's own disk, through POSIX calls so that a full disk is told from a refused folder.
#include "platform/Files.h"

namespace quillon::os {

class PosixFiles : public platform::Files {
 public:
  platform::FileProblem Read(const std::string& path, std::string& bytes) override;
  std::unique_ptr<platform::OpenedFile> Open(const std::string& path,
                                             platform::FileProblem& problem) override;
  std::unique_ptr<platform::WrittenFile> Create(const std::string& path,
                                                platform::FileProblem& problem) override;
  bool Remove(const std::string& path) override;
  bool Exists(const std::string& path) override;
  std::optional<uint64_t> Size(const std::string& path) override;
  platform::FileProblem MakeFolder(const std::string& path) override;
};

}  // namespace quillon::os
