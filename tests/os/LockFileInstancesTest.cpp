// One running copy per user: the claim holds across processes and goes with a process that dies.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "os/LockFileInstances.h"

namespace quillon::os {
namespace {

TEST(LockFileInstancesTest, ClaimHoldsAcrossProcessesAndEndsWithTheHolder) {
  std::string folder =
      (std::filesystem::path(::testing::TempDir()) / ("instances-" + std::to_string(getpid())))
          .string();
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    LockFileInstances mine(folder);
    char ok = mine.Claim("Quillon") ? 'y' : 'n';
    (void)!write(ready[1], &ok, 1);
    pause();  // holds the claim until killed
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');
  LockFileInstances here(folder);
  EXPECT_FALSE(here.Claim("Quillon"));
  EXPECT_TRUE(here.Claim("Other"));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  // A copy that died does not keep the name taken.
  EXPECT_TRUE(here.Claim("Quillon"));
  EXPECT_FALSE(here.Claim("Quillon"));  // and this process holds it now
  here.Release("Quillon");
  LockFileInstances again(folder);
  EXPECT_TRUE(again.Claim("Quillon"));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quillon::os
