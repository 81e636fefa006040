// Two users' programs, each on its own simulated desktop, joined by a relay the test runs by hand:
// it carries the bytes of each send to the other side in pieces and reports each send complete
// once carried, so a transfer can be stopped anywhere in its data phase.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "standin/GoogleTalk.h"
#include "support/TestPlatform.h"
#include "transfer/FakeNetwork.h"
#include "transfer/Protocol.h"
#include "transfer/TransferWindowFixture.h"
#include "transfer/frmReceive.h"
#include "transfer/frmSend.h"

namespace quillon::testing {
namespace {

using platform::SocketState;

// One user: a desktop, Google Talk with a chat in front, Quillon, and a network the relay plays.
struct World {
  explicit World(const char* contact) {
    p.platform_ = std::make_unique<platform::Platform>(
        platform::Platform{p.desktop_, p.shell_, p.hotkeys_, *p.registry_, p.accessibility_, net,
                           p.dialogs_, p.clock_, p.instances_, nullptr, &p.files_});
    client.SetContacts({contact});
    client.SetRelay(&lines);
    client.Start("Working");
    program = std::make_unique<app::Quillon>(*p.platform_, p.loop_, p.Info());
    program->Main();
    p.loop_.ProcessPending();
    client.ActivateChat(contact);
    p.loop_.ProcessPending();
    while (p.dialogs_.TakeUnchecked()) {
    }
  }
  std::string Status(const runtime::Form& form) { return form.FindControl("Label1")->Caption(); }
  void Run() { p.loop_.ProcessPending(); }

  TestPlatform p;
  FakeNetwork net;
  SentLines lines;
  standin::GoogleTalk client{p.desktop_, p.shell_, "me"};
  std::unique_ptr<app::Quillon> program;
};

// One end of the relayed connection: its record, and how much of its sends has been carried.
struct End {
  World* world = nullptr;
  SocketRecord* socket = nullptr;
  size_t carried_sends = 0;
  bool closed_seen = false;
};

class TransferPairTest : public ::testing::Test {
 protected:
  static constexpr size_t kFileSize = 4 * 1024 * 1024 + 17;

  TransferPairTest() {
    std::string content(kFileSize, '\0');
    for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 31 + i / 997);
    content_ = content;
    file_ = sender_.p.folder_ / "big.bin";
    std::ofstream(file_, std::ios::binary) << content;
    part_ = receiver_.p.folder_ / "big.bin";
  }

  // From "Send File..." and "Connect" to the data flowing, with `limit` bytes carried to the
  // receiver at most.
  void StartAndCarry(size_t limit) {
    sender_.p.dialogs_.QueueAnswer({sim::SimDialogs::Answer::Kind::kFile, file_.string()});
    sender_.program->MainForm()->SendFile();
    sender_.Run();
    SocketRecord* check = sender_.net.Find(SocketState::kListening);
    ASSERT_NE(check, nullptr);
    check->events.connection_request(1);
    sender_.Run();
    SocketRecord* listener = sender_.net.Find(SocketState::kListening);
    ASSERT_NE(listener, nullptr);

    receiver_.program->ShowReceiveWindow("10.0.0.1");
    receiver_.Run();
    receiver_.program->ReceiveWindow().Command1.PersonClick();
    receiver_.Run();
    b_.socket = receiver_.net.Find(SocketState::kConnecting);
    ASSERT_NE(b_.socket, nullptr);
    listener->events.connection_request(2);
    sender_.Run();
    a_.socket = sender_.net.Find(SocketState::kConnected);
    ASSERT_NE(a_.socket, nullptr);
    b_.socket->state = SocketState::kConnected;
    b_.socket->events.connected();
    receiver_.Run();
    receiver_.p.dialogs_.QueueAnswer({sim::SimDialogs::Answer::Kind::kFile, part_.string()});
    Carry(limit);
  }

  // Carries bytes both ways in pieces until `limit` file bytes reached the receiver or nothing
  // moves any more; the receiver's clock moves on when it waits for a message to end.
  void Carry(size_t limit) {
    for (int idle = 0; idle < 3 && received_ < limit;) {
      bool moved = CarryFrom(a_, b_, limit) | CarryFrom(b_, a_, SIZE_MAX);
      if (moved) {
        idle = 0;
        continue;
      }
      ++idle;
      receiver_.p.loop_.AdvanceTo(receiver_.p.loop_.Now() + transfer::kMessageQuietMs);
      sender_.p.loop_.AdvanceTo(sender_.p.loop_.Now() + transfer::kMessageQuietMs);
    }
  }

