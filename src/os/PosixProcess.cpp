#include "os/PosixProcess.h"

#include <spawn.h>
#include <sys/wait.h>

#include <thread>

extern char** environ;

namespace quillon::os {

bool PosixProcess::Start(std::string_view program, const std::vector<std::string>& arguments) {
  std::string path(program);
  std::vector<char*> argv;
  argv.push_back(path.data());
  std::vector<std::string> copies(arguments);
  for (auto& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
  // Nobody waits for the program, but its exit must still be collected, or it would linger as a
  // zombie for as long as this process runs.
  std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
  return true;
}

}  // namespace quillon::os
