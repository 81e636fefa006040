#include "app/Settings.h"

#include "app/ErrorReporter.h"

namespace quillon::app {

namespace {

constexpr std::string_view kRoot = "Software\\Quillon\\";

}  // namespace

std::string Settings::ReadSetting(std::string_view name, std::string_view default_value,
                                  std::string_view section) {
  std::string value = GetKeyValue(platform::RegistryRoot::kCurrentUser,
                                  std::string(kRoot) + std::string(section), name);
  if (value.empty()) {
    WriteSetting(name, default_value, section);
    return std::string(default_value);
  }
  return value;
}

int32_t Settings::ReadNumber(const NumberSetting& setting) {
  std::string text = ReadSetting(setting.name, std::to_string(setting.default_value));
  return NumberSettings::Parse(setting, text).value_or(setting.default_value);
}

bool Settings::WriteSetting(std::string_view name, std::string_view value,
                            std::string_view section) {
  return UpdateKey(platform::RegistryRoot::kCurrentUser, std::string(kRoot) + std::string(section),
                   name, value);
}

bool Settings::UpdateKey(platform::RegistryRoot root, std::string_view key_path,
                         std::string_view name, std::string_view text) {
  if (registry_.CreateKey(root, key_path) != platform::RegistryStatus::kOk) {
    reporter_.ReportError("UpdateKey", nullptr, 0, "Registry", "The key could not be created");
    return false;
  }
  // An empty text is never written: it is stored as a single blank.
  std::string stored = text.empty() ? std::string(" ") : std::string(text);
  if (registry_.SetValue(root, key_path, name, platform::RegistryValue::String(stored)) !=
      platform::RegistryStatus::kOk) {
    reporter_.ReportError("UpdateKey", nullptr, 0, "Registry", "The value could not be written");
    return false;
  }
  return true;
}

std::string Settings::GetKeyValue(platform::RegistryRoot root, std::string_view key_path,
                                  std::string_view name) {
  std::optional<platform::RegistryValue> value = registry_.GetValue(root, key_path, name);
  if (!value) return {};
  switch (value->type) {
    case platform::RegistryType::kString:
    case platform::RegistryType::kExpandString: {
      // Text ends at its first zero byte, as a string value read into a buffer does.
      size_t end = value->data.find('\0');
      return end == std::string::npos ? value->data : value->data.substr(0, end);
    }
    case platform::RegistryType::kDword:
      return std::to_string(value->AsDword());
    default:
      return {};
  }
}

void Settings::DeleteKeyValue(platform::RegistryRoot root, std::string_view key_path,
                              std::string_view name) {
  registry_.DeleteValue(root, key_path, name);
}

}  // namespace quillon::app
