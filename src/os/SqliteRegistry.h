#pragma once
// The registry of the seam kept in one SQLite file per user.
//
// Lifecycle:
// - Open() makes the object; the file and its folder's files ("-wal", "-shm") belong to the store.
//   Several objects, in one process or several, may use the same file at once: each write is one
//   transaction (WAL journal, full sync), and a reader sees every write committed before its call.
// - A file that is not a store (foreign bytes, damage, another program's database) is renamed
//   aside, never overwritten, and a fresh store takes its place; Open() says so in `problem`,
//   which the caller passes on to the error report.
// - Called on one thread. A process that forks must open its own object in the child.
//
// Reads of single values are served from a cache while the file is unchanged: the typing path
// reads a setting per character and the chat view a dozen every pass, and an indexed read costs
// more than those paths can spend. Before each use the cache is checked against the header of
// SQLite's shared WAL index, which every commit of every connection rewrites; when the header
// moved (or cannot be read), SQLite's data version decides, so another connection's commit is
// seen at once either way. Asking SQLite alone would cost two file-lock system calls per read.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "os/KeyPath.h"
#include "platform/Registry.h"

struct sqlite3;
struct sqlite3_stmt;

namespace quillon::os {

class SqliteRegistry final : public platform::Registry {
 public:
  struct Opened {
    // Null when no store could be opened at all (the folder is not writable, the file is locked
    // for too long, or it was made by a newer Quillon); `problem` then says why.
    std::unique_ptr<SqliteRegistry> registry;
    // Set when something went wrong: what was kept aside and under which name, or why opening
    // failed. Unset on a clean open.
    std::optional<std::string> problem;
  };

  // Opens the store in `file`, creating it when missing.
  static Opened Open(const std::filesystem::path& file);

  // The per-user store's file: $QUILLON_HOME/registry.sqlite3, else
  // $XDG_CONFIG_HOME/quillon/registry.sqlite3, else $HOME/.config/quillon/registry.sqlite3. The
  // folder is created. nullopt when none of the variables is set or the folder cannot be made.
  static std::optional<std::filesystem::path> DefaultPath();

  ~SqliteRegistry() override;
  SqliteRegistry(const SqliteRegistry&) = delete;
  SqliteRegistry& operator=(const SqliteRegistry&) = delete;

  platform::RegistryStatus CreateKey(platform::RegistryRoot root, std::string_view path) override;
  bool KeyExists(platform::RegistryRoot root, std::string_view path) override;
  platform::RegistryStatus DeleteKey(platform::RegistryRoot root, std::string_view path) override;
  std::optional<platform::RegistryValue> GetValue(platform::RegistryRoot root,
                                                  std::string_view path,
                                                  std::string_view name) override;
  platform::RegistryStatus SetValue(platform::RegistryRoot root, std::string_view path,
                                    std::string_view name,
                                    const platform::RegistryValue& value) override;
  platform::RegistryStatus DeleteValue(platform::RegistryRoot root, std::string_view path,
                                       std::string_view name) override;
  std::vector<std::string> SubKeys(platform::RegistryRoot root, std::string_view path) override;
  std::vector<platform::NamedRegistryValue> Values(platform::RegistryRoot root,
                                                   std::string_view path) override;

 private:
  struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const;
  };
  using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

  explicit SqliteRegistry(sqlite3* db);
  bool Prepare();

  // Runs `body` inside one write transaction, retrying the whole of it while another connection
  // holds the store; returns the SQLite result (SQLITE_OK when committed).
  template <typename Body>
  int Transact(Body&& body);
  // The id of the key, creating it and the levels above it when `create`; 0 when missing.
  int EnsureKey(platform::RegistryRoot root, const KeyPath& path, bool create, int64_t& id);
  int FindKey(platform::RegistryRoot root, const std::string& folded_path, int64_t& id);
  // True when the cache may serve reads; drops it when another connection changed the file.
  bool CacheIsCurrent();
  // Finds SQLite's mapping of the WAL index, whose header CacheIsCurrent compares.
  void MapWalIndex();

  sqlite3* db_;
  Statement begin_, commit_, rollback_, data_version_;
  Statement find_key_, insert_key_, get_value_, set_value_, delete_value_;
  Statement delete_tree_values_, delete_tree_keys_, sub_keys_, values_;

  // Single values by root, folded path and folded name; nullopt records a value known missing.
  std::unordered_map<std::string, std::optional<platform::RegistryValue>> cache_;
  int64_t cache_version_ = -1;
  // The WAL index header (twelve 32-bit words) as it was when the data version last matched.
  const volatile uint32_t* wal_index_ = nullptr;
  std::array<uint32_t, 12> wal_header_seen_{};
  bool wal_header_valid_ = false;
  bool wal_mode_ = false;
};

}  // namespace quillon::os
