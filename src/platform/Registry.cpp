#include "platform/Registry.h"

namespace quillon::platform {

RegistryValue RegistryValue::String(std::string_view text) {
  return {RegistryType::kString, std::string(text)};
}

RegistryValue RegistryValue::ExpandString(std::string_view text) {
  return {RegistryType::kExpandString, std::string(text)};
}

RegistryValue RegistryValue::Dword(uint32_t number) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  return {RegistryType::kDword, bytes};
}

RegistryValue RegistryValue::Binary(std::string_view bytes) {
  return {RegistryType::kBinary, std::string(bytes)};
}

RegistryValue RegistryValue::MultiString(const std::vector<std::string>& strings) {
  std::string bytes;
  for (const auto& s : strings) {
    bytes += s;
    bytes += '\0';
  }
  bytes += '\0';
  return {RegistryType::kMultiString, bytes};
}

uint32_t RegistryValue::AsDword() const {
  if (data.size() < 4) return 0;
  uint32_t number = 0;
  for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<uint8_t>(data[i]);
  return number;
}

std::vector<std::string> RegistryValue::AsMultiString() const {
  std::vector<std::string> strings;
  size_t start = 0;
  while (start < data.size()) {
    size_t end = data.find('\0', start);
    if (end == std::string::npos) end = data.size();
    if (end == start) break;  // the closing empty string
    strings.emplace_back(data.substr(start, end - start));
    start = end + 1;
  }
  return strings;
}

}  // namespace quillon::platform
