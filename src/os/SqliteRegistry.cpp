#include "os/SqliteRegistry.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>

namespace quillon::os {

using platform::NamedRegistryValue;
using platform::RegistryRoot;
using platform::RegistryStatus;
using platform::RegistryType;
using platform::RegistryValue;

namespace {

// Marks a file as this program's store, so that another program's database is never taken for
// one and never written to.
constexpr char kFormatName[] = "quillon-registry";
constexpr int64_t kFormatVersion = 1;

// Long enough to ride out another process's write (one fsync), short enough that a stuck peer
// is reported instead of freezing the user interface.
constexpr int kBusyTimeoutMs = 5000;
// SQLite does not call the busy handler in every case (switching the journal mode, a peer
// recovering the WAL index), so whole operations are retried for a while as well. The window is
// short because the handler has usually waited its full time already.
constexpr auto kBusyRetryWindow = std::chrono::milliseconds(1000);
constexpr size_t kMaxCacheEntries = 4096;
// Large values are read rarely and would pin their memory in the cache.
constexpr size_t kMaxCachedValueBytes = 64 * 1024;

constexpr const char* kRootNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                      "HKEY_LOCAL_MACHINE", "HKEY_USERS", "HKEY_CURRENT_CONFIG"};

// keys.path is the folded path below the root ('' for the root itself) and is unique per root, so
// finding a key is one index probe. A subtree is a range of it: "A\B" itself and everything from
// "A\B\" up to, not including, "A\B]" (the byte after "\"). vals keeps the creation order in its
// rowid, which an upsert leaves in place.
constexpr char kSchema[] = R"sql(
CREATE TABLE meta(name TEXT PRIMARY KEY, value) WITHOUT ROWID;
CREATE TABLE keys(id INTEGER PRIMARY KEY, root INTEGER NOT NULL, path TEXT NOT NULL,
                  parent INTEGER NOT NULL, name TEXT NOT NULL, fold TEXT NOT NULL,
                  UNIQUE(root, path));
CREATE INDEX keys_by_parent ON keys(parent, fold);
CREATE TABLE vals(key INTEGER NOT NULL, fold TEXT NOT NULL, name TEXT NOT NULL,
                  type INTEGER NOT NULL, data BLOB NOT NULL, UNIQUE(key, fold));
)sql";

constexpr char kSelectKey[] = "SELECT id FROM keys WHERE root = ?1 AND path = ?2";
constexpr char kInsertKey[] =
    "INSERT INTO keys(root, path, parent, name, fold) VALUES(?1, ?2, ?3, ?4, ?5)";
constexpr char kSelectValue[] =
    "SELECT v.type, v.data FROM keys k JOIN vals v ON v.key = k.id "
    "WHERE k.root = ?1 AND k.path = ?2 AND v.fold = ?3";
// A replaced value keeps its rowid, hence its place, and the case of the name it was created with.
constexpr char kUpsertValue[] =
    "INSERT INTO vals(key, fold, name, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
    "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data";
constexpr char kDeleteValue[] =
    "DELETE FROM vals WHERE fold = ?3 AND key = "
    "(SELECT id FROM keys WHERE root = ?1 AND path = ?2)";
constexpr char kDeleteTreeValues[] =
    "DELETE FROM vals WHERE key IN (SELECT id FROM keys WHERE root = ?1 AND "
    "(path = ?2 OR (path >= ?3 AND path < ?4)))";
constexpr char kDeleteTreeKeys[] =
    "DELETE FROM keys WHERE root = ?1 AND (path = ?2 OR (path >= ?3 AND path < ?4))";
constexpr char kSelectSubKeys[] =
    "SELECT c.name FROM keys p JOIN keys c ON c.parent = p.id "
    "WHERE p.root = ?1 AND p.path = ?2 ORDER BY c.fold";
constexpr char kSelectValues[] =
    "SELECT v.name, v.type, v.data FROM keys k JOIN vals v ON v.key = k.id "
    "WHERE k.root = ?1 AND k.path = ?2 ORDER BY v.rowid";

