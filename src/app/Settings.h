#pragma once
// The settings store as the program uses it: string values under the current user's
// Software\Quillon\<section>, read when needed and written as soon as they change. Reading a
// missing or empty value stores the caller's default on the spot.
#include <string>
#include <string_view>

#include "platform/Registry.h"
#include "services/NumberSettings.h"
#include "services/ProgramFolder.h"
#include "services/SettingsStore.h"

namespace quillon::app {

class ErrorReporter;

using services::AddSlash;
using services::NumberSetting;
using services::NumberSettings;

class Settings : public services::SettingsStore {
 public:
  Settings(platform::Registry& registry, ErrorReporter& reporter)
      : registry_(registry), reporter_(reporter) {}

  std::string ReadSetting(std::string_view name, std::string_view default_value,
                          std::string_view section = "General") override;
  // A setting of the number table (section General): the stored number, or the setting's default
  // when the stored text is not a number in its range. A missing value stores the default.
  int32_t ReadNumber(const NumberSetting& setting) override;

  bool WriteSetting(std::string_view name, std::string_view value,
                    std::string_view section = "General") override;
  using services::SettingsStore::WriteSetting;
  // Writes a string value, creating the key; an empty text is stored as one blank.
  bool UpdateKey(platform::RegistryRoot root, std::string_view key_path, std::string_view name,
                 std::string_view text);
  // A string value as text, a number as its decimal text; anything else (or nothing) as "".
  // Values are read whole, however long.
  std::string GetKeyValue(platform::RegistryRoot root, std::string_view key_path,
                          std::string_view name);
  void DeleteKeyValue(platform::RegistryRoot root, std::string_view key_path,
                      std::string_view name);

  platform::Registry& Registry() { return registry_; }

 private:
  platform::Registry& registry_;
  ErrorReporter& reporter_;
};

}  // namespace quillon::app
