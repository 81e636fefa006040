// The receive window on the simulated desktop, with the sender played by the test.
#include "transfer/Protocol.h"
#include "transfer/TransferWindowFixture.h"

namespace quillon::testing {
namespace {

using platform::SocketState;
using transfer::frmReceive;

class ReceiveWindowTest : public TransferWindowFixture {
 protected:
  // The window opened as an invitation opens it, connected to the sender.
  SocketRecord* Connected(std::string_view address = "10.0.0.1") {
    program_->ShowReceiveWindow(address);
    Run();
    window().Command1.PersonClick();
    Run();
    SocketRecord* socket = net_.Find(SocketState::kConnecting);
    EXPECT_NE(socket, nullptr);
    if (socket == nullptr) return nullptr;
    Raise([&] {
      socket->state = SocketState::kConnected;
      socket->events.connected();
    });
    return socket;
  }
  // The sender's size and name, each ending as the sender then waits for the answer.
  void Offer(SocketRecord* socket, std::string_view size, std::string_view name) {
    Raise([&] { socket->events.data_arrival(std::string("flsz:") + std::string(size)); });
    Pass(transfer::kMessageQuietMs);
    Raise([&] { socket->events.data_arrival(std::string("flnm:") + std::string(name)); });
    Pass(transfer::kMessageQuietMs);
  }
  frmReceive& window() { return program_->ReceiveWindow(); }
};

TEST_F(ReceiveWindowTest, ReceivesTheAnnouncedBytesIntoTheChosenFile) {
  SocketRecord* socket = Connected(" 10.0.0.1\r\n");
  ASSERT_NE(socket, nullptr);
  EXPECT_EQ(socket->host, "10.0.0.1");
  EXPECT_EQ(socket->port, 1129);
  EXPECT_EQ(Status(window()), "Connected!");
  const auto target = Files() / "saved.bin";
  AnswerFile(target);
  Dialogs();
  Offer(socket, "20000", "..\\..\\Windows\\report.txt");
  EXPECT_EQ(window().ProgressBar1.Max(), 20000);
  EXPECT_EQ(window().OfferedName, "report.txt");  // nothing of the sender's folders
  EXPECT_EQ(Dialogs(), std::vector<std::string>{"Save File: "});
  EXPECT_EQ(socket->sent, (std::vector<std::string>{"rcfs", "fine"}));

  // The sender's data, one block looking like a message: all of it is file data.
  const std::string first = "ende:" + std::string(7995, 'x');
  const std::string second(8000, 'y');
  Raise([&] { socket->events.data_arrival(first); });
  Raise([&] { socket->events.data_arrival(second); });
  Pass(1000);
  EXPECT_EQ(Status(window()), "Receiving... (80%) - 16kb per second");
  // The last block arrives joined to the sender's end message; the file is complete at once.
  Raise(
      [&] { socket->events.data_arrival(std::string(4000, 'z') + "ende:C:\\secret\\report.txt"); });
  EXPECT_EQ(Status(window()), "File has been received!");
  EXPECT_EQ(window().Command2.Caption(), "&Close");
  EXPECT_EQ(window().ProgressBar1.Value(), 20000);
  EXPECT_EQ(Read(target), first + second + std::string(4000, 'z'));
  EXPECT_FALSE(window().Receiving);

  // Close after the file: no box, no notice.
  window().Command2.PersonClick();
  Run();
  EXPECT_FALSE(window().Loaded());
  EXPECT_TRUE(Dialogs().empty());
  EXPECT_TRUE(sent_.lines.empty());
  EXPECT_EQ(Read(target).size(), 20000u);
}

TEST_F(ReceiveWindowTest, DecliningToSaveDeclinesTheFile) {
  SocketRecord* socket = Connected();
  ASSERT_NE(socket, nullptr);
  Offer(socket, "10", "note.txt");  // no answer queued: the save dialog is cancelled
  EXPECT_EQ(socket->sent, std::vector<std::string>{"rcfs"});
  EXPECT_EQ(socket->state, SocketState::kClosed);
  EXPECT_EQ(Status(window()), "The file transfer has been cancelled.");
  EXPECT_EQ(sent_.To("Alex"), std::vector<std::string>{std::string(kCancelNotice)});
  EXPECT_FALSE(std::filesystem::exists("note.txt"));
  // Nothing more to cancel: closing the window says nothing more.
  window().Command2.PersonClick();
  Run();
  EXPECT_EQ(sent_.lines.size(), 1u);
}

TEST_F(ReceiveWindowTest, ASaveThatCannotBeOpenedIsShownAndReportedOnce) {
  SocketRecord* socket = Connected();
  ASSERT_NE(socket, nullptr);
  // A folder that is not there (even the superuser cannot write into it).
  AnswerFile(Files() / "no such folder" / "note.txt");
  Offer(socket, "10", "note.txt");
  EXPECT_EQ(Status(window()), "The file could not be opened for writing.");
  EXPECT_EQ(socket->sent, std::vector<std::string>{"rcfs"}) << "no \"fine\"";
  EXPECT_EQ(socket->state, SocketState::kClosed);
  ASSERT_EQ(Reports(), 1u);
  EXPECT_NE(LastReport().find("Area: Winsock1_DataArrival"), std::string::npos) << LastReport();
  EXPECT_NE(LastReport().find("Form: frmReceive"), std::string::npos) << LastReport();
  EXPECT_NE(LastReport().find("no such folder"), std::string::npos) << LastReport();

  // Connecting again with a folder that can be written gets the file.
  window().Command1.PersonClick();
  Run();
  SocketRecord* again = net_.Find(SocketState::kConnecting);
  ASSERT_NE(again, nullptr);
  Raise([&] {
    again->state = SocketState::kConnected;
    again->events.connected();
  });
  AnswerFile(Files() / "note.txt");
  Offer(again, "10", "note.txt");
  Raise([&] { again->events.data_arrival("0123456789ende:note.txt"); });
  EXPECT_EQ(Status(window()), "File has been received!");
  EXPECT_EQ(Read(Files() / "note.txt"), "0123456789");
  EXPECT_EQ(Reports(), 1u);
}

TEST_F(ReceiveWindowTest, BrokenTransferLeavesNoPartFileAndCancelTellsTheSender) {
  SocketRecord* socket = Connected();
  ASSERT_NE(socket, nullptr);
  const auto target = MakeFile("keep.bin", "old content");
  AnswerFile(target);
  Offer(socket, "16000", "keep.bin");
  Raise([&] { socket->events.data_arrival(std::string(8000, 'd')); });
  EXPECT_EQ(Read(target).size(), 8000u);
  Raise([&] {
    socket->state = SocketState::kClosing;
    socket->events.closed();
  });
  EXPECT_EQ(Status(window()), "The connection was closed before the file was received.");
  EXPECT_FALSE(std::filesystem::exists(target));
  Dialogs();
  window().Command2.PersonClick();
  Run();
  EXPECT_EQ(Dialogs(), std::vector<std::string>{"Quillon: HRSTARTED!"});
  EXPECT_EQ(sent_.To("Alex"), std::vector<std::string>{std::string(kCancelNotice)});
  EXPECT_FALSE(window().Loaded());
}

TEST_F(ReceiveWindowTest, ConnectionThatCannotBeMadeSaysSo) {
  program_->ShowReceiveWindow("10.0.0.5");
  Run();
  window().Command1.PersonClick();
  Run();
  EXPECT_EQ(Status(window()), "Connecting...");
  SocketRecord* socket = net_.Find(SocketState::kConnecting);
  ASSERT_NE(socket, nullptr);
  Raise([&] {
    socket->state = SocketState::kError;
    socket->events.error(111, "Connection refused");
  });
  EXPECT_EQ(Status(window()), "The connection could not be made.");
  // Connect again: a new attempt on the same element.
  window().Command1.PersonClick();
  Run();
  EXPECT_EQ(Status(window()), "Connecting...");
  EXPECT_EQ(socket->state, SocketState::kConnecting);
}

TEST_F(ReceiveWindowTest, NoticesGoToTheChatTheWindowWasOpenedIn) {
  // A file was last offered in the chat with Sam; the invitation now opens the window in
  // Alex's chat, and Alex is the one to hear that it was cancelled.
  client_.ActivateChat("Sam");
  Run();
  program_->Chat().TransferInput = program_->Chat().ChatInput;
  client_.ActivateChat("Alex");
  Run();
  // The window's own close button ends the transfer as Cancel does.
  ASSERT_NE(Connected(), nullptr);
  Dialogs();
  window().Unload(runtime::UnloadMode::kControlMenu);
  Run();
  EXPECT_EQ(Dialogs(), std::vector<std::string>{"Quillon: HRSTARTED!"});
  EXPECT_EQ(sent_.To("Alex"), std::vector<std::string>{std::string(kCancelNotice)});
  EXPECT_TRUE(sent_.To("Sam").empty());
  EXPECT_EQ(net_.Alive(), 0);
}

TEST_F(ReceiveWindowTest, OpenedEmptyOrWithTheAddressAndPastedFromTheClipboard) {
  program_->MainForm()->ReceiveFile();
  Run();
  EXPECT_TRUE(window().Visible());
  EXPECT_EQ(window().txtIP.Text(), "");
  EXPECT_EQ(Status(window()), "");
  EXPECT_EQ(window().Command2.Caption(), "Cancel");
  p_.shell_.SetClipboardText("192.0.2.4");
  window().Picture1.PersonClick();
  Run();
  EXPECT_EQ(window().txtIP.Text(), "192.0.2.4");
  // Closing before Connect: nothing to cancel.
  window().Command2.PersonClick();
  Run();
  EXPECT_TRUE(Dialogs().size() <= 1u);  // the welcome only
  EXPECT_TRUE(sent_.lines.empty());

  program_->ShowReceiveWindow("10.0.0.2");
  Run();
  EXPECT_TRUE(window().Visible());
  EXPECT_EQ(window().txtIP.Text(), "10.0.0.2");
}

}  // namespace
}  // namespace quillon::testing
