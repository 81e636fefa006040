#include "transfer/PlainFileName.h"

#include <array>

#include "text/Utf8.h"

namespace quillon::transfer {
namespace {

constexpr size_t kMaxNameBytes = 255;
constexpr size_t kMaxKeptExtension = 16;
constexpr std::string_view kFallbackName = "received.bin";

bool IsSeparator(char32_t c) { return c == U'/' || c == U'\\' || c == U':'; }

bool IsDropped(char32_t c) {
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
  return c == U'<' || c == U'>' || c == U'"' || c == U'|' || c == U'?' || c == U'*';
}

void TrimTrailingDotsAndBlanks(std::u32string& name) {
  while (!name.empty() && (name.back() == U'.' || name.back() == U' ')) name.pop_back();
}

char32_t UpperAscii(char32_t c) { return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c; }

// Windows opens a device for these names whatever extension follows them.
bool IsDeviceName(const std::u32string& name) {
  std::u32string base = name.substr(0, name.find(U'.'));
  while (!base.empty() && base.back() == U' ') base.pop_back();
  for (auto& c : base) c = UpperAscii(c);
  static constexpr std::array<std::u32string_view, 6> kFixed = {U"CON", U"PRN",    U"AUX",
                                                                U"NUL", U"CONIN$", U"CONOUT$"};
  for (auto device : kFixed) {
    if (base == device) return true;
  }
  return base.size() == 4 && (base.starts_with(U"COM") || base.starts_with(U"LPT")) &&
         base[3] >= U'1' && base[3] <= U'9';
}

size_t Utf8Size(std::u32string_view text) { return text::EncodeUtf8(text).size(); }

// Drops characters from the end of the stem until the whole name fits.
void Shorten(std::u32string& name) {
  if (Utf8Size(name) <= kMaxNameBytes) return;
  size_t dot = name.rfind(U'.');
  std::u32string extension;
  if (dot != std::u32string::npos && dot > 0 &&
      Utf8Size(std::u32string_view(name).substr(dot)) <= kMaxKeptExtension) {
    extension = name.substr(dot);
    name.erase(dot);
  }
  const size_t budget = kMaxNameBytes - Utf8Size(extension);
  size_t bytes = 0;
  size_t keep = 0;
  for (; keep < name.size(); ++keep) {
    const size_t size = Utf8Size(std::u32string_view(&name[keep], 1));
    if (bytes + size > budget) break;
    bytes += size;
  }
  name.erase(keep);
  TrimTrailingDotsAndBlanks(name);
  name += extension;
}

}  // namespace

std::string PlainFileName(std::string_view offered_name) {
  const std::u32string offered = text::DecodeUtf8(offered_name);
  std::u32string name;
  for (char32_t c : offered) {
    if (IsSeparator(c)) {
      name.clear();
    } else if (!IsDropped(c)) {
      name += c;
    }
  }
  TrimTrailingDotsAndBlanks(name);
  if (name.empty()) return std::string(kFallbackName);
  if (IsDeviceName(name)) name.insert(0, 1, U'_');
  Shorten(name);
  return text::EncodeUtf8(name);
}

}  // namespace quillon::transfer
