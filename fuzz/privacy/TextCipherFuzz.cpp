// Decryption must take any text, and a text without NUL must come back from a round trip with at
// most blank padding added.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "privacy/TextCipher.h"
#include "text/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string key = input.substr(0, input.size() % 21);
  quillon::privacy::DecryptText(input, key);

  // Invitation payloads are a few dozen characters; longer inputs only slow the search down.
  std::string bytes = input.substr(0, 64);
  for (auto& c : bytes) {
    if (c == '\0') c = 'x';
  }
  const std::string text = quillon::text::Cp1252ToUtf8(bytes);
  const std::string back =
      quillon::privacy::DecryptText(quillon::privacy::EncryptText(text, key), key);
  if (back.compare(0, text.size(), text) != 0) std::abort();
  if (back.find_first_not_of(' ', text.size()) != std::string::npos) std::abort();
  return 0;
}
