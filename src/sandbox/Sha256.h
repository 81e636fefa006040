#pragma once
// SHA-256 of a byte string as lower-case hex, for the sandbox's file checks.
#include <string>
#include <string_view>

namespace quillon::sandbox {

std::string Sha256Hex(std::string_view bytes);

}  // namespace quillon::sandbox