bool IsBusy(int rc) {
  rc &= 0xFF;
  return rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
}

bool IsDamage(int rc) {
  rc &= 0xFF;
  return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT;
}

// Calls `attempt` again while it finds the store busy, within the retry window.
template <typename Attempt>
int RetryWhileBusy(Attempt&& attempt) {
  int rc = attempt();
  if (!IsBusy(rc)) return rc;
  const auto deadline = std::chrono::steady_clock::now() + kBusyRetryWindow;
  for (int round = 1; IsBusy(rc) && std::chrono::steady_clock::now() < deadline; ++round) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10 * std::min(round, 5)));
    rc = attempt();
  }
  return rc;
}

int RootNumber(RegistryRoot root) {
  const int number = static_cast<int>(root);
  assert(number >= 0 && number < static_cast<int>(std::size(kRootNames)));
  return number;
}

// Parameters are bound without a copy: every caller keeps the bytes alive until the statement
// is reset, and binds every parameter again before the next step.
void BindText(sqlite3_stmt* statement, int index, std::string_view text) {
  sqlite3_bind_text(statement, index, text.empty() ? "" : text.data(),
                    static_cast<int>(text.size()), SQLITE_STATIC);
}

void BindBlob(sqlite3_stmt* statement, int index, std::string_view bytes) {
  // A null pointer would bind NULL, which the schema refuses; an empty blob is a value.
  sqlite3_bind_blob64(statement, index, bytes.empty() ? "" : bytes.data(), bytes.size(),
                      SQLITE_STATIC);
}

std::string ColumnBytes(sqlite3_stmt* statement, int column) {
  const void* bytes = sqlite3_column_blob(statement, column);
  const int size = sqlite3_column_bytes(statement, column);
  if (bytes == nullptr) return {};
  return std::string(static_cast<const char*>(bytes), static_cast<size_t>(size));
}

std::string ColumnText(sqlite3_stmt* statement, int column) {
  const unsigned char* text = sqlite3_column_text(statement, column);
  const int size = sqlite3_column_bytes(statement, column);
  if (text == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size));
}

// Steps a statement to its first row, retrying while another connection holds the store.
int FirstStep(sqlite3_stmt* statement) {
  bool again = false;
  return RetryWhileBusy([&] {
    if (again) sqlite3_reset(statement);
    again = true;
    return sqlite3_step(statement);
  });
}

// Runs a statement that returns no rows, leaving it reset; SQLITE_OK on success.
int Run(sqlite3_stmt* statement) {
  const int rc = sqlite3_step(statement);
  sqlite3_reset(statement);
  return rc == SQLITE_DONE || rc == SQLITE_ROW ? SQLITE_OK : rc;
}

// A reset statement releases its read transaction, so every read path resets on the way out.
class ResetOnExit {
 public:
  explicit ResetOnExit(sqlite3_stmt* statement) : statement_(statement) {}
  ~ResetOnExit() { sqlite3_reset(statement_); }
  ResetOnExit(const ResetOnExit&) = delete;
  ResetOnExit& operator=(const ResetOnExit&) = delete;

 private:
  sqlite3_stmt* statement_;
};

// Runs opening-time SQL, retrying while another process holds the store. Switching the journal
// mode in particular fails at once, without the busy handler, while a peer is creating the store.
int Exec(sqlite3* db, const char* sql) {
  return RetryWhileBusy([&] { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); });
}

// One-off statements of opening time, returning a single text or number.
int QuerySingle(sqlite3* db, const char* sql, std::optional<std::string>& result) {
  sqlite3_stmt* statement = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  result.reset();
  if (rc == SQLITE_OK) {
    rc = FirstStep(statement);
    if (rc == SQLITE_ROW) result = ColumnText(statement, 0);
    rc = rc == SQLITE_ROW || rc == SQLITE_DONE ? SQLITE_OK : rc;
  }
  sqlite3_finalize(statement);
  return rc;
}

enum class Contents { kEmpty, kStore, kForeign, kNewer };

