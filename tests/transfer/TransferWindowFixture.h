#pragma once
// Quillon beside the stand-in Google Talk with the chat of Alex in front, on a network the test
// plays by hand: the world of the transfer windows' tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "standin/ChatRelay.h"
#include "standin/GoogleTalk.h"
#include "support/TestPlatform.h"
#include "transfer/FakeNetwork.h"
#include "transfer/frmReceive.h"
#include "transfer/frmSend.h"

namespace quillon::testing {

// The lines the person's Google Talk sent, raw, with the contact they went to.
class SentLines : public standin::ChatRelay {
 public:
  struct Line {
    std::string to;
    std::string text;
  };
  void Deliver(std::string_view, std::string_view to, std::string_view text) override {
    lines.push_back({std::string(to), std::string(text)});
  }
  std::vector<std::string> To(std::string_view contact) const {
    std::vector<std::string> texts;
    for (const Line& line : lines) {
      if (line.to == contact) texts.push_back(line.text);
    }
    return texts;
  }
  std::vector<Line> lines;
};

inline constexpr std::string_view kCancelNotice =
    "\r\n\r\n*Quillon:* The file transfer has been cancelled.";

class TransferWindowFixture : public ::testing::Test {
 protected:
  TransferWindowFixture() {
    p_.platform_ = std::make_unique<platform::Platform>(
        platform::Platform{p_.desktop_, p_.shell_, p_.hotkeys_, *p_.registry_, p_.accessibility_,
                           net_, p_.dialogs_, p_.clock_, p_.instances_, nullptr, &p_.files_});
    client_.SetContacts({"Alex", "Sam"});
    client_.SetRelay(&sent_);
    client_.Start("Working");
    program_ = std::make_unique<app::Quillon>(*p_.platform_, p_.loop_, p_.Info());
    program_->Main();
    p_.loop_.ProcessPending();
    alex_ = client_.ActivateChat("Alex");
    p_.loop_.ProcessPending();
    std::filesystem::create_directories(Files());
    reports_before_ = p_.shell_.Started().size();
  }

  std::filesystem::path Files() const { return p_.folder_ / "files"; }
  std::filesystem::path MakeFile(const std::string& name, const std::string& content) {
    std::filesystem::path path = Files() / name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  void Run() { p_.loop_.ProcessPending(); }
  void Pass(uint64_t ms) {
    p_.loop_.AdvanceTo(p_.loop_.Now() + ms);
    Run();
  }
  void AnswerFile(const std::filesystem::path& path) {
    p_.dialogs_.QueueAnswer({sim::SimDialogs::Answer::Kind::kFile, path.string()});
  }
  // Dialogs shown since the last call, as "title: text".
  std::vector<std::string> Dialogs() {
    std::vector<std::string> shown;
    while (auto dialog = p_.dialogs_.TakeUnchecked()) {
      shown.push_back(dialog->title + ": " + dialog->text);
    }
    return shown;
  }
  std::string Status(const runtime::Form& form) { return form.FindControl("Label1")->Caption(); }
  // Error reports started since the test began.
  size_t Reports() const { return p_.shell_.Started().size() - reports_before_; }
  // The text of the last report started.
  std::string LastReport() const {
    std::string text;
    if (p_.shell_.Started().empty()) return text;
    for (const std::string& argument : p_.shell_.Started().back().arguments) text += argument + " ";
    return text;
  }

  // A raised socket event, followed by whatever it set going.
  template <typename Event>
  void Raise(Event&& event) {
    event();
    Run();
  }

  // The sender from the file dialog to an invitation out and element 1 listening.
  transfer::frmSend& StartSend(const std::filesystem::path& file) {
    AnswerFile(file);
    program_->MainForm()->SendFile();
    Run();
    return program_->SendWindow();
  }
  transfer::frmSend& Invite(const std::filesystem::path& file) {
    transfer::frmSend& window = StartSend(file);
    SocketRecord* check = net_.Find(platform::SocketState::kListening);
    EXPECT_NE(check, nullptr);
    if (check != nullptr) Raise([&] { check->events.connection_request(7); });
    return window;
  }
  // A receiver connecting to a sender that has invited: the connection the window accepted it
  // on. Each call is a new request.
  SocketRecord* Connect() {
    SocketRecord* listener = net_.Find(platform::SocketState::kListening);
    EXPECT_NE(listener, nullptr);
    if (listener == nullptr) return nullptr;
    const uint32_t request = ++requests_;
    Raise([&] { listener->events.connection_request(request); });
    for (auto it = net_.sockets.rbegin(); it != net_.sockets.rend(); ++it) {
      if ((*it)->alive && (*it)->accepted == request) return it->get();
    }
    return nullptr;
  }

  TestPlatform p_;
  FakeNetwork net_;
  SentLines sent_;
  standin::GoogleTalk client_{p_.desktop_, p_.shell_, "me"};
  std::unique_ptr<app::Quillon> program_;
  standin::ChatSession* alex_ = nullptr;
  size_t reports_before_ = 0;
  uint32_t requests_ = 100;
};

}  // namespace quillon::testing
