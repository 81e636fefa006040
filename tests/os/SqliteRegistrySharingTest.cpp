// Several connections and processes on one store, and writers killed half way.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "os/RegistryValuePrinter.h"
#include "os/SqliteRegistry.h"
#include "os/TempFolder.h"

namespace quillon::os {
namespace {

using platform::RegistryRoot;
using platform::RegistryStatus;
using platform::RegistryValue;

constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;

bool WriteNumber(int fd, uint32_t number) {
  return write(fd, &number, sizeof number) == static_cast<ssize_t>(sizeof number);
}

bool ReadNumber(int fd, uint32_t& number) {
  return read(fd, &number, sizeof number) == static_cast<ssize_t>(sizeof number);
}

// Runs `body` in a child process whose exit status is its result. The child leaves with _exit,
// so that it neither runs the test framework's exit code nor the sanitizer's leak check on the
// parent's memory. A connection must never cross a fork, so callers open stores after forking.
template <typename Body>
pid_t Spawn(Body body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  return pid;
}

int ExitStatusOf(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::unique_ptr<SqliteRegistry> OpenClean(const std::filesystem::path& file) {
  SqliteRegistry::Opened opened = SqliteRegistry::Open(file);
  EXPECT_EQ(opened.problem, std::nullopt);
  return std::move(opened.registry);
}

TEST(SqliteRegistrySharing, TwoObjectsOnOneFileSeeEachOthersWritesAtOnce) {
  TempFolder folder;
  const auto file = folder.Path() / "registry.sqlite3";
  auto first = OpenClean(file);
  auto second = OpenClean(file);
  ASSERT_TRUE(first && second);

  // Each read below would be served from the first object's cache if it missed a change.
  EXPECT_EQ(first->GetValue(kUser, "Shared", "n"), std::nullopt);
  ASSERT_EQ(second->SetValue(kUser, "Shared", "n", RegistryValue::Dword(1)), RegistryStatus::kOk);
  EXPECT_EQ(first->GetValue(kUser, "Shared", "n"), RegistryValue::Dword(1));
  EXPECT_EQ(first->GetValue(kUser, "Shared", "n"), RegistryValue::Dword(1));
  ASSERT_EQ(second->SetValue(kUser, "Shared", "n", RegistryValue::Dword(2)), RegistryStatus::kOk);
  EXPECT_EQ(first->GetValue(kUser, "Shared", "N"), RegistryValue::Dword(2));
  ASSERT_EQ(second->DeleteKey(kUser, "Shared"), RegistryStatus::kOk);
  EXPECT_EQ(first->GetValue(kUser, "Shared", "n"), std::nullopt);

  // Enough writes for SQLite to checkpoint and start its journal over, which rewrites the shared
  // index the first object watches; each change must still be seen.
  const std::string filler(64 * 1024, 'f');
  for (uint32_t round = 0; round < 80; ++round) {
    ASSERT_EQ(second->SetValue(kUser, "Busy", "filler", RegistryValue::Binary(filler)),
              RegistryStatus::kOk);
    ASSERT_EQ(second->SetValue(kUser, "Busy", "round", RegistryValue::Dword(round)),
              RegistryStatus::kOk);
    ASSERT_EQ(first->GetValue(kUser, "Busy", "round"), RegistryValue::Dword(round));
    ASSERT_EQ(first->GetValue(kUser, "Busy", "round"), RegistryValue::Dword(round));
  }

  ASSERT_EQ(first->SetValue(kUser, "Other\\Sub", "m", RegistryValue::String("x")),
            RegistryStatus::kOk);
  EXPECT_EQ(second->SubKeys(kUser, "Other"), std::vector<std::string>{"Sub"});
  EXPECT_EQ(second->GetValue(kUser, "Other\\Sub", "m"), RegistryValue::String("x"));
}

TEST(SqliteRegistrySharing, AnotherProcessSeesWritesBothWays) {
  TempFolder folder;
  const auto file = folder.Path() / "registry.sqlite3";
  int to_child[2], to_parent[2];
  ASSERT_EQ(pipe(to_child), 0);
  ASSERT_EQ(pipe(to_parent), 0);
  const pid_t child = Spawn([&] {
    close(to_child[1]);
    close(to_parent[0]);
    auto registry = SqliteRegistry::Open(file).registry;
    uint32_t number = 0;
    if (!registry || !ReadNumber(to_child[0], number)) return 2;
    if (registry->GetValue(kUser, "Shared", "FromParent") != RegistryValue::Dword(number)) return 3;
    if (registry->SetValue(kUser, "Shared", "FromChild", RegistryValue::Dword(number + 1)) !=
        RegistryStatus::kOk) {
      return 4;
    }
    // A write drops this process's cache, so the value is read (and cached) again after it.
    if (registry->GetValue(kUser, "Shared", "FromParent") != RegistryValue::Dword(number)) return 5;
    if (!WriteNumber(to_parent[1], number + 1) || !ReadNumber(to_child[0], number)) return 6;
    if (registry->GetValue(kUser, "Shared", "FromParent") != RegistryValue::Dword(number)) return 7;
    return 0;
  });
  ASSERT_GT(child, 0);
  close(to_child[0]);
  close(to_parent[1]);

  // Both processes may be creating the store at this moment; neither may see a problem.
  auto registry = OpenClean(file);
  ASSERT_TRUE(registry);
  ASSERT_EQ(registry->SetValue(kUser, "Shared", "FromParent", RegistryValue::Dword(41)),
            RegistryStatus::kOk);
  EXPECT_EQ(registry->GetValue(kUser, "Shared", "FromChild"), std::nullopt);
  ASSERT_TRUE(WriteNumber(to_child[1], 41));
  uint32_t answer = 0;
  ASSERT_TRUE(ReadNumber(to_parent[0], answer));
  EXPECT_EQ(answer, 42u);
  EXPECT_EQ(registry->GetValue(kUser, "Shared", "FromChild"), RegistryValue::Dword(42));
  ASSERT_EQ(registry->SetValue(kUser, "Shared", "FromParent", RegistryValue::Dword(43)),
            RegistryStatus::kOk);
  ASSERT_TRUE(WriteNumber(to_child[1], 43));
  EXPECT_EQ(ExitStatusOf(child), 0);
  close(to_child[1]);
  close(to_parent[0]);
}

TEST(SqliteRegistrySharing, AWriteWaitsWhileAnotherProcessHoldsTheStore) {
  TempFolder folder;
  const auto file = folder.Path() / "registry.sqlite3";
  ASSERT_TRUE(OpenClean(file));
  int holding[2];
  ASSERT_EQ(pipe(holding), 0);
  const pid_t child = Spawn([&] {
    close(holding[0]);
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK ||
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK ||
        !WriteNumber(holding[1], 1)) {
      return 2;
    }
    usleep(300 * 1000);
    return sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK ? 0 : 3;
  });
  ASSERT_GT(child, 0);
  close(holding[1]);
  uint32_t held = 0;
  ASSERT_TRUE(ReadNumber(holding[0], held));

  auto registry = OpenClean(file);
  ASSERT_TRUE(registry);
  EXPECT_EQ(registry->GetValue(kUser, "K", "v"), std::nullopt);  // readers are never held up
  EXPECT_EQ(registry->SetValue(kUser, "K", "v", RegistryValue::Dword(5)), RegistryStatus::kOk);
  EXPECT_EQ(ExitStatusOf(child), 0);
  EXPECT_EQ(registry->GetValue(kUser, "K", "v"), RegistryValue::Dword(5));
  close(holding[0]);
}

// Large enough to span many pages, so that a torn write would show as a mixed payload.
std::string Payload(uint32_t number) {
  std::string bytes(96 * 1024, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(number * 7 + i / 4096);
  return bytes;
}

TEST(SqliteRegistrySharing, AWriterKilledMidWriteLeavesTheOldValueOrTheNew) {
  TempFolder folder;
  const auto file = folder.Path() / "registry.sqlite3";
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);

  for (uint32_t round = 1; round <= 6; ++round) {
    int reports[2];
    ASSERT_EQ(pipe(reports), 0);
    const uint32_t first = round * 1000;
    const pid_t child = Spawn([&] {
      close(reports[0]);
      auto registry = SqliteRegistry::Open(file).registry;
      if (!registry) return 2;
      for (uint32_t number = first;; ++number) {
        // A new key per write makes each transaction insert rows as well as replace a value.
        const std::string key = "Loop\\Keys\\K" + std::to_string(number);
        if (registry->SetValue(kUser, "Loop", "Payload", RegistryValue::Binary(Payload(number))) !=
                RegistryStatus::kOk ||
            registry->SetValue(kUser, key, "n", RegistryValue::Dword(number)) !=
                RegistryStatus::kOk ||
            !WriteNumber(reports[1], number)) {
          return 3;
        }
      }
    });
    ASSERT_GT(child, 0);
    close(reports[1]);
    // Kill at a random moment after a random number of completed writes.
    uint32_t last = 0;
    const int wanted = std::uniform_int_distribution<int>(1, 4)(random);
    for (int done = 0; done < wanted; ++done) ASSERT_TRUE(ReadNumber(reports[0], last));
    usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(random));
    kill(child, SIGKILL);
    EXPECT_EQ(ExitStatusOf(child), 128 + SIGKILL);
    for (uint32_t number = 0; ReadNumber(reports[0], number);) last = number;
    close(reports[0]);

    auto registry = OpenClean(file);
    ASSERT_TRUE(registry);
    const auto payload = registry->GetValue(kUser, "Loop", "Payload");
    ASSERT_TRUE(payload.has_value());
    EXPECT_TRUE(payload->data == Payload(last) || payload->data == Payload(last + 1))
        << "round " << round << ", last reported write " << last;
    // Every key present holds the value written with it, and no reported write is lost.
    EXPECT_EQ(registry->GetValue(kUser, "Loop\\Keys\\K" + std::to_string(last), "n"),
              RegistryValue::Dword(last));
    for (const std::string& key : registry->SubKeys(kUser, "Loop\\Keys")) {
      const auto number = registry->GetValue(kUser, "Loop\\Keys\\" + key, "n");
      ASSERT_TRUE(number.has_value()) << key;
      EXPECT_EQ("K" + std::to_string(number->AsDword()), key);
    }
  }
}

}  // namespace
}  // namespace quillon::os