int ReadContents(sqlite3* db, Contents& contents) {
  std::optional<std::string> count;
  int rc = QuerySingle(db, "SELECT count(*) FROM sqlite_schema", count);
  if (rc != SQLITE_OK) return rc;
  if (count == "0") {
    contents = Contents::kEmpty;
    return SQLITE_OK;
  }
  contents = Contents::kForeign;
  rc = QuerySingle(db, "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'meta'",
                   count);
  if (rc != SQLITE_OK || count != "1") return rc;
  std::optional<std::string> format, version;
  // A table called meta of another shape is another program's, not damage.
  if (QuerySingle(db, "SELECT value FROM meta WHERE name = 'format'", format) != SQLITE_OK ||
      format != kFormatName) {
    return SQLITE_OK;
  }
  rc = QuerySingle(db, "SELECT value FROM meta WHERE name = 'version'", version);
  if (rc != SQLITE_OK) return rc;
  contents = version == std::to_string(kFormatVersion) ? Contents::kStore : Contents::kNewer;
  return SQLITE_OK;
}

int CreateSchema(sqlite3* db) {
  int rc = sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return rc;
  const std::string meta = std::string("INSERT INTO meta VALUES('format', '") + kFormatName +
                           "'), ('version', " + std::to_string(kFormatVersion) + ")";
  rc = sqlite3_exec(db, meta.c_str(), nullptr, nullptr, nullptr);
  for (size_t root = 0; rc == SQLITE_OK && root < std::size(kRootNames); ++root) {
    const std::string insert = "INSERT INTO keys(root, path, parent, name, fold) VALUES(" +
                               std::to_string(root) + ", '', 0, '" + kRootNames[root] + "', '" +
                               kRootNames[root] + "')";
    rc = sqlite3_exec(db, insert.c_str(), nullptr, nullptr, nullptr);
  }
  return rc;
}

enum class Verdict { kReady, kNotAStore, kFailed };

struct Judgement {
  Verdict verdict;
  std::string detail;
};

Judgement Judge(int rc, sqlite3* db, const char* doing) {
  std::string detail = std::string(doing) + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
  return {IsDamage(rc) ? Verdict::kNotAStore : Verdict::kFailed, detail};
}

// Makes an opened connection ready for use, or says why the file cannot serve as the store.
// Nothing is written to a file before it is known to be a store or empty.
Judgement MakeReady(sqlite3* db) {
  Contents contents;
  int rc = ReadContents(db, contents);
  if (rc != SQLITE_OK) return Judge(rc, db, "reading its tables");
  if (contents == Contents::kForeign) return {Verdict::kNotAStore, "it holds other data"};
  if (contents == Contents::kNewer) {
    return {Verdict::kFailed, "it was made by a newer version of Quillon"};
  }
  if (contents == Contents::kStore) {
    // The store is small, so a full pass over its pages on opening is cheap; it finds a
    // truncated or overwritten file before a write could build on the damage.
    std::optional<std::string> check;
    rc = QuerySingle(db, "PRAGMA quick_check(1)", check);
    if (rc != SQLITE_OK) return Judge(rc, db, "checking it");
    if (check != "ok") return {Verdict::kNotAStore, "it is damaged: " + check.value_or("?")};
  }
  rc = Exec(db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL");
  if (rc != SQLITE_OK) return Judge(rc, db, "setting the journal");
  if (contents == Contents::kEmpty) {
    // Another process may be creating the same store; the write lock makes one of them do it.
    rc = Exec(db, "BEGIN IMMEDIATE");
    if (rc != SQLITE_OK) return Judge(rc, db, "creating it");
    rc = ReadContents(db, contents);
    if (rc == SQLITE_OK && contents == Contents::kEmpty) rc = CreateSchema(db);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      Judgement judgement = Judge(rc, db, "creating it");
      sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
      return judgement;
    }
    if (contents == Contents::kForeign) return {Verdict::kNotAStore, "it holds other data"};
  }
  return {Verdict::kReady, {}};
}

