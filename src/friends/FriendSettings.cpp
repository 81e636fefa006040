#include "friends/FriendSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "services/SettingsStore.h"

namespace quillon::friends {

std::string FriendSettings::Read(std::string_view value, std::string_view default_value) {
  return settings_.ReadSetting(value, default_value, Section());
}

void FriendSettings::Write(std::string_view value, std::string_view text) {
  settings_.WriteSetting(value, text, Section());
}

std::optional<double> FriendSettings::ParseNumber(std::string_view text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::nullopt;
  size_t end = text.find_last_not_of(" \t");
  std::string body(text.substr(start, end - start + 1));
  // Only plain decimal forms: strtod would also take hexadecimal, "inf" and "nan".
  for (char c : body) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) {
      return std::nullopt;
    }
  }
  char* used = nullptr;
  double number = std::strtod(body.c_str(), &used);
  if (used != body.c_str() + body.size() || !std::isfinite(number)) return std::nullopt;
  return number;
}

std::optional<bool> FriendSettings::ParseFlag(std::string_view text) {
  std::string lower;
  for (char c : text) {
    if (c != ' ') lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  if (lower == "true") return true;
  if (lower == "false") return false;
  if (auto number = ParseNumber(text)) return *number != 0;
  return std::nullopt;
}

int FriendSettings::Short(std::string_view value, int default_value) {
  std::optional<double> number = ParseNumber(Read(value, std::to_string(default_value)));
  if (!number) return default_value;
  double truncated = std::trunc(*number);
  constexpr double kLow = std::numeric_limits<int16_t>::min();
  constexpr double kHigh = std::numeric_limits<int16_t>::max();
  return static_cast<int>(std::clamp(truncated, kLow, kHigh));
}

bool FriendSettings::Flag(std::string_view value, bool default_value) {
  return ParseFlag(Read(value, default_value ? "True" : "False")).value_or(default_value);
}

std::optional<long long> FriendSettings::Color(std::string_view value,
                                               std::string_view default_value) {
  std::optional<double> number = ParseNumber(Read(value, default_value));
  if (!number || std::fabs(*number) > 2147483647.0) return std::nullopt;
  return std::llround(*number);
}

std::string FriendSettings::Record() { return settings_.ReadSetting(name_, kRemoved, "Friends"); }

void FriendSettings::SetRecord(std::string_view record) {
  settings_.WriteSetting(name_, record, "Friends");
}

}  // namespace quillon::friends
