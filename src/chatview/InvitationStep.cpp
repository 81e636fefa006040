#include "chatview/InvitationStep.h"

#include <charconv>
#include <optional>

#include "chatview/MarkupRules.h"
#include "services/SettingsStore.h"
#include "transfer/Invitation.h"

namespace quillon::chatview {
namespace {

constexpr std::string_view kSection = "FTNum";

// A stored invitation number: decimal digits, perhaps between blanks. Anything else matches none.
std::optional<int> StoredNumber(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.front() == '-') {
    return std::nullopt;
  }
  return value;
}

std::string RecentName(int index) { return "Recent" + std::to_string(index); }

}  // namespace

bool InvitationStep::Holds(std::string_view name, int number) {
  return StoredNumber(settings_.ReadSetting(name, "", kSection)) == number;
}

void InvitationStep::Run(std::string& markup) {
  std::string tag;
  std::string typed;
  for (size_t from = 0;;) {
    const auto span = transfer::FindInvitationTag(std::string_view(markup).substr(from));
    if (!span) return;
    tag.assign(markup, from + span->begin, span->length);
    // The chat view shows letters of the payload that look like an emoticon ("BD") inside its
    // emoticon span; the payload is what was typed. Any other markup means the tag opens in one
    // message and closes in a later one: taking it out would take out everything between, so it
    // is passed over and the next opening is tried.
    typed = MarkupRules::WithoutEmoticonSpans(tag);
    if (typed.find_first_of("<>") == std::string::npos) break;
    from += span->begin + 1;
  }

  const auto target = transfer::ParseInvitationTag(typed);
  if (!target) {
    MarkupRules::ReplaceAll(markup, tag, kInvalid);
    return;
  }
  bool seen = Holds("Sender1", target->number);
  for (int i = 1; i <= kRecentCount && !seen; ++i) seen = Holds(RecentName(i), target->number);
  if (!seen) {
    for (int i = 1; i < kRecentCount; ++i) {
      settings_.WriteSetting(RecentName(i), settings_.ReadSetting(RecentName(i + 1), "", kSection),
                             kSection);
    }
    settings_.WriteSetting(RecentName(kRecentCount),
                           transfer::FormatInvitationNumber(target->number), kSection);
    if (open_receive_) open_receive_(target->address);
  }
  MarkupRules::ReplaceAll(markup, tag, "");
}

}  // namespace quillon::chatview
