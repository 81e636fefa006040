#pragma once
// A file being written through its descriptor. Writes go straight to the kernel (no buffer of
// ours), so a full disk shows at the write that meets it.
#include "platform/WrittenFile.h"

namespace quillon::os {

class PosixWrittenFile : public platform::WrittenFile {
 public:
  explicit PosixWrittenFile(int descriptor) : descriptor_(descriptor) {}
  ~PosixWrittenFile() override;
  PosixWrittenFile(const PosixWrittenFile&) = delete;
  PosixWrittenFile& operator=(const PosixWrittenFile&) = delete;

  platform::FileProblem Write(std::string_view bytes) override;
  platform::FileProblem Close() override;

  // The kind of problem an errno value names.
  static platform::FileProblem ProblemOf(int error);

 private:
  int descriptor_;
};

}  // namespace quillon::os
