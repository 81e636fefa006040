#pragma once
// A search through a registry tree that reports, as it goes, every key name, value name or value
// text matching a search string. It runs on the program's thread and lets the event loop run
// between keys, so a timer or a handler of its own events can stop it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace quillon::runtime {
class Runtime;
}
namespace quillon::services {
class ErrorReports;
}

namespace quillon::ui {

class cRegSearch {
 public:
  // The predefined root key handles, as the registry numbers them.
  static constexpr uint32_t kClassesRoot = 0x80000000;
  static constexpr uint32_t kCurrentUser = 0x80000001;
  static constexpr uint32_t kLocalMachine = 0x80000002;
  static constexpr uint32_t kUsers = 0x80000003;
  static constexpr uint32_t kPerformanceData = 0x80000004;
  static constexpr uint32_t kCurrentConfig = 0x80000005;
  static constexpr uint32_t kDynData = 0x80000006;

  // SearchFlags bits.
  static constexpr int32_t kValueNames = 1;
  static constexpr int32_t kValueData = 2;
  static constexpr int32_t kWholeText = 4;

  // What a SearchFound reports (lFound).
  static constexpr int32_t kFoundKey = 0;
  static constexpr int32_t kFoundValueName = 1;
  static constexpr int32_t kFoundValueData = 2;

  cRegSearch(runtime::Runtime& runtime, services::ErrorReports& reporter)
      : runtime_(runtime), reporter_(reporter) {}

  std::string SubKey;
  std::string SearchString;
  int32_t SearchFlags = 0;
  uint32_t RootKey = 0;  // 0: every root

  // Runs the whole search and returns when it has finished or was stopped.
  void DoSearch();
  // The running search ends at its next step.
  void StopSearch() { stop_ = 1; }

  // Events.
  std::function<void(const std::string& sRootKey, const std::string& sKey,
                     const std::string& sValue, int32_t lFound)>
      on_search_found;
  std::function<void(int32_t lReason)> on_search_finished;
  std::function<void(const std::string& sFullKeyName)> on_search_key_changed;

  // The name a root handle is reported under; empty for a handle that is no root.
  static std::string RootName(uint32_t root);
  // A value's data as the events show it (GetRegData).
  static std::string GetRegData(const platform::RegistryValue& value);
  // Whether `text` matches `search` under `flags` (letter case ignored).
  static bool Matches(std::string_view text, std::string_view search, int32_t flags);

 private:
  void EnumRegKeys(uint32_t root, const std::string& key_path);
  void EnumRegValues(uint32_t root, const std::string& key_path);
  std::optional<platform::RegistryRoot> RootOf(uint32_t root) const;
  bool CanOpen(uint32_t root, const std::string& key_path);

  runtime::Runtime& runtime_;
  services::ErrorReports& reporter_;
  int32_t stop_ = 0;
  bool searching_ = false;
};

}  // namespace quillon::ui
