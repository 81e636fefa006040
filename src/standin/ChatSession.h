#pragma once
// One chat of the stand-in client: its frame window ("ATL:00572B88") and its top-level "Chat View"
// window, both titled with the contact's name (plus " is typing" / " has entered text" while the
// contact types), the input box, the toolbar and the browser window that shows the conversation.
#include <functional>
#include <memory>
#include <string>

#include "platform/Window.h"

namespace quillon::sim {
class SimDesktop;
class SimHtmlDocument;
}  // namespace quillon::sim

namespace quillon::standin {

class ChatSession {
 public:
  // `send` is called with each line the person sends from the input box.
  ChatSession(sim::SimDesktop& desktop, std::string contact, int offset,
              std::function<void(ChatSession&, const std::string&)> send);
  ~ChatSession();
  ChatSession(const ChatSession&) = delete;
  ChatSession& operator=(const ChatSession&) = delete;

  const std::string& Contact() const { return contact_; }
  platform::Hwnd Frame() const { return frame_; }
  platform::Hwnd View() const { return view_; }
  platform::Hwnd Input() const { return input_; }
  platform::Hwnd Toolbar() const { return toolbar_; }
  platform::Hwnd Browser() const { return browser_; }
  std::shared_ptr<sim::SimHtmlDocument> Document() const;
  bool Open() const;

  // The windows' title: the contact's name with the activity note, if any.
  void SetActivity(std::string_view note);
  void AppendMessage(std::string_view sender, std::string_view text);
  // Sends what the input box holds, if anything.
  void SendInput();
  std::string InputText() const;
  // Records the menu commands the chat window is sent.
  std::function<void(uint32_t)> on_command;

 private:
  sim::SimDesktop& desktop_;
  std::string contact_;
  std::function<void(ChatSession&, const std::string&)> send_;
  platform::Hwnd frame_ = 0;
  platform::Hwnd view_ = 0;
  platform::Hwnd input_ = 0;
  platform::Hwnd toolbar_ = 0;
  platform::Hwnd host_ = 0;
  platform::Hwnd browser_ = 0;
};

}  // namespace quillon::standin
