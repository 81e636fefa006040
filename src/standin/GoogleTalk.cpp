#include "standin/GoogleTalk.h"

#include <algorithm>
#include <cctype>

#include "sim/RichEditBox.h"
#include "sim/SimDesktop.h"
#include "sim/SimShell.h"
#include "text/Strings.h"

namespace quillon::standin {

using platform::Hwnd;
using platform::LParam;
using platform::LResult;
using platform::WParam;
namespace msg = platform::msg;

GoogleTalk::GoogleTalk(sim::SimDesktop& desktop, sim::SimShell& shell, std::string account)
    : desktop_(desktop), shell_(shell), account_(std::move(account)) {}

GoogleTalk::~GoogleTalk() { Quit(); }

bool GoogleTalk::Running() const { return desktop_.IsWindow(main_); }

void GoogleTalk::Start(std::string status) {
  if (Running()) return;
  status_ = std::move(status);
  editing_status_ = false;

  platform::WindowCreation main;
  main.class_name = kMainClass;
  main.title = "Google Talk";
  main.bounds = {740, 60, 990, 620};
  main.proc = [this](Hwnd h, uint32_t m, WParam wp, LParam lp) -> LResult {
    if (m == msg::kCommand) {
      auto id = static_cast<uint32_t>(wp & 0xFFFF);
      commands_.push_back(id);
      if (id == 40003) OpenSettings();
      if (id == 40004) desktop_.ShowWindow(main_, platform::sw::kHide);
      return 0;
    }
    if (m == msg::kClose) {
      // Closing the main window only hides it; the client keeps running in the tray.
      desktop_.ShowWindow(main_, platform::sw::kHide);
      return 0;
    }
    return desktop_.DefWindowProc(h, m, wp, lp);
  };
  main_ = desktop_.CreateWindow(main);

  auto child = [&](const char* cls, Hwnd parent, platform::Rect bounds, platform::WindowProc proc) {
    platform::WindowCreation c;
    c.class_name = cls;
    c.parent = parent;
    c.bounds = bounds;
    c.visible = true;
    c.proc = std::move(proc);
    return desktop_.CreateWindow(c);
  };
  main_view_ = child("Main View", main_, {0, 0, 250, 560}, {});
  status_area_ = child("Status View 2", main_view_, {0, 0, 250, 60},
                       [this](Hwnd h, uint32_t m, WParam wp, LParam lp) -> LResult {
                         if (m == msg::kLButtonDown) {
                           // A click puts the status line into editing mode, starting from the
                           // status as it is.
                           editing_status_ = true;
                           desktop_.RichEditOf(status_box_)->SetText(status_);
                           desktop_.SetTitle(status_box_, status_);
                           return 0;
                         }
                         if (m == msg::kImeKeyDown && wp == platform::vk::kReturn) {
                           if (editing_status_) {
                             status_ = desktop_.RichEditOf(status_box_)->Text();
                             editing_status_ = false;
                           }
                           return 0;
                         }
                         if (m == msg::kCommand) {
                           commands_.push_back(static_cast<uint32_t>(wp & 0xFFFF));
                           return 0;
                         }
                         return desktop_.DefWindowProc(h, m, wp, lp);
                       });
  status_box_ = child("RichEdit20W", status_area_, {40, 20, 240, 40}, {});
  search_box_ = child("RichEdit20W", main_view_, {4, 70, 246, 90}, {});
  desktop_.RichEditOf(status_box_)->SetText(status_);
  desktop_.SetTitle(status_box_, status_);

  // The status box takes text only while the status line is being edited.
  auto status_base = std::make_shared<platform::WindowProcId>();
  *status_base = desktop_.SubclassWindow(
      status_box_, [this, status_base](Hwnd h, uint32_t m, WParam wp, LParam lp) -> LResult {
        if ((m == msg::kSetText || m == msg::kChar || m == msg::kEmReplaceSel) &&
            !editing_status_) {
          return 0;
        }
        if (m == msg::kImeKeyDown && wp == platform::vk::kReturn && editing_status_) {
          status_ = desktop_.RichEditOf(status_box_)->Text();
          editing_status_ = false;
          return 0;
        }
        return desktop_.CallWindowProc(*status_base, h, m, wp, lp);
      });
  auto search_base = std::make_shared<platform::WindowProcId>();
  *search_base = desktop_.SubclassWindow(
      search_box_, [this, search_base](Hwnd h, uint32_t m, WParam wp, LParam lp) -> LResult {
        if ((m == msg::kImeKeyDown || m == msg::kChar) && wp == platform::vk::kReturn) {
          Search(desktop_.RichEditOf(search_box_)->Text());
          return 0;
        }
        return desktop_.CallWindowProc(*search_base, h, m, wp, lp);
      });

  desktop_.ShowWindow(main_, platform::sw::kShowNormal);
  platform::NotifyIcon icon;
  icon.window = main_;
  icon.id = kTrayIconId;
  icon.flags = platform::kNifIcon | platform::kNifTip | platform::kNifMessage;
  icon.icon = kOwnIcon;
  icon.tip = "Google Talk";
  icon.callback_message = msg::kUser + 100;
  shell_.NotifyIconChange(platform::NotifyIconOp::kAdd, icon);
}

void GoogleTalk::Quit() {
  if (!Running()) return;
  platform::NotifyIcon icon;
  icon.window = main_;
  icon.id = kTrayIconId;
  shell_.NotifyIconChange(platform::NotifyIconOp::kDelete, icon);
  chats_.clear();
  for (const auto& [from, popup] : notifications_) desktop_.DestroyWindow(popup);
  notifications_.clear();
  // Every other window of the client goes with it.
  for (Hwnd window : desktop_.TopLevelWindows()) {
    std::string cls = desktop_.GetClassName(window);
    std::string title = desktop_.TitleOf(window);
    if ((cls == "#32770" && title == "Settings") || title == kInviteTitle) {
      desktop_.DestroyWindow(window);
    }
  }
  desktop_.DestroyWindow(main_);
  main_ = main_view_ = status_area_ = status_box_ = search_box_ = 0;
}

void GoogleTalk::ForgetClosedChats() {
  std::erase_if(chats_, [](const auto& entry) { return !entry.second->Open(); });
}

ChatSession* GoogleTalk::Chat(const std::string& contact) {
  ForgetClosedChats();
  auto it = chats_.find(contact);
  return it == chats_.end() ? nullptr : it->second.get();
}

ChatSession* GoogleTalk::LastActivated() { return Chat(last_activated_); }

std::vector<std::string> GoogleTalk::ChatNames() const {
  std::vector<std::string> names;
  for (const auto& [name, session] : chats_) {
    if (session->Open()) names.push_back(name);
  }
  return names;
}

ChatSession* GoogleTalk::OpenChat(const std::string& contact, bool activate) {
  if (!Running()) return nullptr;
  ChatSession* session = Chat(contact);
  if (!session) {
    auto created = std::make_unique<ChatSession>(
        desktop_, contact, chats_opened_++ % 8,
        [this](ChatSession& s, const std::string& line) { Sent(s, line); });
    created->on_command = [this](uint32_t id) { commands_.push_back(id); };
    session = created.get();
    chats_[contact] = std::move(created);
    if (!activate) {
      // A chat that opens by itself does not push itself in front of the one in use.
      desktop_.PlaceAtBottom(session->View());
      desktop_.PlaceAtBottom(session->Frame());
    }
  }
  if (activate) {
    if (!desktop_.IsWindowVisible(session->View())) {
      desktop_.ShowWindow(session->View(), platform::sw::kShowNoActivate);
    }
    desktop_.BringToTop(session->Frame());
    desktop_.SetForegroundWindow(session->View());
    desktop_.SetFocus(session->Input());
    last_activated_ = contact;
    CloseNotifications(contact);
  }
  return session;
}

ChatSession* GoogleTalk::ActivateChat(const std::string& contact) {
  return OpenChat(contact, true);
}

void GoogleTalk::ActivateMain() {
  if (!Running()) return;
  if (!desktop_.IsWindowVisible(main_)) desktop_.ShowWindow(main_, platform::sw::kShowNoActivate);
  desktop_.SetForegroundWindow(main_);
  desktop_.SetFocus(search_box_);
}

void GoogleTalk::CloseChat(const std::string& contact) {
  if (Chat(contact)) chats_.erase(contact);
}

void GoogleTalk::Receive(const std::string& from, std::string_view text) {
  ChatSession* session = OpenChat(from, false);
  if (!session) return;
  session->SetActivity("");
  session->AppendMessage(from, text);
  if (desktop_.GetForegroundWindow() != session->View()) ShowNotification(from);
}

void GoogleTalk::SetTyping(const std::string& contact, bool typing) {
  if (ChatSession* session = Chat(contact)) {
    session->SetActivity(typing ? " is typing" : " has entered text");
  }
}

void GoogleTalk::Sent(ChatSession& session, const std::string& line) {
  session.AppendMessage(account_, line);
  if (relay_) relay_->Deliver(account_, session.Contact(), line);
}

void GoogleTalk::Search(const std::string& text) {
  std::string wanted = text::AsciiLower(text);
  while (!wanted.empty() && std::isspace(static_cast<unsigned char>(wanted.back()))) {
    wanted.pop_back();
  }
  if (wanted.empty()) return;
  // The client lists contacts whose name begins with the text; an exact name comes first.
  const std::string* match = nullptr;
  for (const std::string& contact : contacts_) {
    std::string name = text::AsciiLower(contact);
    if (name == wanted) {
      match = &contact;
      break;
    }
    if (!match && name.rfind(wanted, 0) == 0) match = &contact;
  }
  if (match) {
    std::string contact = *match;
    // The list filter is reset once the chat is open.
    desktop_.RichEditOf(search_box_)->SetText("");
    desktop_.SetTitle(search_box_, "");
    ActivateChat(contact);
  } else {
    ShowInvitation();
  }
}

void GoogleTalk::ShowInvitation() {
  if (desktop_.FindWindowEx(0, 0, std::nullopt, kInviteTitle)) return;
  platform::WindowCreation invite;
  invite.class_name = "#32770";
  invite.title = kInviteTitle;
  invite.bounds = {300, 250, 700, 450};
  invite.proc = [this](Hwnd h, uint32_t m, WParam wp, LParam lp) -> LResult {
    if (m == msg::kImeKeyDown && wp == platform::vk::kEscape) {
      desktop_.DestroyWindow(h);
      return 0;
    }
    return desktop_.DefWindowProc(h, m, wp, lp);
  };
  Hwnd window = desktop_.CreateWindow(invite);
  platform::WindowCreation edit;
  edit.class_name = "Edit";
  edit.parent = window;
  edit.bounds = {10, 40, 390, 60};
  edit.visible = true;
  Hwnd box = desktop_.CreateWindow(edit);
  // Escape pressed by the person in the dialog closes it, as a dialog's Cancel does.
  auto edit_base = std::make_shared<platform::WindowProcId>();
  *edit_base = desktop_.SubclassWindow(
      box, [this, edit_base, window](Hwnd h, uint32_t m, WParam wp, LParam lp) -> LResult {
        if (m == msg::kKeyDown && wp == platform::vk::kEscape) {
          desktop_.DestroyWindow(window);
          return 0;
        }
        return desktop_.CallWindowProc(*edit_base, h, m, wp, lp);
      });
  desktop_.ShowWindow(window, platform::sw::kShowNormal);
  desktop_.SetFocus(box);
}

void GoogleTalk::OpenSettings() {
  if (Hwnd existing = desktop_.FindWindowEx(0, 0, "#32770", "Settings")) {
    desktop_.SetForegroundWindow(existing);
    return;
  }
  platform::WindowCreation settings;
  settings.class_name = "#32770";
  settings.title = "Settings";
  settings.bounds = {200, 150, 660, 560};
  Hwnd window = desktop_.CreateWindow(settings);
  desktop_.ShowWindow(window, platform::sw::kShowNormal);
}

void GoogleTalk::ShowNotification(const std::string& from) {
  platform::WindowCreation popup;
  popup.class_name = "Google Notification";
  popup.title = from;
  popup.bounds = {800, 640, 1020, 740};
  popup.visible = true;
  popup.ex_style = platform::kWsExTopmost | platform::kWsExToolWindow;
  notifications_.emplace(from, desktop_.CreateWindow(popup));
}

void GoogleTalk::CloseNotifications(const std::string& from) {
  auto [first, last] = notifications_.equal_range(from);
  for (auto it = first; it != last; ++it) desktop_.DestroyWindow(it->second);
  notifications_.erase(first, last);
}

std::vector<uint32_t> GoogleTalk::TakeCommands() {
  std::vector<uint32_t> taken;
  taken.swap(commands_);
  return taken;
}

}  // namespace quillon::standin
