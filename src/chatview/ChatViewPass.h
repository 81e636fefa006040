#pragma once
// The pass that rewrites the current chat's conversation view twenty times a second: the colours
// of the message area, underline and code markup, smiley pictures, file-transfer invitations,
// custom pictures and the clear. Users of the program exchange the markup as ordinary chat text;
// the pass finds it in the conversation's HTML and writes the result back only when it changed and
// the conversation did not change meanwhile.
//
// The pass runs twenty times a second for as long as a chat is in front, and most passes find the
// conversation as the last one left it. So the pass remembers the last markup in which its rules
// found nothing to change, with the settings they ran under; when the conversation and those
// settings are the same again and no custom-picture step is due, no rule runs.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "chatview/GetIEDom.h"
#include "chatview/InvitationStep.h"
#include "platform/HtmlDocument.h"
#include "platform/Window.h"
#include "services/ErrorReports.h"
#include "services/SettingsStore.h"

namespace quillon::runtime {
class Form;
class Runtime;
class Timer;
}  // namespace quillon::runtime

namespace quillon::chatview {

class ChatViewPass {
 public:
  // The longest the pass waits for the view to finish loading its new markup.
  static constexpr uint64_t kReadyWaitMs = 10000;

  // `form` is the main form: its tag "clear" asks for the clear, and errors are reported for it.
  // `tmrIEDOM` is the timer the pass runs on; `open_receive` opens the receive window for an
  // invitation's address.
  ChatViewPass(runtime::Runtime& rt, services::SettingsStore& settings,
               services::ErrorReports& reports, runtime::Form& form, const runtime::Timer& tmrIEDOM,
               std::function<void(std::string_view)> open_receive);

  // One pass over the chat window `chat_window` (a "Chat View" window). It processes pending
  // events while it waits, so a further tick may arrive meanwhile: that tick is passed over, since
  // two passes over one markup would each write back what the other had not seen.
  void RewriteChatView(platform::Hwnd chat_window);

 private:
  // Replaces the conversation by its first few elements and a notice, and puts the view's address
  // on the clipboard.
  void Clear();
  // Until the view has finished loading, or kReadyWaitMs have passed.
  void WaitForDocument();

  runtime::Runtime& rt_;
  services::SettingsStore& settings_;
  services::ErrorReports& reports_;
  runtime::Form& form_;
  const runtime::Timer& tmrIEDOM_;
  GetIEDom dom_;
  InvitationStep invitations_;
  std::shared_ptr<platform::HtmlDocument> ChatDocument;
  std::string ChatMarkup;
  int32_t ImageTimer = 0;
  bool running_ = false;

  // Markup in which the rules found nothing to change, and the switches they ran under.
  struct Quiet {
    std::string markup;
    std::string switches;
  };
  std::optional<Quiet> quiet_;
};

}  // namespace quillon::chatview