// Renames without ever replacing an existing file; 0 or an errno value.
int RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // Some file systems lack the no-replace rename; a hard link refuses an existing name as well.
  if (link(from.c_str(), to.c_str()) != 0) return errno;
  unlink(from.c_str());
  return 0;
}

// Moves a file that is not a store to the first free name "<file>.corrupt-N".
std::optional<std::string> KeepAside(const std::string& file, std::string& error) {
  for (int n = 1; n < 10000; ++n) {
    const std::string aside = file + ".corrupt-" + std::to_string(n);
    const int err = RenameNoReplace(file, aside);
    if (err == EEXIST) continue;
    if (err != 0) {
      error = std::strerror(err);
      return std::nullopt;
    }
    // The journal belongs to the bad file: left in place, SQLite would replay it into the fresh
    // store. It goes with the file, so that both can be looked at together.
    if (RenameNoReplace(file + "-wal", aside + "-wal") != 0) unlink((file + "-wal").c_str());
    unlink((file + "-shm").c_str());
    return aside;
  }
  error = "no free name to keep it under";
  return std::nullopt;
}

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

}  // namespace

void SqliteRegistry::StatementDeleter::operator()(sqlite3_stmt* statement) const {
  sqlite3_finalize(statement);
}

SqliteRegistry::SqliteRegistry(sqlite3* db) : db_(db) {}

SqliteRegistry::~SqliteRegistry() {
  // The statements are finalized after this body runs; close_v2 waits for them.
  sqlite3_close_v2(db_);
}

SqliteRegistry::Opened SqliteRegistry::Open(const std::filesystem::path& file) {
  Opened opened;
  std::string kept_aside;
  for (int round = 0; round < 2; ++round) {
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(file.c_str(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    Judgement judgement;
    if (rc == SQLITE_OK) {
      sqlite3_extended_result_codes(db, 1);
      sqlite3_busy_timeout(db, kBusyTimeoutMs);
      judgement = MakeReady(db);
    } else {
      judgement = Judge(rc, db, "opening it");
    }
    if (judgement.verdict == Verdict::kReady) {
      std::unique_ptr<SqliteRegistry> registry(new SqliteRegistry(db));
      if (registry->Prepare()) {
        opened.registry = std::move(registry);
        if (!kept_aside.empty()) opened.problem = kept_aside;
        return opened;
      }
      judgement = Judge(sqlite3_errcode(db), db, "preparing its statements");
      judgement.verdict = Verdict::kFailed;
    } else {
      sqlite3_close_v2(db);
    }
    if (judgement.verdict == Verdict::kNotAStore && round == 0) {
      std::string error;
      const std::optional<std::string> aside = KeepAside(file, error);
      if (!aside) {
        opened.problem = "The settings store " + file.string() + " is not usable (" +
                         judgement.detail + ") and could not be kept aside: " + error + ".";
        return opened;
      }
      kept_aside = "The settings store " + file.string() + " was not usable (" + judgement.detail +
                   "); it was kept aside as " + *aside + " and a fresh store was made.";
      continue;
    }
    opened.problem = (kept_aside.empty() ? "" : kept_aside + " ") + "The settings store " +
                     file.string() + " could not be opened (" + judgement.detail + ").";
    return opened;
  }
  return opened;
}

std::optional<std::filesystem::path> SqliteRegistry::DefaultPath() {
  std::filesystem::path folder;
  if (auto home = Variable("QUILLON_HOME")) {
    folder = *home;
  } else if (auto config = Variable("XDG_CONFIG_HOME")) {
    folder = std::filesystem::path(*config) / "quillon";
  } else if (auto user_home = Variable("HOME")) {
    folder = std::filesystem::path(*user_home) / ".config" / "quillon";
  } else {
    return std::nullopt;
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return std::nullopt;
  return folder / "registry.sqlite3";
}

bool SqliteRegistry::Prepare() {
  const std::pair<Statement*, const char*> statements[] = {
      {&begin_, "BEGIN IMMEDIATE"},
      {&commit_, "COMMIT"},
      {&rollback_, "ROLLBACK"},
      {&data_version_, "PRAGMA data_version"},
      {&find_key_, kSelectKey},
      {&insert_key_, kInsertKey},
      {&get_value_, kSelectValue},
      {&set_value_, kUpsertValue},
      {&delete_value_, kDeleteValue},
      {&delete_tree_values_, kDeleteTreeValues},
      {&delete_tree_keys_, kDeleteTreeKeys},
      {&sub_keys_, kSelectSubKeys},
      {&values_, kSelectValues},
  };
  for (const auto& [statement, sql] : statements) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &raw, nullptr) != SQLITE_OK) {
      return false;
    }
    statement->reset(raw);
  }
  // A file system without shared memory leaves the store in another journal mode; the cache then
  // asks SQLite every time.
  std::optional<std::string> mode;
  wal_mode_ = QuerySingle(db_, "PRAGMA journal_mode", mode) == SQLITE_OK && mode == "wal";
  return true;
}

