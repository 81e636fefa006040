#include "chatview/MarkupRules.h"

#include <algorithm>
#include <array>
#include <functional>

#include "text/HtmlEscape.h"
#include "text/Strings.h"
#include "text/Utf8.h"

namespace quillon::chatview {
namespace {

constexpr std::string_view kPictureOpen = "[!Quillon:";
constexpr std::string_view kTagClose = "!]";
constexpr std::string_view kCleared = "<P>**Cleared**<P>";
// Longer than any character reference a browser writes ("&thetasym;", "&#1114111;").
constexpr size_t kLongestReference = 12;

// The byte offset of character `count` (0-based), or the size when the text is shorter.
size_t OffsetOfCharacter(std::string_view text, size_t count) {
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text::IsUtf8Continuation(text[i])) continue;
    if (characters == count) return i;
    ++characters;
  }
  return text.size();
}

// True when a cut before byte `cut` falls between a "<" and its ">".
bool InsideTag(std::string_view text, size_t cut) {
  if (cut == 0 || cut >= text.size()) return false;
  const size_t open = text.rfind('<', cut - 1);
  const size_t close = text.rfind('>', cut - 1);
  return open != std::string_view::npos && (close == std::string_view::npos || close < open);
}

// Where the character reference that a cut before byte `cut` splits starts; npos when none.
size_t SplitReference(std::string_view text, size_t cut) {
  if (cut == 0 || cut >= text.size()) return std::string_view::npos;
  const size_t amp = text.rfind('&', cut - 1);
  if (amp == std::string_view::npos || cut - amp > kLongestReference) return std::string_view::npos;
  constexpr std::string_view kEnds = ";&<> \t\r\n";
  if (text.find_first_of(kEnds, amp + 1) < cut) return std::string_view::npos;
  const size_t end = text.find_first_of(kEnds, cut);
  if (end == std::string_view::npos || text[end] != ';' || end - amp > kLongestReference) {
    return std::string_view::npos;
  }
  return amp;
}

size_t CharacterCount(std::string_view text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !text::IsUtf8Continuation(c); }));
}

}  // namespace

size_t MarkupRules::FindNoCase(std::string_view text, std::string_view what, size_t from) {
  return text::FindAsciiNoCase(text, what, from);
}