  bool CarryFrom(End& from, End& to, size_t limit) {
    auto connected = [](const End& end) {
      return end.socket->alive && end.socket->state == SocketState::kConnected;
    };
    // A side that closed its end (dropping whatever it had not sent): the other sees the
    // connection closed.
    if (!connected(from)) {
      if (from.closed_seen) return false;
      from.closed_seen = true;
      if (connected(to)) {
        to.socket->state = SocketState::kClosing;
        to.socket->events.closed();
        to.world->Run();
      }
      return true;
    }
    bool moved = false;
    while (connected(from) && connected(to) && from.carried_sends < from.socket->sent.size() &&
           (&from != &a_ || received_ < limit)) {
      const std::string bytes = from.socket->sent[from.carried_sends++];
      if (&from == &a_) received_ += bytes.size();
      // Split in uneven pieces, as TCP may.
      for (size_t at = 0; at < bytes.size() && connected(to);) {
        const size_t piece = std::min<size_t>(bytes.size() - at, 65536 + at % 7919);
        to.socket->events.data_arrival(std::string_view(bytes).substr(at, piece));
        to.world->Run();
        at += piece;
      }
      if (connected(from)) {
        from.socket->events.send_complete();
        from.world->Run();
      }
      moved = true;
    }
    return moved;
  }

  World sender_{"you"};
  World receiver_{"me"};
  End a_{&sender_};
  End b_{&receiver_};
  size_t received_ = 0;
  std::string content_;
  std::filesystem::path file_;
  std::filesystem::path part_;
};

TEST_F(TransferPairTest, TheWholeFileArrivesIntactAndBothWindowsEndComplete) {
  StartAndCarry(SIZE_MAX);
  EXPECT_EQ(receiver_.Status(receiver_.program->ReceiveWindow()), "File has been received!");
  EXPECT_EQ(sender_.Status(sender_.program->SendWindow()), "Send Complete");
  std::ifstream in(part_, std::ios::binary);
  const std::string got{std::istreambuf_iterator<char>(in), {}};
  EXPECT_TRUE(got == content_) << got.size();
}

TEST_F(TransferPairTest, TheReceiverCancellingMidDataLeavesNoPartFileAndBothSidesSaySo) {
  StartAndCarry(kFileSize / 3);
  transfer::frmReceive& receive = receiver_.program->ReceiveWindow();
  ASSERT_TRUE(std::filesystem::exists(part_));
  ASSERT_TRUE(receive.Receiving);
  receive.Command2.PersonClick();
  receiver_.Run();
  EXPECT_FALSE(receive.Loaded());
  EXPECT_FALSE(std::filesystem::exists(part_));
  std::vector<std::string> shown;
  while (auto dialog = receiver_.p.dialogs_.TakeUnchecked()) shown.push_back(dialog->text);
  EXPECT_EQ(shown, (std::vector<std::string>{"", "HRSTARTED!"})) << "the save dialog, the box";
  EXPECT_EQ(receiver_.lines.To("me").back(), kCancelNotice);
  Carry(SIZE_MAX);
  EXPECT_EQ(sender_.Status(sender_.program->SendWindow()),
            "The connection was closed before the file was sent.");
}

TEST_F(TransferPairTest, TheSenderCancellingMidDataLeavesNoPartFileAndBothSidesSaySo) {
  StartAndCarry(kFileSize / 2);
  transfer::frmSend& send = sender_.program->SendWindow();
  ASSERT_TRUE(std::filesystem::exists(part_));
  send.Command1.PersonClick();
  sender_.Run();
  EXPECT_FALSE(send.Loaded());
  EXPECT_EQ(sender_.lines.To("you").back(), kCancelNotice);
  Carry(SIZE_MAX);
  EXPECT_EQ(receiver_.Status(receiver_.program->ReceiveWindow()),
            "The connection was closed before the file was received.");
  EXPECT_FALSE(std::filesystem::exists(part_));
}

}  // namespace
}  // namespace quillon::testing
