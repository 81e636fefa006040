#include "os/LockFileInstances.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace quillon::os {
namespace {

std::string DefaultFolder() {
  const char* runtime_dir = std::getenv("XDG_RUNTIME_DIR");
  if (runtime_dir && *runtime_dir) return std::string(runtime_dir) + "/quillon";
  return (std::filesystem::temp_directory_path() / ("quillon-" + std::to_string(getuid())))
      .string();
}

}  // namespace

LockFileInstances::LockFileInstances(std::string folder)
    : folder_(folder.empty() ? DefaultFolder() : std::move(folder)) {}

LockFileInstances::~LockFileInstances() {
  for (auto& [name, fd] : held_) close(fd);
}

bool LockFileInstances::Claim(std::string_view name) {
  if (held_.count(std::string(name))) return false;
  std::error_code ignored;
  std::filesystem::create_directories(folder_, ignored);
  std::string path = folder_ + "/" + std::string(name) + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // Without a lock file the check cannot be made; starting is better than refusing to.
  if (fd < 0) return true;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  held_.emplace(std::string(name), fd);
  return true;
}

void LockFileInstances::Release(std::string_view name) {
  auto it = held_.find(name);
  if (it == held_.end()) return;
  close(it->second);
  held_.erase(it);
}

}  // namespace quillon::os
