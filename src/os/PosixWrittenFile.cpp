#include "os/PosixWrittenFile.h"

#include <errno.h>
#include <unistd.h>

namespace quillon::os {

PosixWrittenFile::~PosixWrittenFile() { Close(); }

platform::FileProblem PosixWrittenFile::ProblemOf(int error) {
  switch (error) {
    case 0:
      return platform::FileProblem::kNone;
    case ENOENT:
    case ENOTDIR:
      return platform::FileProblem::kMissing;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return platform::FileProblem::kDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return platform::FileProblem::kDiskFull;
    default:
      return platform::FileProblem::kOther;
  }
}

platform::FileProblem PosixWrittenFile::Write(std::string_view bytes) {
  if (descriptor_ < 0) return platform::FileProblem::kOther;
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return ProblemOf(errno);
    }
    // A short write with no error is how a disk that just filled up answers first.
    if (written == 0) return platform::FileProblem::kDiskFull;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return platform::FileProblem::kNone;
}

platform::FileProblem PosixWrittenFile::Close() {
  if (descriptor_ < 0) return platform::FileProblem::kNone;
  const int descriptor = descriptor_;
  descriptor_ = -1;
  // Network file systems report a full disk only here.
  return ::close(descriptor) == 0 ? platform::FileProblem::kNone : ProblemOf(errno);
}

}  // namespace quillon::os
