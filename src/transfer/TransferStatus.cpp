#include "transfer/TransferStatus.h"

namespace quillon::transfer {

int ProgressPercent(uint64_t value, uint64_t maximum) {
  if (maximum == 0 || value >= maximum) return 100;
  // 128 bits keep value x 100 exact for any 64-bit size.
  const unsigned __int128 scaled = static_cast<unsigned __int128>(value) * 100;
  const uint64_t whole = static_cast<uint64_t>(scaled / maximum);
  const unsigned __int128 twice_rest = (scaled % maximum) * 2;
  const bool up = twice_rest > maximum || (twice_rest == maximum && whole % 2 == 1);
  return static_cast<int>(whole + (up ? 1 : 0));
}

std::string RateStatus(std::string_view prefix, uint64_t value, uint64_t maximum,
                       uint64_t bytes_last_second) {
  std::string text(prefix);
  text += std::to_string(ProgressPercent(value, maximum));
  text += "%) - ";
  text += std::to_string(bytes_last_second / 1000);
  if (uint64_t fraction = bytes_last_second % 1000; fraction != 0) {
    std::string decimals = std::to_string(1000 + fraction).substr(1);
    decimals.erase(decimals.find_last_not_of('0') + 1);
    text += '.';
    text += decimals;
  }
  text += "kb per second";
  return text;
}

}  // namespace quillon::transfer
