#pragma once
// Prints registry values in test failures as their type and bytes, not as a raw object dump.
#include <cstdio>
#include <ostream>

#include "platform/Registry.h"

namespace quillon::platform {

inline void PrintTo(const RegistryValue& value, std::ostream* out) {
  *out << "{type " << static_cast<uint32_t>(value.type) << ", " << value.data.size() << " bytes \"";
  const size_t shown = value.data.size() < 64 ? value.data.size() : 64;
  for (size_t i = 0; i < shown; ++i) {
    const auto byte = static_cast<unsigned char>(value.data[i]);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      *out << static_cast<char>(byte);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      *out << escaped;
    }
  }
  *out << (shown < value.data.size() ? "\"...}" : "\"}");
}

}  // namespace quillon::platform
