// Files that are no store, and where the store lives.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "os/RegistryValuePrinter.h"
#include "os/SqliteRegistry.h"
#include "os/TempFolder.h"

namespace quillon::os {
namespace {

using platform::RegistryRoot;
using platform::RegistryStatus;
using platform::RegistryValue;

constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

void Sql(const std::filesystem::path& file, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

class SqliteRegistryRecovery : public ::testing::Test {
 protected:
  // The bytes of a closed store holding a value that spans many pages.
  std::string StoreBytes() {
    const auto file = folder_.Path() / "source.sqlite3";
    {
      auto registry = SqliteRegistry::Open(file).registry;
      EXPECT_EQ(
          registry->SetValue(kUser, "Big", "v", RegistryValue::Binary(std::string(40000, 'x'))),
          RegistryStatus::kOk);
    }
    return ReadFile(file);
  }

  TempFolder folder_;
  std::filesystem::path file_ = folder_.Path() / "registry.sqlite3";
};

TEST_F(SqliteRegistryRecovery, AFileThatIsNoStoreIsKeptAsideUnderAFreeNameAndAFreshStoreMade) {
  std::mt19937 random(7);
  std::string noise(8192, '\0');
  for (char& byte : noise) byte = static_cast<char>(random());
  const std::string store = StoreBytes();
  const auto foreign_file = folder_.Path() / "foreign.sqlite3";
  Sql(foreign_file, "CREATE TABLE contacts(name TEXT); INSERT INTO contacts VALUES('ann');");
  const std::pair<const char*, std::string> cases[] = {
      {"random bytes", noise},
      {"a store cut in half", store.substr(0, store.size() / 2)},
      {"a store cut inside its header", store.substr(0, 60)},
      {"another program's database", ReadFile(foreign_file)},
  };

  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    std::filesystem::path aside = file_;
    aside += ".corrupt-2";
    std::filesystem::path older = file_;
    older += ".corrupt-1";
    for (const auto& stale : {file_, aside, older}) std::filesystem::remove(stale);
    WriteFile(file_, bytes);
    WriteFile(older, "kept from an earlier time");

    SqliteRegistry::Opened opened = SqliteRegistry::Open(file_);
    ASSERT_TRUE(opened.registry);
    ASSERT_TRUE(opened.problem.has_value());
    EXPECT_NE(opened.problem->find(aside.string()), std::string::npos) << *opened.problem;
    EXPECT_EQ(ReadFile(aside), bytes);
    EXPECT_EQ(ReadFile(older), "kept from an earlier time");

    EXPECT_EQ(opened.registry->GetValue(kUser, "Big", "v"), std::nullopt);
    ASSERT_EQ(opened.registry->SetValue(kUser, "Fresh", "v", RegistryValue::Dword(1)),
              RegistryStatus::kOk);
    opened.registry.reset();
    SqliteRegistry::Opened again = SqliteRegistry::Open(file_);
    EXPECT_EQ(again.problem, std::nullopt);
    ASSERT_TRUE(again.registry);
    EXPECT_EQ(again.registry->GetValue(kUser, "Fresh", "v"), RegistryValue::Dword(1));
  }
}

TEST_F(SqliteRegistryRecovery, AnEmptyFileBecomesAStoreAndANewerStoreIsLeftAlone) {
  WriteFile(file_, "");
  {
    SqliteRegistry::Opened opened = SqliteRegistry::Open(file_);
    EXPECT_EQ(opened.problem, std::nullopt);
    ASSERT_TRUE(opened.registry);
    EXPECT_EQ(opened.registry->SetValue(kUser, "K", "v", RegistryValue::Dword(1)),
              RegistryStatus::kOk);
  }
  // A later Quillon's store is not ours to judge or replace.
  Sql(file_, "UPDATE meta SET value = 2 WHERE name = 'version'");
  const std::string bytes = ReadFile(file_);
  SqliteRegistry::Opened opened = SqliteRegistry::Open(file_);
  EXPECT_FALSE(opened.registry);
  ASSERT_TRUE(opened.problem.has_value());
  EXPECT_NE(opened.problem->find("newer"), std::string::npos) << *opened.problem;
  EXPECT_EQ(ReadFile(file_), bytes);
  EXPECT_FALSE(std::filesystem::exists(file_.string() + ".corrupt-1"));
}

TEST_F(SqliteRegistryRecovery, AStoreThatCannotBeCreatedIsReportedWithoutAnObject) {
  WriteFile(folder_.Path() / "plain", "a file, not a folder");
  SqliteRegistry::Opened opened = SqliteRegistry::Open(folder_.Path() / "plain" / "registry");
  EXPECT_FALSE(opened.registry);
  ASSERT_TRUE(opened.problem.has_value());
  EXPECT_NE(opened.problem->find("could not be opened"), std::string::npos) << *opened.problem;
}

TEST(SqliteRegistryDefaultPath, FollowsQuillonHomeThenXdgConfigHomeThenHome) {
  TempFolder folder;
  std::vector<std::pair<const char*, std::optional<std::string>>> saved;
  for (const char* name : {"QUILLON_HOME", "XDG_CONFIG_HOME", "HOME"}) {
    const char* value = std::getenv(name);
    saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }
  const auto& base = folder.Path();
  setenv("QUILLON_HOME", (base / "qh" / "deep").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (base / "xdg").c_str(), 1);
  setenv("HOME", (base / "home").c_str(), 1);

  EXPECT_EQ(SqliteRegistry::DefaultPath(), base / "qh" / "deep" / "registry.sqlite3");
  EXPECT_TRUE(std::filesystem::is_directory(base / "qh" / "deep"));
  setenv("QUILLON_HOME", "", 1);  // set but empty counts as unset
  EXPECT_EQ(SqliteRegistry::DefaultPath(), base / "xdg" / "quillon" / "registry.sqlite3");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SqliteRegistry::DefaultPath(),
            base / "home" / ".config" / "quillon" / "registry.sqlite3");
  EXPECT_TRUE(std::filesystem::is_directory(base / "home" / ".config" / "quillon"));
  unsetenv("HOME");
  EXPECT_EQ(SqliteRegistry::DefaultPath(), std::nullopt);
  WriteFile(base / "plain", "");
  setenv("QUILLON_HOME", (base / "plain" / "sub").c_str(), 1);
  EXPECT_EQ(SqliteRegistry::DefaultPath(), std::nullopt);

  for (const auto& [name, value] : saved) {
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
}

}  // namespace
}  // namespace quillon::os
