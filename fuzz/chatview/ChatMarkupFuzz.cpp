// Conversation markup holds whatever contacts typed. Rewriting it must stay inside the markup,
// never grow without bound, keep what it does not rewrite, and never let an address out of the
// attribute it is put in.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "chatview/MarkupRules.h"

namespace {

using quillon::chatview::MarkupRules;

void Check(bool holds) {
  if (!holds) std::abort();
}

size_t Characters(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  std::string markup(input);
  MarkupRules::ReplaceTagPair(markup, "[U]", "<U>", "[/U]", "</U>");
  MarkupRules::ReplaceTagPair(markup, "[CODE]", "<CODE>", "[/CODE]", "</CODE>");
  const size_t tail_start = MarkupRules::TailStart(markup);
  Check(tail_start <= markup.size());
  Check(Characters(std::string_view(markup).substr(tail_start)) <= MarkupRules::kTailCharacters);
  const std::string head = markup.substr(0, tail_start);
  std::string tail = markup.substr(tail_start);
  for (const char* code : {":(", ";)", ":)", ":x", ":D", ":O", ":P"}) {
    MarkupRules::ReplaceSmiley(tail, code, "/q/");
  }
  size_t looked_at = 0;
  MarkupRules::ReplaceCustomPictures(tail, [&] { ++looked_at; });
  Check(looked_at <= input.size());

  // What the picture rule puts in an attribute is always a safe address.
  const std::string address = MarkupRules::PictureAddress(input);
  Check(address.find_first_of("\"<>") == std::string::npos);

  // A clear keeps a prefix of the conversation and ends with its notice.
  const std::string cleared = MarkupRules::ClearedMarkup(input);
  constexpr std::string_view kNotice = "<P>**Cleared**<P>";
  Check(cleared.size() >= kNotice.size());
  const size_t kept = cleared.size() - kNotice.size();
  Check(std::string_view(cleared).substr(kept) == kNotice);
  Check(input.substr(0, kept) == std::string_view(cleared).substr(0, kept));

  const std::string typed = MarkupRules::WithoutEmoticonSpans(input);
  Check(typed.size() <= input.size());
  return 0;
}
