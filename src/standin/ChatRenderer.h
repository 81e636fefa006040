#pragma once
// How the chat client shows a line of chat text in the conversation view: the text escaped for
// HTML, every emoticon inside the client's bold blue span, and web addresses made into links.
#include <string>
#include <string_view>

namespace quillon::standin {

class ChatRenderer {
 public:
  // The markup of one message line as the conversation view holds it.
  static std::string RenderMessage(std::string_view sender, std::string_view text);
  // The text of a line alone: escaped, emoticons in spans, addresses as links.
  static std::string RenderText(std::string_view text);
  // The span in which the client shows an emoticon.
  static std::string EmoticonSpan(std::string_view code);
};

}  // namespace quillon::standin
