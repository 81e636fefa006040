#include "os/PosixFiles.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "os/PosixOpenedFile.h"
#include "os/PosixWrittenFile.h"

namespace quillon::os {

platform::FileProblem PosixFiles::Read(const std::string& path, std::string& bytes) {
  if (!Exists(path)) return platform::FileProblem::kMissing;
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return PosixWrittenFile::ProblemOf(errno);
  bytes.clear();
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int error = errno;
      ::close(descriptor);
      return PosixWrittenFile::ProblemOf(error);
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
  }
  ::close(descriptor);
  return platform::FileProblem::kNone;
}

std::unique_ptr<platform::OpenedFile> PosixFiles::Open(const std::string& path,
                                                       platform::FileProblem& problem) {
  if (!Exists(path)) {
    problem = platform::FileProblem::kMissing;
    return nullptr;
  }
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    problem = PosixWrittenFile::ProblemOf(errno);
    return nullptr;
  }
  problem = platform::FileProblem::kNone;
  return std::make_unique<PosixOpenedFile>(descriptor);
}

std::unique_ptr<platform::WrittenFile> PosixFiles::Create(const std::string& path,
                                                          platform::FileProblem& problem) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    problem = PosixWrittenFile::ProblemOf(errno);
    return nullptr;
  }
  problem = platform::FileProblem::kNone;
  return std::make_unique<PosixWrittenFile>(descriptor);
}

bool PosixFiles::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool PosixFiles::Exists(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::optional<uint64_t> PosixFiles::Size(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(status.st_size);
}

platform::FileProblem PosixFiles::MakeFolder(const std::string& path) {
  if (path.empty()) return platform::FileProblem::kMissing;
  // Each folder on the way, from the top down; one that is there already is passed.
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string folder = path.substr(0, end);
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
      return PosixWrittenFile::ProblemOf(errno);
    }
    if (end == std::string::npos) break;
  }
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    return platform::FileProblem::kOther;
  }
  return platform::FileProblem::kNone;
}

}  // namespace quillon::os
