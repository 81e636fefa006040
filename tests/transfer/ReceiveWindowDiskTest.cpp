// The receive window against a disk that fills up or a folder it may not write: the person reads
// why, the sender's connection ends, and no part of the file is left to pass for the file.
#include "transfer/Protocol.h"
#include "transfer/TransferWindowFixture.h"

namespace quillon::testing {
namespace {

using platform::SocketState;
using transfer::frmReceive;

constexpr std::string_view kDiskFull = "The file could not be written: the disk is full.";

class ReceiveWindowDiskTest : public TransferWindowFixture {
 protected:
  // Connected to the sender, offered `size` bytes named note.txt, saved as `target`.
  SocketRecord* Offered(const std::filesystem::path& target, std::string_view size) {
    program_->ShowReceiveWindow("10.0.0.1");
    Run();
    window().Command1.PersonClick();
    Run();
    SocketRecord* socket = net_.Find(SocketState::kConnecting);
    if (socket == nullptr) return nullptr;
    Raise([&] {
      socket->state = SocketState::kConnected;
      socket->events.connected();
    });
    AnswerFile(target);
    Raise([&] { socket->events.data_arrival("flsz:" + std::string(size)); });
    Pass(transfer::kMessageQuietMs);
    Raise([&] { socket->events.data_arrival("flnm:note.txt"); });
    Pass(transfer::kMessageQuietMs);
    return socket;
  }
  frmReceive& window() { return program_->ReceiveWindow(); }
};

TEST_F(ReceiveWindowDiskTest, ADiskThatFillsUpSaysSoAndLeavesNoPartFile) {
  // Table: the disk fills before the first block, or between blocks, or just before the
  // block that completes the file (which the receiver has already counted as complete).
  struct Case {
    const char* name;
    int full_before_block;  // of three blocks, the last one ending the file
  };
  for (const Case& c : {Case{"first", 0}, Case{"middle", 1}, Case{"last", 2}}) {
    SCOPED_TRACE(c.name);
    const auto target = Files() / (std::string(c.name) + ".bin");
    SocketRecord* socket = Offered(target, "30");
    ASSERT_NE(socket, nullptr);
    ASSERT_EQ(socket->sent, (std::vector<std::string>{"rcfs", "fine"}));
    const size_t reports_before = Reports();
    for (int block = 0; block < 3; ++block) {
      if (block == c.full_before_block) p_.files_.SetDiskFull(true);
      Raise([&] { socket->events.data_arrival(std::string(10, static_cast<char>('a' + block))); });
    }
    EXPECT_EQ(Status(window()), kDiskFull);
    EXPECT_FALSE(std::filesystem::exists(target));
    ASSERT_EQ(Reports(), reports_before + 1);
    EXPECT_NE(LastReport().find("Area: Winsock1_DataArrival"), std::string::npos) << LastReport();
    EXPECT_NE(LastReport().find(std::string(kDiskFull)), std::string::npos) << LastReport();
    // Broken off mid-file, the sender's connection is closed; after the last block the sender
    // has nothing more to send and closes it itself.
    if (c.full_before_block < 2) {
      EXPECT_EQ(socket->state, SocketState::kClosed);
    }
    p_.files_.SetDiskFull(false);
    window().Command2.PersonClick();
    Run();
  }
}

TEST_F(ReceiveWindowDiskTest, AReadOnlyFolderRefusesTheSaveAndTheFreedDiskTakesTheFile) {
  p_.files_.SetFolderReadOnly(Files().string());
  SocketRecord* socket = Offered(Files() / "note.txt", "4");
  ASSERT_NE(socket, nullptr);
  EXPECT_EQ(Status(window()), "The file could not be opened for writing: the folder is read-only.");
  EXPECT_EQ(socket->sent, std::vector<std::string>{"rcfs"}) << "no \"fine\"";
  EXPECT_EQ(socket->state, SocketState::kClosed);
  EXPECT_FALSE(std::filesystem::exists(Files() / "note.txt"));

  // Elsewhere, the same window receives the file whole.
  std::filesystem::create_directories(Files() / "open");
  socket = Offered(Files() / "open" / "note.txt", "4");
  ASSERT_NE(socket, nullptr);
  Raise([&] { socket->events.data_arrival("abcdende:note.txt"); });
  EXPECT_EQ(Status(window()), "File has been received!");
  EXPECT_EQ(Read(Files() / "open" / "note.txt"), "abcd");
}

}  // namespace
}  // namespace quillon::testing
