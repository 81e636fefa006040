#pragma once
// The program's own settings as its parts read and write them: string values under the current
// user's Software\Quillon\<section>. Reading a missing or empty value stores the caller's default
// on the spot; a failed write is reported by the store and answered with false.
#include <cstdint>
#include <string>
#include <string_view>

#include "services/NumberSettings.h"

namespace quillon::services {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  virtual std::string ReadSetting(std::string_view name, std::string_view default_value,
                                  std::string_view section = "General") = 0;
  // A setting of the number table (section General): the stored number, or the setting's default
  // when the stored text is not a number in its range. A missing value stores the default.
  virtual int32_t ReadNumber(const NumberSetting& setting) = 0;
  virtual bool WriteSetting(std::string_view name, std::string_view value,
                            std::string_view section = "General") = 0;
  bool WriteSetting(std::string_view name, long long value, std::string_view section = "General") {
    return WriteSetting(name, std::string_view(std::to_string(value)), section);
  }
};

}  // namespace quillon::services
