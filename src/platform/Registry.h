#pragma once
// The registry: a tree of keys under a few predefined roots, each key holding named, typed
// values. Settings live here (Software\Quillon\...), and the registry search walks it.
//
// Contract:
// - Called on the program's one thread; an implementation may be shared by several processes
//   (each sees the others' committed writes on its next call).
// - Key paths are relative to a root, with "\" between levels ("Software\Quillon\General").
//   A leading or trailing "\" and doubled "\" are ignored. Key and value names are compared
//   without regard to case (ASCII and Latin letters alike) and keep the case they were created with.
// - The value name "" is the key's default value.
// - Every write is atomic and durable: after a crash the store holds the old or the new value.
// - Failures of the outside world come back as a status; nothing throws.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::platform {

enum class RegistryRoot {
  kClassesRoot,
  kCurrentUser,
  kLocalMachine,
  kUsers,
  kCurrentConfig,
};

// The value types the program meets, with the registry's own numbers.
enum class RegistryType : uint32_t {
  kString = 1,        // REG_SZ
  kExpandString = 2,  // REG_EXPAND_SZ
  kBinary = 3,        // REG_BINARY
  kDword = 4,         // REG_DWORD
  kMultiString = 7,   // REG_MULTI_SZ
};

// A value's type and raw bytes. String types hold UTF-8 text without a terminator; a number
// holds four bytes, least significant first; a multi-string holds each string followed by a NUL,
// then one more NUL.
struct RegistryValue {
  RegistryType type = RegistryType::kString;
  std::string data;

  static RegistryValue String(std::string_view text);
  static RegistryValue ExpandString(std::string_view text);
  static RegistryValue Dword(uint32_t number);
  static RegistryValue Binary(std::string_view bytes);
  static RegistryValue MultiString(const std::vector<std::string>& strings);

  // The number of a kDword value (0 when the bytes are short).
  uint32_t AsDword() const;
  // The strings of a kMultiString value.
  std::vector<std::string> AsMultiString() const;

  bool operator==(const RegistryValue&) const = default;
};

enum class RegistryStatus {
  kOk,
  kNotFound,  // the key (or value) does not exist
  kBadName,   // an empty path where a key is needed, or a name with a NUL
  kIoError,   // the store could not be read or written
};

struct NamedRegistryValue {
  std::string name;
  RegistryValue value;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Creates the key and every missing level above it. An existing key is kept as it is.
  virtual RegistryStatus CreateKey(RegistryRoot root, std::string_view path) = 0;
  virtual bool KeyExists(RegistryRoot root, std::string_view path) = 0;
  // Deletes the key with all its subkeys and values. The root itself cannot be deleted.
  virtual RegistryStatus DeleteKey(RegistryRoot root, std::string_view path) = 0;

  // nullopt when the key or the value does not exist.
  virtual std::optional<RegistryValue> GetValue(RegistryRoot root, std::string_view path,
                                                std::string_view name) = 0;
  // Writes (creating or replacing) a value; the key is created when missing. Replacing a value
  // keeps its place in the creation order.
  virtual RegistryStatus SetValue(RegistryRoot root, std::string_view path, std::string_view name,
                                  const RegistryValue& value) = 0;
  virtual RegistryStatus DeleteValue(RegistryRoot root, std::string_view path,
                                     std::string_view name) = 0;

  // The direct subkeys' names, in name order (without regard to case). Empty for a missing key.
  virtual std::vector<std::string> SubKeys(RegistryRoot root, std::string_view path) = 0;
  // The key's values in the order they were created. Empty for a missing key.
  virtual std::vector<NamedRegistryValue> Values(RegistryRoot root, std::string_view path) = 0;
};

}  // namespace quillon::platform
