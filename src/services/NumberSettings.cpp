#include "services/NumberSettings.h"

#include <cmath>

#include "platform/ScriptValue.h"
#include "text/NumberText.h"

namespace quillon::services {

namespace {

std::optional<double> Rounded(std::string_view text) {
  double value = 0;
  if (!text::ParseNumber(text, value) || !std::isfinite(value)) {
    return std::nullopt;
  }
  return std::nearbyint(value);
}

}  // namespace

const NumberSetting* NumberSettings::Find(std::string_view name) {
  for (const NumberSetting& setting : kAll) {
    if (setting.name == name) return &setting;
  }
  return nullptr;
}

std::optional<int32_t> NumberSettings::Parse(const NumberSetting& setting, std::string_view text) {
  std::optional<double> value = Rounded(text);
  if (!value || !(*value >= setting.lowest && *value <= setting.highest)) return std::nullopt;
  return static_cast<int32_t>(*value);
}

std::string NumberSettings::Problem(const NumberSetting& setting, std::string_view text) {
  std::string start = "The stored value of " + std::string(setting.name);
  std::optional<double> value = Rounded(text);
  if (!value) return start + " is not a number.";
  if (!(*value >= setting.lowest && *value <= setting.highest)) {
    return start + " is not a number from " + std::to_string(setting.lowest) + " to " +
           std::to_string(setting.highest) + ".";
  }
  return {};
}

}  // namespace quillon::services