template <typename Body>
int SqliteRegistry::Transact(Body&& body) {
  return RetryWhileBusy([&] {
    int rc = Run(begin_.get());
    if (rc == SQLITE_OK) {
      rc = body();
      if (rc == SQLITE_OK) rc = Run(commit_.get());
      if (!sqlite3_get_autocommit(db_)) Run(rollback_.get());
    }
    // The data version does not move for this connection's own commits, so the cache cannot
    // notice them by itself.
    cache_.clear();
    return rc;
  });
}

int SqliteRegistry::FindKey(RegistryRoot root, const std::string& folded_path, int64_t& id) {
  sqlite3_stmt* statement = find_key_.get();
  ResetOnExit reset(statement);
  sqlite3_bind_int(statement, 1, RootNumber(root));
  BindText(statement, 2, folded_path);
  const int rc = FirstStep(statement);
  id = rc == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : 0;
  return rc == SQLITE_ROW || rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int SqliteRegistry::EnsureKey(RegistryRoot root, const KeyPath& path, bool create, int64_t& id) {
  int rc = FindKey(root, path.folded, id);
  if (rc != SQLITE_OK || id != 0 || !create) return rc;
  std::string folded;
  rc = FindKey(root, folded, id);
  if (rc != SQLITE_OK) return rc;
  if (id == 0) return SQLITE_CORRUPT;  // every store is made with its roots
  for (std::string_view level : path.levels) {
    const std::string level_folded = FoldName(level);
    if (!folded.empty()) folded += '\\';
    folded += level_folded;
    const int64_t parent = id;
    rc = FindKey(root, folded, id);
    if (rc != SQLITE_OK) return rc;
    if (id != 0) continue;
    sqlite3_stmt* insert = insert_key_.get();
    sqlite3_bind_int(insert, 1, RootNumber(root));
    BindText(insert, 2, folded);
    sqlite3_bind_int64(insert, 3, parent);
    BindText(insert, 4, level);
    BindText(insert, 5, level_folded);
    rc = Run(insert);
    if (rc != SQLITE_OK) return rc;
    id = sqlite3_last_insert_rowid(db_);
  }
  return SQLITE_OK;
}

void SqliteRegistry::MapWalIndex() {
  sqlite3_file* file = nullptr;
  if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
      file == nullptr || file->pMethods == nullptr || file->pMethods->iVersion < 2 ||
      file->pMethods->xShmMap == nullptr) {
    return;
  }
  // SQLite maps the index in regions of this size and refuses any other; region 0 is the one this
  // connection already holds, so no new mapping is made, and it stays until the connection closes.
  constexpr int kWalIndexRegionBytes = 32 * 1024;
  volatile void* region = nullptr;
  if (file->pMethods->xShmMap(file, 0, kWalIndexRegionBytes, 0, &region) == SQLITE_OK) {
    wal_index_ = static_cast<const volatile uint32_t*>(region);
  }
}

