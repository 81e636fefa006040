#include "privacy/TextCipher.h"

#include "privacy/Skipjack.h"
#include "text/CodePage.h"

namespace quillon::privacy {
namespace {

constexpr size_t kPlainBlock = 6;
constexpr size_t kCipherBlock = 16;
constexpr char kHexDigits[] = "0123456789ABCDEF";

// The value of a hexadecimal digit; anything else counts as 0, as the key text and cipher text
// may come from anywhere.
uint8_t HexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
  return 0;
}

// The key text is read as up to ten hexadecimal pairs; missing pairs are zero bytes.
Skipjack KeyFromText(std::string_view key_text) {
  const std::string bytes = text::Utf8ToCp1252(key_text);
  Skipjack::Key key{};
  for (size_t i = 0; i < key.size(); ++i) {
    const uint8_t high = 2 * i < bytes.size() ? HexValue(bytes[2 * i]) : 0;
    const uint8_t low = 2 * i + 1 < bytes.size() ? HexValue(bytes[2 * i + 1]) : 0;
    key[i] = static_cast<uint8_t>(16 * high + low);
  }
  return Skipjack(key);
}

}  // namespace

std::string EncryptText(std::string_view plain_text, std::string_view key_text) {
  const std::string bytes = text::Utf8ToCp1252(plain_text);
  if (bytes.empty()) return {};
  const Skipjack cipher = KeyFromText(key_text);
  std::string out;
  out.reserve((bytes.size() + kPlainBlock - 1) / kPlainBlock * kCipherBlock);
  for (size_t start = 0; start < bytes.size(); start += kPlainBlock) {
    Skipjack::Block block{};
    for (size_t i = 0; i < kPlainBlock; ++i) {
      block[i] = start + i < bytes.size() ? static_cast<uint8_t>(bytes[start + i]) : ' ';
    }
    for (uint8_t byte : cipher.Encrypt(block)) {
      out += kHexDigits[byte >> 4];
      out += kHexDigits[byte & 0xf];
    }
  }
  return out;
}

std::string DecryptText(std::string_view cipher_text, std::string_view key_text) {
  // Converting first makes every character one byte, so blocks are counted in characters.
  const std::string digits = text::Utf8ToCp1252(cipher_text);
  const Skipjack cipher = KeyFromText(key_text);
  std::string bytes;
  for (size_t start = 0; start + kCipherBlock <= digits.size(); start += kCipherBlock) {
    Skipjack::Block block;
    for (size_t i = 0; i < block.size(); ++i) {
      block[i] = static_cast<uint8_t>(16 * HexValue(digits[start + 2 * i]) +
                                      HexValue(digits[start + 2 * i + 1]));
    }
    for (uint8_t byte : cipher.Decrypt(block)) {
      if (byte == 0) break;
      bytes += static_cast<char>(byte);
    }
  }
  return text::Cp1252ToUtf8(bytes);
}

}  // namespace quillon::privacy
