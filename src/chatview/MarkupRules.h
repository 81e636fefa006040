#pragma once
// The rules that turn the chat markup users send each other into HTML inside the conversation
// markup, each a pure function of the markup so that the pass can apply them in order and tests
// can hold them to their cases.
//
// Markup is found without regard to letter case but replaced only where its case matches exactly,
// as people type it; so "[u]" passes the presence test of the underline rule and stays as typed.
// Texts are UTF-8; lengths and positions that the rules name in characters count code points.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace quillon::chatview {

class MarkupRules {
 public:
  // Only the last this many characters of a long conversation are searched for smileys,
  // invitations and custom pictures, to bound the work of a pass.
  static constexpr size_t kTailCharacters = 32767;
  // What a clear keeps of a conversation with fewer than five ">" characters.
  static constexpr size_t kClearKeepCharacters = 500;

  // Position of `what` in `text` at or after `from` (bytes), letter case ignored; npos if absent.
  static size_t FindNoCase(std::string_view text, std::string_view what, size_t from = 0);
  static bool ContainsNoCase(std::string_view text, std::string_view what) {
    return FindNoCase(text, what) != std::string_view::npos;
  }
  // Replaces every exact occurrence, left to right, without rescanning inserted text.
  static void ReplaceAll(std::string& text, std::string_view what, std::string_view with);

  // When both tags occur (any case), every opening tag becomes its HTML, then every closing tag.
  static void ReplaceTagPair(std::string& markup, std::string_view open_tag,
                             std::string_view open_html, std::string_view close_tag,
                             std::string_view close_html);

  // The span in which the chat view shows an emoticon it recognised: the code between these two.
  static constexpr std::string_view kEmoticonOpen =
      "<SPAN style=\"FONT-WEIGHT: bold; COLOR: rgb(0,95,255)\">";
  static constexpr std::string_view kEmoticonClose = "</SPAN>";
  static std::string EmoticonSpan(std::string_view code);
  // The text of `markup` with the emoticon spans taken away around their codes, as it was typed.
  static std::string WithoutEmoticonSpans(std::string_view markup);
  // The picture of a smiley mouth from the program folder's smiley pictures.
  static std::string SmileyPicture(std::string_view program_folder, char mouth);
  // Replaces the spans of a two-character code, of the code with a nose and of its sunglasses
  // form by the picture of its mouth. `program_folder` ends with the folder separator.
  static void ReplaceSmiley(std::string& markup, std::string_view code,
                            std::string_view program_folder);
  // The same for several codes at once, in one look at the markup's emoticon spans.
  static void ReplaceSmileys(std::string& markup, std::span<const std::string_view> codes,
                             std::string_view program_folder);

  // Where the searched tail of `markup` starts (bytes): 0 for markup of at most kTailCharacters
  // characters; otherwise the start of its last kTailCharacters characters, moved forward past a
  // tag or character reference that the cut would split, so the rules see only whole markup.
  static size_t TailStart(std::string_view markup);

  // Runs the custom-picture rule over `markup`: empty picture tags go, and every tag whose text the
  // chat view made into a link becomes a picture of the link's address. `between` runs after each
  // tag looked at.
  template <typename Between>
  static void ReplaceCustomPictures(std::string& markup, Between&& between) {
    RemoveEmptyPictureTags(markup);
    for (size_t position = 0;;) {
      const size_t next = NextCustomPicture(markup, position);
      if (next == std::string::npos) return;
      position = next;
      between();
    }
  }
  static void RemoveEmptyPictureTags(std::string& markup);
  // Looks at the first picture tag at or after `position`, replaces it (and its copies) when it
  // holds a link to a picture, and returns where the next search starts; npos when no tag is left.
  static size_t NextCustomPicture(std::string& markup, size_t position);
  // The address of a picture tag's inner text, or empty when it is not a single link to a web
  // address; the result is safe inside a double-quoted attribute.
  static std::string PictureAddress(std::string_view inner);

  // The clear: p, the 1-based position of the ">" that the five searches end on, or 0.
  static size_t ClearPosition(std::string_view markup);
  // The markup that replaces the conversation when it is cleared.
  static std::string ClearedMarkup(std::string_view markup);
};

}  // namespace quillon::chatview