bool SqliteRegistry::CacheIsCurrent() {
  // The first copy of the WAL index header, which a committing writer updates last. A read torn
  // by a concurrent commit differs from the saved copy and only sends this call the slow way.
  std::array<uint32_t, 12> header{};
  if (wal_index_ != nullptr) {
    for (size_t i = 0; i < header.size(); ++i) header[i] = wal_index_[i];
    std::atomic_thread_fence(std::memory_order_acquire);
    if (wal_header_valid_ && header == wal_header_seen_) return true;
  }
  sqlite3_stmt* statement = data_version_.get();
  ResetOnExit reset(statement);
  if (FirstStep(statement) != SQLITE_ROW) {
    cache_.clear();
    wal_header_valid_ = false;
    return false;
  }
  const int64_t version = sqlite3_column_int64(statement, 0);
  if (version != cache_version_) {
    cache_.clear();
    cache_version_ = version;
  }
  // The header was read before the data version, so any commit after it moves the header again.
  if (wal_index_ != nullptr) {
    wal_header_seen_ = header;
    wal_header_valid_ = true;
  } else if (wal_mode_) {
    MapWalIndex();  // after this statement the connection has surely opened the index
  }
  return true;
}

RegistryStatus SqliteRegistry::CreateKey(RegistryRoot root, std::string_view path) {
  const std::optional<KeyPath> parsed = KeyPath::Parse(path);
  if (!parsed || parsed->levels.empty()) return RegistryStatus::kBadName;
  int64_t id = 0;
  const int rc = Transact([&] { return EnsureKey(root, *parsed, true, id); });
  return rc == SQLITE_OK ? RegistryStatus::kOk : RegistryStatus::kIoError;
}

bool SqliteRegistry::KeyExists(RegistryRoot root, std::string_view path) {
  const std::optional<KeyPath> parsed = KeyPath::Parse(path);
  if (!parsed) return false;
  int64_t id = 0;
  return EnsureKey(root, *parsed, false, id) == SQLITE_OK && id != 0;
}

RegistryStatus SqliteRegistry::DeleteKey(RegistryRoot root, std::string_view path) {
  const std::optional<KeyPath> parsed = KeyPath::Parse(path);
  if (!parsed || parsed->levels.empty()) return RegistryStatus::kBadName;
  const std::string below = parsed->folded + '\\';
  const std::string beyond = parsed->folded + ']';
  bool found = false;
  const int rc = Transact([&] {
    for (sqlite3_stmt* statement : {delete_tree_values_.get(), delete_tree_keys_.get()}) {
      sqlite3_bind_int(statement, 1, RootNumber(root));
      BindText(statement, 2, parsed->folded);
      BindText(statement, 3, below);
      BindText(statement, 4, beyond);
      if (const int step = Run(statement); step != SQLITE_OK) return step;
    }
    found = sqlite3_changes(db_) > 0;
    return SQLITE_OK;
  });
  if (rc != SQLITE_OK) return RegistryStatus::kIoError;
  return found ? RegistryStatus::kOk : RegistryStatus::kNotFound;
}

std::optional<RegistryValue> SqliteRegistry::GetValue(RegistryRoot root, std::string_view path,
                                                      std::string_view name) {
  const std::optional<KeyPath> parsed = KeyPath::Parse(path);
  if (!parsed || name.find('\0') != std::string_view::npos) return std::nullopt;
  const std::string folded_name = FoldName(name);
  std::string cache_key;
  cache_key.reserve(parsed->folded.size() + folded_name.size() + 2);
  cache_key += static_cast<char>('0' + RootNumber(root));
  cache_key += parsed->folded;
  cache_key += '\0';
  cache_key += folded_name;

  const bool cache_usable = CacheIsCurrent();
  if (cache_usable) {
    if (auto hit = cache_.find(cache_key); hit != cache_.end()) return hit->second;
  }
  sqlite3_stmt* statement = get_value_.get();
  ResetOnExit reset(statement);
  sqlite3_bind_int(statement, 1, RootNumber(root));
  BindText(statement, 2, parsed->folded);
  BindText(statement, 3, folded_name);
  const int rc = FirstStep(statement);
  std::optional<RegistryValue> value;
  if (rc == SQLITE_ROW) {
    value = RegistryValue{static_cast<RegistryType>(sqlite3_column_int64(statement, 0)),
                          ColumnBytes(statement, 1)};
  } else if (rc != SQLITE_DONE) {
    return std::nullopt;  // a failed read says nothing about the store, so it is not cached
  }
  if (cache_usable && (!value || value->data.size() <= kMaxCachedValueBytes)) {
    if (cache_.size() >= kMaxCacheEntries) cache_.clear();
    cache_.emplace(std::move(cache_key), value);
  }
  return value;
}

