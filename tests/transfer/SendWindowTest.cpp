// The send window on the simulated desktop, with the network played by the test.
#include "transfer/Invitation.h"
#include "transfer/TransferWindowFixture.h"

namespace quillon::testing {
namespace {

using platform::SocketState;
using transfer::frmSend;

// The file's bytes as one connection carried them: after the size and name messages and before
// the closing "ende:".
std::string DataBetweenNameAndEnd(const SocketRecord& socket) {
  std::string data;
  for (size_t i = 2; i + 1 < socket.sent.size(); ++i) data += socket.sent[i];
  return data;
}

class SendWindowTest : public TransferWindowFixture {
 protected:
  // The dialogue up to "fine" on a connection the window accepted.
  void AnswerUpToFine(SocketRecord* socket) {
    Raise([&] { socket->events.send_complete(); });
    Raise([&] { socket->events.data_arrival("rcfs"); });
    Raise([&] { socket->events.send_complete(); });
    Raise([&] { socket->events.data_arrival("fine"); });
  }
  // Reports every send of `socket` complete, as the network takes them, until nothing more comes.
  void DrainSends(SocketRecord* socket, size_t& reported) {
    while (reported < socket->sent.size() && socket->state == SocketState::kConnected) {
      ++reported;
      Raise([&] { socket->events.send_complete(); });
    }
  }
};

TEST_F(SendWindowTest, PortCheckThenInvitationIntoTheChatItWasStartedFrom) {
  frmSend& window = StartSend(MakeFile("report.txt", std::string(12345, 'r')));
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(Status(window), "Checking open ports...");
  ASSERT_EQ(net_.fetched.size(), 1u);
  EXPECT_EQ(net_.fetched[0], program_->Rt().Info().site + "/Quillon/ip.php");
  SocketRecord* listener = net_.Find(SocketState::kListening);
  SocketRecord* client = net_.Find(SocketState::kConnecting);
  ASSERT_TRUE(listener && client);
  EXPECT_EQ(listener->port, 1129);
  EXPECT_EQ(client->host, "10.0.0.1");  // the page's answer without its line break
  EXPECT_EQ(client->port, 1129);
  EXPECT_TRUE(sent_.lines.empty());

  // The person moves to another chat before the check answers; the invitation still goes to
  // the chat the file was offered in, and names that contact without the typing note.
  client_.SetTyping("Alex", true);
  client_.ActivateChat("Sam");
  Run();
  Raise([&] { listener->events.connection_request(7); });
  EXPECT_FALSE(listener->alive);
  EXPECT_FALSE(client->alive);
  EXPECT_EQ(Status(window), "Awaiting response...");
  EXPECT_TRUE(window.Invited);
  SocketRecord* transfer = net_.Find(SocketState::kListening);
  ASSERT_NE(transfer, nullptr);
  EXPECT_EQ(transfer->port, 1129);

  ASSERT_EQ(sent_.To("Alex").size(), 1u);
  EXPECT_TRUE(sent_.To("Sam").empty());
  const std::string text = sent_.To("Alex")[0];
  const std::string head =
      "\r\n\r\n*Quillon:* Alex, you are being sent: _report.txt_ (12kb)  through Quillon.  To "
      "receive this file, connect to: *10.0.0.1*\r\n";
  ASSERT_EQ(text.substr(0, head.size()), head);
  // The tag carries this computer's address and the number it recorded as its own.
  auto span = transfer::FindInvitationTag(text);
  ASSERT_TRUE(span);
  EXPECT_EQ(span->begin + span->length, text.size());
  auto target = transfer::ParseInvitationTag(text.substr(span->begin, span->length));
  ASSERT_TRUE(target);
  EXPECT_EQ(target->address, "10.0.0.1");
  EXPECT_EQ(program_->Config().ReadSetting("Sender1", "", "FTNum"),
            transfer::FormatInvitationNumber(target->number));
}

std::string Numbered(size_t size) {
  std::string content(size, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 + i / 251);
  return content;
}

TEST_F(SendWindowTest, StreamsTheFileAtTheSocketsPaceAndClosesOnlyAfterTheEnd) {
  const std::string content = Numbered(2 * transfer::FileSender::kWindowBytes + 8001);
  const auto path = MakeFile("data.bin", content);
  frmSend& window = Invite(path);
  SocketRecord* socket = Connect();
  ASSERT_NE(socket, nullptr);
  EXPECT_EQ(socket->state, SocketState::kConnected);
  EXPECT_EQ(Status(window), "Sending File Information");
  ASSERT_EQ(socket->sent, std::vector<std::string>{"flsz:" + std::to_string(content.size())});
  Raise([&] { socket->events.send_complete(); });
  Raise([&] { socket->events.data_arrival("rcfs"); });
  EXPECT_EQ(socket->sent.back(), "flnm:data.bin");
  EXPECT_EQ(Status(window), "Awaiting response");
  Raise([&] { socket->events.send_complete(); });
  Raise([&] { socket->events.data_arrival("fine"); });
  // A window's worth of whole blocks at once; the next only once the socket has taken it.
  ASSERT_EQ(socket->sent.size(), 3u);
  EXPECT_EQ(socket->sent[2].size(), transfer::FileSender::kWindowBytes);
  Pass(999);
  EXPECT_EQ(socket->sent.size(), 3u);
  EXPECT_EQ(window.ProgressBar1.Value(), 0);
  Pass(1);
  EXPECT_EQ(Status(window), "Sending... (0%) - 512kb per second");
  Raise([&] { socket->events.send_complete(); });
  ASSERT_EQ(socket->sent.size(), 4u);
  Raise([&] { socket->events.send_complete(); });
  ASSERT_EQ(socket->sent.size(), 5u);
  EXPECT_EQ(socket->sent[4].size(), 8001u) << "the last block is what remains";
  // Progress follows the clock, not each send.
  Pass(250);
  EXPECT_EQ(window.ProgressBar1.Value(), 2 * transfer::FileSender::kWindowBytes);
  std::string streamed;
  for (size_t i = 2; i < socket->sent.size(); ++i) streamed += socket->sent[i];
  EXPECT_TRUE(streamed == content);

  Raise([&] { socket->events.send_complete(); });
  EXPECT_EQ(Status(window), "Send Complete");
  EXPECT_EQ(window.Command1.Caption(), "&Close");
  EXPECT_EQ(window.ProgressBar1.Value(), static_cast<long long>(content.size()));
  ASSERT_EQ(socket->sent.size(), 6u);
  // The end names the file alone: the sender's folders stay on the sender's computer.
  EXPECT_EQ(socket->sent[5], "ende:data.bin");
  // Closing now would drop the end message; the connection closes once it has gone. Nobody
  // listens any more: the file has gone.
  EXPECT_EQ(socket->state, SocketState::kConnected);
  EXPECT_EQ(net_.Find(SocketState::kListening), nullptr);
  Raise([&] { socket->events.send_complete(); });
  EXPECT_EQ(socket->state, SocketState::kClosed);
  EXPECT_EQ(Reports(), 0u);

  // Closing the window after the file has gone tells the chat nothing more.
  window.Command1.PersonClick();
  Run();
  EXPECT_FALSE(window.Loaded());
  EXPECT_EQ(sent_.To("Alex").size(), 1u);
  EXPECT_EQ(net_.Alive(), 0);
}

TEST_F(SendWindowTest, AReceiverWhoseConnectionBrokeConnectsAgainAndGetsTheWholeFile) {
  const std::string content = Numbered(3 * transfer::FileSender::kWindowBytes);
  frmSend& window = Invite(MakeFile("data.bin", content));
  SocketRecord* first = Connect();
  ASSERT_NE(first, nullptr);
  AnswerUpToFine(first);
  Raise([&] {
    first->state = SocketState::kClosing;
    first->events.closed();
  });
  EXPECT_EQ(Status(window), "The connection was closed before the file was sent.");
  ASSERT_NE(net_.Find(SocketState::kListening), nullptr) << "the invitation still stands";

  SocketRecord* second = Connect();
  ASSERT_NE(second, nullptr);
  ASSERT_NE(second, first);
  EXPECT_EQ(second->sent, std::vector<std::string>{"flsz:" + std::to_string(content.size())});
  EXPECT_EQ(window.ProgressBar1.Value(), 0);
  AnswerUpToFine(second);
  size_t reported = 2;
  DrainSends(second, reported);
  EXPECT_EQ(Status(window), "Send Complete");
  EXPECT_TRUE(DataBetweenNameAndEnd(*second) == content);
  EXPECT_EQ(second->sent.back(), "ende:data.bin");
  EXPECT_EQ(second->state, SocketState::kClosed);
  // Whoever comes now is turned away: the request is not taken.
  SocketRecord* listener = net_.Find(SocketState::kListening);
  EXPECT_EQ(listener, nullptr);
  EXPECT_EQ(Reports(), 0u);
}

TEST_F(SendWindowTest, ASecondReceiverDuringTheDataTakesTheTransferOverFromTheStart) {
  const std::string content = Numbered(3 * transfer::FileSender::kWindowBytes + 5);
  frmSend& window = Invite(MakeFile("data.bin", content));
  SocketRecord* first = Connect();
  ASSERT_NE(first, nullptr);
  AnswerUpToFine(first);
  Raise([&] { first->events.send_complete(); });
  Pass(300);
  EXPECT_EQ(window.ProgressBar1.Value(), transfer::FileSender::kWindowBytes);
  const size_t first_sends = first->sent.size();

  SocketRecord* second = Connect();
  ASSERT_NE(second, nullptr);
  // The first connection is dropped at once, whatever it still had to send.
  EXPECT_FALSE(first->alive);
  EXPECT_EQ(first->sent.size(), first_sends);
  EXPECT_EQ(Status(window), "Sending File Information");
  EXPECT_EQ(window.ProgressBar1.Value(), 0);
  AnswerUpToFine(second);
  size_t reported = 2;
  DrainSends(second, reported);
  EXPECT_EQ(Status(window), "Send Complete");
  EXPECT_TRUE(DataBetweenNameAndEnd(*second) == content);
  EXPECT_EQ(sent_.To("Alex").size(), 1u) << "no cancel notice";
}

TEST_F(SendWindowTest, AFileThatCannotBeReadIsShownAndReportedOnce) {
  const auto path = MakeFile("gone.bin", std::string(20000, 'g'));
  frmSend& window = Invite(path);
  SocketRecord* socket = Connect();
  ASSERT_NE(socket, nullptr);
  std::filesystem::remove(path);
  AnswerUpToFine(socket);
  EXPECT_EQ(Status(window), "The file could not be read.");
  EXPECT_EQ(socket->state, SocketState::kClosed);
  ASSERT_EQ(Reports(), 1u);
  const std::string report = LastReport();
  EXPECT_NE(report.find("Area: Winsock1_DataArrival"), std::string::npos) << report;
  EXPECT_NE(report.find("gone.bin"), std::string::npos) << report;
}

TEST_F(SendWindowTest, EmptyFileIsSentWhole) {
  frmSend& window = Invite(MakeFile("empty.txt", ""));
  EXPECT_NE(sent_.To("Alex")[0].find("_empty.txt_ (0kb)  through"), std::string::npos);
  SocketRecord* socket = Connect();
  ASSERT_NE(socket, nullptr);
  EXPECT_EQ(socket->sent[0], "flsz:0");
  Raise([&] { socket->events.send_complete(); });
  Raise([&] { socket->events.data_arrival("rcfs"); });
  Raise([&] { socket->events.send_complete(); });
  Raise([&] { socket->events.data_arrival("fine"); });
  EXPECT_EQ(Status(window), "Send Complete");
  EXPECT_EQ(window.ProgressBar1.Max(), 0);
  EXPECT_EQ(window.ProgressBar1.Percent(), 100);
  EXPECT_EQ(socket->sent.back().substr(0, 5), "ende:");
  EXPECT_EQ(Reports(), 0u);
}

TEST_F(SendWindowTest, CancelNoticeOnlyOnceTheInvitationIsOutAndUntilTheFileHasGone) {
  Dialogs();
  // The file dialog cancelled: the window says so and nothing else happens.
  program_->MainForm()->SendFile();
  Run();
  frmSend& window = program_->SendWindow();
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(Status(window), "The file transfer has been cancelled.");
  EXPECT_TRUE(net_.fetched.empty());
  window.Command1.PersonClick();
  Run();
  EXPECT_TRUE(sent_.lines.empty());

  // Closed during the port check: no invitation was out, so no notice; the check stops.
  StartSend(MakeFile("a.txt", "a"));
  window.Unload();
  Run();
  Pass(frmSend::kPortCheckMs);
  EXPECT_TRUE(sent_.lines.empty());
  for (const std::string& dialog : Dialogs()) EXPECT_EQ(dialog, "Send File: ");
  EXPECT_EQ(net_.Alive(), 0);

  // Closed while the invitation waits for the receiver: the contact hears of it, once.
  Invite(MakeFile("b.txt", "b"));
  ASSERT_EQ(sent_.To("Alex").size(), 1u);
  window.Unload(runtime::UnloadMode::kControlMenu);
  Run();
  ASSERT_EQ(sent_.To("Alex").size(), 2u);
  EXPECT_EQ(sent_.To("Alex")[1], kCancelNotice);
  EXPECT_EQ(net_.Alive(), 0);

  // "Send File..." again during a transfer ends it with the notice and starts over.
  Invite(MakeFile("c.txt", "c"));
  SocketRecord* socket = Connect();
  ASSERT_NE(socket, nullptr);
  StartSend(MakeFile("d.txt", "d"));
  EXPECT_FALSE(socket->alive);
  ASSERT_EQ(sent_.To("Alex").size(), 4u);
  EXPECT_EQ(sent_.To("Alex")[3], kCancelNotice);
  EXPECT_EQ(Status(window), "Checking open ports...");
  EXPECT_FALSE(window.Invited);
}

TEST_F(SendWindowTest, ClosedPortsAreReportedAndNothingIsAnnounced) {
  frmSend& window = StartSend(MakeFile("a.txt", "a"));
  Dialogs();
  Pass(frmSend::kPortCheckMs - 1);
  EXPECT_TRUE(Dialogs().empty());
  Pass(1);
  EXPECT_EQ(Dialogs(), std::vector<std::string>{
                           "Ports are Closed: You don't seem to have port 1129 open!\r\n\r\nPlease "
                           "visit: portforward.com for more information on how to open ports."});
  EXPECT_EQ(Status(window), "Checking open ports...");
  EXPECT_EQ(net_.Alive(), 0);
  window.Unload();
  Run();
  EXPECT_TRUE(sent_.lines.empty());
  EXPECT_EQ(Reports(), 0u);
}

TEST_F(SendWindowTest, ReceiverThatGoesAwayLeavesTheWindowSayingSo) {
  frmSend& window = Invite(MakeFile("a.bin", std::string(20000, 'a')));
  SocketRecord* socket = Connect();
  ASSERT_NE(socket, nullptr);
  Raise([&] { socket->events.send_complete(); });
  Raise([&] { socket->events.data_arrival("rcfsfine"); });  // joined by TCP
  ASSERT_EQ(socket->sent.size(), 2u);
  EXPECT_EQ(socket->sent[1], "flnm:a.bin" + std::string(20000, 'a'));
  Raise([&] {
    socket->state = SocketState::kClosing;
    socket->events.closed();
  });
  EXPECT_EQ(Status(window), "The connection was closed before the file was sent.");
  EXPECT_EQ(window.Command1.Caption(), "&Cancel");
  Pass(3000);
  EXPECT_EQ(Status(window), "The connection was closed before the file was sent.");
}

TEST_F(SendWindowTest, OnlyAnAddressFromTheAddressPageTravelsInTheInvitation) {
  EXPECT_EQ(frmSend::ReadPublicIP(" 203.0.113.9\r\n"), "203.0.113.9");
  EXPECT_EQ(frmSend::ReadPublicIP("host-1.example.net"), "host-1.example.net");
  EXPECT_EQ(frmSend::ReadPublicIP("2001:db8::1"), "2001:db8::1");
  EXPECT_FALSE(frmSend::ReadPublicIP(""));
  EXPECT_FALSE(frmSend::ReadPublicIP(" \n"));
  EXPECT_FALSE(frmSend::ReadPublicIP("<html><body>Service Unavailable</body></html>"));
  EXPECT_FALSE(frmSend::ReadPublicIP("10.0.0.1|00001"));
  EXPECT_FALSE(frmSend::ReadPublicIP("10.0.0.1 [!FileTransfer:00!]"));

  // An answer that is no address stops the transfer before any socket, with a report.
  net_.answer = {true, 200, "<html>Service Unavailable</html>", ""};
  frmSend& window = StartSend(MakeFile("a.txt", "a"));
  EXPECT_EQ(Status(window), "Your IP address could not be retrieved.");
  EXPECT_TRUE(net_.sockets.empty());
  EXPECT_EQ(Reports(), 1u);
  window.Unload();
  Run();
  EXPECT_TRUE(sent_.lines.empty());
}

}  // namespace
}  // namespace quillon::testing
