#pragma once
// A file written on the simulated disk: the real file, refusing bytes while the disk is full.
#include <memory>

#include "platform/WrittenFile.h"

namespace quillon::sim {

class SimFiles;

class SimWrittenFile : public platform::WrittenFile {
 public:
  SimWrittenFile(const SimFiles& disk, std::unique_ptr<platform::WrittenFile> file)
      : disk_(disk), file_(std::move(file)) {}

  platform::FileProblem Write(std::string_view bytes) override;
  platform::FileProblem Close() override { return file_->Close(); }

 private:
  const SimFiles& disk_;
  std::unique_ptr<platform::WrittenFile> file_;
};

}  // namespace quillon::sim