RegistryStatus SqliteRegistry::SetValue(RegistryRoot root, std::string_view path,
                                        std::string_view name, const RegistryValue& value) {
  const std::optional<KeyPath> parsed = KeyPath::Parse(path);
  if (!parsed || name.find('\0') != std::string_view::npos) return RegistryStatus::kBadName;
  const std::string folded_name = FoldName(name);
  const int rc = Transact([&] {
    int64_t id = 0;
    if (const int found = EnsureKey(root, *parsed, true, id); found != SQLITE_OK) return found;
    sqlite3_stmt* statement = set_value_.get();
    sqlite3_bind_int64(statement, 1, id);
    BindText(statement, 2, folded_name);
    BindText(statement, 3, name);
    sqlite3_bind_int64(statement, 4, static_cast<int64_t>(value.type));
    BindBlob(statement, 5, value.data);
    return Run(statement);
  });
  return rc == SQLITE_OK ? RegistryStatus::kOk : RegistryStatus::kIoError;
}

RegistryStatus SqliteRegistry::DeleteValue(RegistryRoot root, std::string_view path,
                                           std::string_view name) {
  const std::optional<KeyPath> parsed = KeyPath::Parse(path);
  if (!parsed || name.find('\0') != std::string_view::npos) return RegistryStatus::kBadName;
  const std::string folded_name = FoldName(name);
  bool found = false;
  const int rc = Transact([&] {
    sqlite3_stmt* statement = delete_value_.get();
    sqlite3_bind_int(statement, 1, RootNumber(root));
    BindText(statement, 2, parsed->folded);
    BindText(statement, 3, folded_name);
    const int step = Run(statement);
    found = sqlite3_changes(db_) > 0;
    return step;
  });
  if (rc != SQLITE_OK) return RegistryStatus::kIoError;
  return found ? RegistryStatus::kOk : RegistryStatus::kNotFound;
}

std::vector<std::string> SqliteRegistry::SubKeys(RegistryRoot root, std::string_view path) {
  const std::optional<KeyPath> parsed = KeyPath::Parse(path);
  if (!parsed) return {};
  sqlite3_stmt* statement = sub_keys_.get();
  ResetOnExit reset(statement);
  sqlite3_bind_int(statement, 1, RootNumber(root));
  BindText(statement, 2, parsed->folded);
  std::vector<std::string> names;
  int rc = FirstStep(statement);
  for (; rc == SQLITE_ROW; rc = sqlite3_step(statement)) names.push_back(ColumnText(statement, 0));
  // Half a list would look like a complete one to the caller.
  if (rc != SQLITE_DONE) names.clear();
  return names;
}

std::vector<NamedRegistryValue> SqliteRegistry::Values(RegistryRoot root, std::string_view path) {
  const std::optional<KeyPath> parsed = KeyPath::Parse(path);
  if (!parsed) return {};
  sqlite3_stmt* statement = values_.get();
  ResetOnExit reset(statement);
  sqlite3_bind_int(statement, 1, RootNumber(root));
  BindText(statement, 2, parsed->folded);
  std::vector<NamedRegistryValue> values;
  int rc = FirstStep(statement);
  for (; rc == SQLITE_ROW; rc = sqlite3_step(statement)) {
    values.push_back({ColumnText(statement, 0),
                      {static_cast<RegistryType>(sqlite3_column_int64(statement, 1)),
                       ColumnBytes(statement, 2)}});
  }
  if (rc != SQLITE_DONE) values.clear();
  return values;
}

}  // namespace quillon::os
