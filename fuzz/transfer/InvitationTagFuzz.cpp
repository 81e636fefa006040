// Chat markup from anyone: finding and deciphering a tag must stay inside the markup and never
// fail, and a valid tag's number has at most five digits.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "transfer/Invitation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view markup(reinterpret_cast<const char*>(data), size);
  quillon::transfer::ParseInvitationTag(markup);
  const auto span = quillon::transfer::FindInvitationTag(markup);
  if (!span) return 0;
  if (span->begin + span->length > markup.size()) std::abort();
  const auto target =
      quillon::transfer::ParseInvitationTag(markup.substr(span->begin, span->length));
  if (target && (target->number < 0 || target->number > 99999)) std::abort();
  return 0;
}
