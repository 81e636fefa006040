#pragma once
// The simulated desktop's disk: the machine's files underneath, with the mishaps a person's disk
// has put on top. A full disk refuses every byte written (files can still be created empty and
// removed); a read-only folder refuses creating and removing the files and folders directly in
// it.
#include <string>
#include <vector>

#include "platform/Files.h"

namespace quillon::sim {

class SimFiles : public platform::Files {
 public:
  explicit SimFiles(platform::Files& disk) : disk_(disk) {}

  void SetDiskFull(bool full) { disk_full_ = full; }
  bool DiskFull() const { return disk_full_; }
  // `folder` is an absolute path; the files directly inside it become read-only.
  void SetFolderReadOnly(const std::string& folder);

  platform::FileProblem Read(const std::string& path, std::string& bytes) override;
  std::unique_ptr<platform::OpenedFile> Open(const std::string& path,
                                             platform::FileProblem& problem) override;
  std::unique_ptr<platform::WrittenFile> Create(const std::string& path,
                                                platform::FileProblem& problem) override;
  bool Remove(const std::string& path) override;
  bool Exists(const std::string& path) override;
  std::optional<uint64_t> Size(const std::string& path) override;
  platform::FileProblem MakeFolder(const std::string& path) override;

 private:
  bool InReadOnlyFolder(const std::string& path) const;

  platform::Files& disk_;
  bool disk_full_ = false;
  std::vector<std::string> read_only_folders_;
};

}  // namespace quillon::sim