void MarkupRules::ReplaceAll(std::string& text, std::string_view what, std::string_view with) {
  if (what.empty()) return;
  size_t at = text.find(what);
  if (at == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  for (; at != std::string::npos; at = text.find(what, from)) {
    out.append(text, from, at - from);
    out += with;
    from = at + what.size();
  }
  out.append(text, from, std::string::npos);
  text = std::move(out);
}

void MarkupRules::ReplaceTagPair(std::string& markup, std::string_view open_tag,
                                 std::string_view open_html, std::string_view close_tag,
                                 std::string_view close_html) {
  // Only tags in their exact case are replaced; without one, the presence test cannot matter.
  if (markup.find(open_tag) == std::string::npos && markup.find(close_tag) == std::string::npos) {
    return;
  }
  if (!ContainsNoCase(markup, open_tag) || !ContainsNoCase(markup, close_tag)) return;
  ReplaceAll(markup, open_tag, open_html);
  ReplaceAll(markup, close_tag, close_html);
}

std::string MarkupRules::EmoticonSpan(std::string_view code) {
  std::string span(kEmoticonOpen);
  span += code;
  span += kEmoticonClose;
  return span;
}

std::string MarkupRules::WithoutEmoticonSpans(std::string_view markup) {
  std::string text(markup);
  for (size_t open = text.find(kEmoticonOpen); open != std::string::npos;
       open = text.find(kEmoticonOpen, open)) {
    const size_t close = text.find(kEmoticonClose, open + kEmoticonOpen.size());
    if (close == std::string::npos) break;
    text.erase(close, kEmoticonClose.size());
    text.erase(open, kEmoticonOpen.size());
  }
  return text;
}

std::string MarkupRules::SmileyPicture(std::string_view program_folder, char mouth) {
  std::string picture = "<img src=\"";
  picture += text::EscapeHtml(program_folder);
  picture += "Images/smileys/!";
  picture += text::EscapeHtml(std::string_view(&mouth, 1));
  picture += ".gif\">";
  return picture;
}

void MarkupRules::ReplaceSmiley(std::string& markup, std::string_view code,
                                std::string_view program_folder) {
  ReplaceSmileys(markup, std::span<const std::string_view>(&code, 1), program_folder);
}

// One look at each emoticon span does for every code what replacing each code's spans in turn
// would do: a span holds one form, so "the form occurs somewhere" holds wherever there is a span
// to replace, and a picture never makes a new span (the folder in it is escaped).
void MarkupRules::ReplaceSmileys(std::string& markup, std::span<const std::string_view> codes,
                                 std::string_view program_folder) {
  static const std::boyer_moore_horspool_searcher open_span(kEmoticonOpen.begin(),
                                                            kEmoticonOpen.end());
  auto next_span = [&](size_t from) {
    const auto at =
        std::search(markup.begin() + static_cast<std::ptrdiff_t>(from), markup.end(), open_span);
    return at == markup.end() ? std::string::npos : static_cast<size_t>(at - markup.begin());
  };
  size_t open = next_span(0);
  if (open == std::string::npos) return;
  // The mouth of the form a span holds, and where the span ends; 0 when it holds none.
  auto match = [&](size_t inner, size_t& end) -> char {
    const std::string_view rest = std::string_view(markup).substr(inner);
    for (std::string_view code : codes) {
      if (code.size() != 2) continue;
      const char eyes = code[0];
      const char mouth = code[1];
      const std::array<std::string, 3> forms = {std::string(code), std::string{eyes, '-', mouth},
                                                std::string{'B', mouth}};
      for (const std::string& form : forms) {
        if (rest.starts_with(form) && rest.substr(form.size()).starts_with(kEmoticonClose)) {
          end = inner + form.size() + kEmoticonClose.size();
          return mouth;
        }
      }
    }
    return 0;
  };
  std::string out;
  size_t copied = 0;
  while (open != std::string::npos) {
    size_t end = 0;
    const char mouth = match(open + kEmoticonOpen.size(), end);
    if (mouth == 0) {
      open = next_span(open + 1);
      continue;
    }
    if (out.empty()) out.reserve(markup.size());
    out.append(markup, copied, open - copied);
    out += SmileyPicture(program_folder, mouth);
    copied = end;
    open = next_span(end);
  }
  if (copied == 0) return;
  out.append(markup, copied, std::string::npos);
  markup = std::move(out);
}

size_t MarkupRules::TailStart(std::string_view markup) {
  // The start of the last kTailCharacters characters: the last lead byte from which that many
  // lead bytes (characters) remain. Counted a stretch at a time, since most of a conversation is
  // one byte per character.
  if (markup.size() <= kTailCharacters) return 0;
  auto continuations = [&](size_t from, size_t to) {
    size_t count = 0;
    for (size_t i = from; i < to; ++i) count += text::IsUtf8Continuation(markup[i]) ? 1 : 0;
    return count;
  };
  size_t cut = markup.size() - kTailCharacters;
  size_t characters = kTailCharacters - continuations(cut, markup.size());
  while (characters < kTailCharacters && cut > 0) {
    const size_t back = std::min(kTailCharacters - characters, cut);
    characters += back - continuations(cut - back, cut);
    cut -= back;
  }
  if (cut == 0) return 0;
  while (cut < markup.size() && text::IsUtf8Continuation(markup[cut])) ++cut;
  if (InsideTag(markup, cut)) {
    const size_t close = markup.find('>', cut);
    return close == std::string_view::npos ? markup.size() : close + 1;
  }
  if (SplitReference(markup, cut) != std::string_view::npos) return markup.find(';', cut) + 1;
  return cut;
}

void MarkupRules::RemoveEmptyPictureTags(std::string& markup) {
  if (!ContainsNoCase(markup, kPictureOpen)) return;
  for (std::string_view empty : {"[!Quillon:!]", "[!Quillon: !]"}) {
    if (ContainsNoCase(markup, empty)) ReplaceAll(markup, empty, "");
  }
}

size_t MarkupRules::NextCustomPicture(std::string& markup, size_t position) {
  const size_t open = FindNoCase(markup, kPictureOpen, position);
  if (open == std::string::npos) return std::string::npos;
  const size_t end = markup.find(kTagClose, open);
  if (end == std::string::npos) return std::string::npos;
  const size_t inner_begin = open + kPictureOpen.size();
  const std::string inner =
      end > inner_begin ? markup.substr(inner_begin, end - inner_begin) : std::string();
  const std::string address = PictureAddress(inner);
  if (!address.empty()) {
    std::string tag(kPictureOpen);
    tag += inner;
    tag += kTagClose;
    ReplaceAll(markup, tag, "<img src=\"" + address + "\">");
  }
  return end + kTagClose.size();
}

std::string MarkupRules::PictureAddress(std::string_view inner) {
  if (CharacterCount(inner) < 5) return {};
  const size_t quote = inner.find("\">");
  if (quote == std::string_view::npos) return {};
  const size_t close = FindNoCase(inner, "</a>", quote + 2);
  if (close == std::string_view::npos) return {};
  const std::string_view address = inner.substr(quote + 2, close - quote - 2);
  if (CharacterCount(address) < 5) return {};
  // The address is the visible text of the one link the chat view made of it. Anything else in
  // the tag that is markup means the tag is not one person's link: it runs across messages, or
  // the address ends inside other markup, and making a picture of it would swallow what lies
  // between.
  const std::string_view before = inner.substr(0, quote);
  const std::string_view after = inner.substr(close + 4);
  const size_t link = before.find('<');
  if (link == std::string_view::npos || before.rfind('<') != link ||
      !text::StartsWithAsciiNoCase(before.substr(link), "<a ")) {
    return {};
  }
  if (address.find_first_of("<>") != std::string_view::npos ||
      after.find_first_of("<>") != std::string_view::npos) {
    return {};
  }
  // Only web addresses: a picture's address may not run script ("javascript:") or reach local
  // files.
  const bool web = text::StartsWithAsciiNoCase(address, "http://") ||
                   text::StartsWithAsciiNoCase(address, "https://") ||
                   text::StartsWithAsciiNoCase(address, "ftp://") ||
                   text::StartsWithAsciiNoCase(address, "www.");
  if (!web) return {};
  return text::EscapeHtml(address, {.keep_references = true});
}

size_t MarkupRules::ClearPosition(std::string_view markup) {
  // Positions are 1-based, 0 for "not found"; a search after a failed one starts over at 1.
  auto find = [&](size_t from) -> size_t {
    const size_t at = markup.find('>', from - 1);
    return at == std::string_view::npos ? 0 : at + 1;
  };
  size_t p = find(1);
  for (int i = 0; i < 4; ++i) p = find(p + 1);
  return p;
}

std::string MarkupRules::ClearedMarkup(std::string_view markup) {
  const size_t p = ClearPosition(markup);
  size_t keep;
  if (p != 0) {
    // Through the ">" itself: one character more would leave the start of the next tag or half
    // of a character standing in front of the notice.
    keep = p;
  } else {
    keep = OffsetOfCharacter(markup, kClearKeepCharacters);
    if (const size_t reference = SplitReference(markup, keep);
        reference != std::string_view::npos) {
      keep = reference;
    }
    if (InsideTag(markup, keep)) keep = markup.rfind('<', keep - 1);
  }
  std::string cleared(markup.substr(0, keep));
  cleared += kCleared;
  return cleared;
}

}  // namespace quillon::chatview
