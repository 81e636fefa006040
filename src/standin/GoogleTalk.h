#pragma once
// The stand-in Google Talk: the client's windows with the classes, titles and order that Quillon
// looks for, and the client's behaviour behind them: the status line's click-edit-Enter cycle,
// the contact search and its invitation window, menu commands, chats that send, receive and show
// typing, notification popups and its notification-area icon. It knows nothing of Quillon; it
// only answers the window messages a real client answers.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Shell.h"
#include "platform/Window.h"
#include "standin/ChatRelay.h"
#include "standin/ChatSession.h"

namespace quillon::sim {
class SimDesktop;
class SimShell;
}  // namespace quillon::sim

namespace quillon::standin {

class GoogleTalk {
 public:
  static constexpr const char* kMainClass = "Google Talk - Google Xmpp Client GUI Window";
  static constexpr const char* kInviteTitle = "Invite your friends to Google Talk";
  static constexpr uint32_t kTrayIconId = 100;
  static constexpr platform::IconHandle kOwnIcon = 0x6A10;

  // `account` is the name the user's own lines are shown with (and sent from).
  GoogleTalk(sim::SimDesktop& desktop, sim::SimShell& shell, std::string account);
  ~GoogleTalk();

  void Start(std::string status = "Available");
  void Quit();
  bool Running() const;
  void SetContacts(std::vector<std::string> contacts) { contacts_ = std::move(contacts); }
  const std::vector<std::string>& Contacts() const { return contacts_; }
  void SetRelay(ChatRelay* relay) { relay_ = relay; }
  const std::string& Account() const { return account_; }

  // --- The person
  // Brings the chat to the front (opening it first if needed) with its input focused.
  ChatSession* ActivateChat(const std::string& contact);
  void ActivateMain();
  void CloseChat(const std::string& contact);

  // --- The other side
  void Receive(const std::string& from, std::string_view text);
  void SetTyping(const std::string& contact, bool typing);

  // --- What can be seen
  const std::string& Status() const { return status_; }
  platform::Hwnd MainWindow() const { return main_; }
  platform::Hwnd StatusArea() const { return status_area_; }
  platform::Hwnd StatusBox() const { return status_box_; }
  platform::Hwnd SearchBox() const { return search_box_; }
  ChatSession* Chat(const std::string& contact);
  ChatSession* LastActivated();
  // The menu commands sent since the last call.
  std::vector<uint32_t> TakeCommands();
  std::vector<std::string> ChatNames() const;

 private:
  ChatSession* OpenChat(const std::string& contact, bool activate);
  void Search(const std::string& text);
  void ShowInvitation();
  void OpenSettings();
  void ShowNotification(const std::string& from);
  void CloseNotifications(const std::string& from);
  void Sent(ChatSession& session, const std::string& line);
  void ForgetClosedChats();

  sim::SimDesktop& desktop_;
  sim::SimShell& shell_;
  std::string account_;
  std::vector<std::string> contacts_;
  ChatRelay* relay_ = nullptr;
  std::string status_;
  bool editing_status_ = false;
  platform::Hwnd main_ = 0;
  platform::Hwnd main_view_ = 0;
  platform::Hwnd status_area_ = 0;
  platform::Hwnd status_box_ = 0;
  platform::Hwnd search_box_ = 0;
  std::map<std::string, std::unique_ptr<ChatSession>> chats_;
  std::string last_activated_;
  std::vector<uint32_t> commands_;
  std::multimap<std::string, platform::Hwnd> notifications_;
  int chats_opened_ = 0;
};

}  // namespace quillon::standin
