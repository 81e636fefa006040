#include "sim/SimWrittenFile.h"

#include "sim/SimFiles.h"

namespace quillon::sim {

platform::FileProblem SimWrittenFile::Write(std::string_view bytes) {
  if (bytes.empty()) return platform::FileProblem::kNone;
  if (disk_.DiskFull()) return platform::FileProblem::kDiskFull;
  return file_->Write(bytes);
}

}  // namespace quillon::sim
