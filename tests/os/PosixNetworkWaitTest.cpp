// An idle event loop on the machine's clock sleeps in poll on the network's sockets: a peer's
// connection or bytes wake it, with nothing polled in between.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "os/PortMap.h"
#include "os/PosixNetwork.h"
#include "os/SteadyClock.h"
#include "runtime/EventLoop.h"
#include "runtime/Timer.h"

namespace quillon::os {
namespace {

TEST(PosixNetworkWaitTest, APeersConnectionAndBytesWakeTheSleepingLoop) {
  auto map = std::make_shared<PortMap>(PortMap::Mode::kLoopback);
  PosixNetwork network(map, "10.0.0.1");
  SteadyClock clock;
  runtime::EventLoop loop(clock);
  loop.AddSource(&network);

  std::unique_ptr<platform::TcpSocket> listener;
  std::string received;
  platform::SocketEvents events;
  events.connection_request = [&](uint32_t request) { listener->Accept(request); };
  events.data_arrival = [&](std::string_view bytes) { received.append(bytes); };
  listener = network.CreateSocket(events);
  ASSERT_TRUE(listener->Listen(1129));
  const std::optional<PortMap::Endpoint> address = map->Resolve("10.0.0.1", 1129);
  ASSERT_TRUE(address.has_value());

  // The peer is another program: it connects and writes while the loop is asleep.
  std::thread peer([&] {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(address->port);
    inet_pton(AF_INET, address->host.c_str(), &to.sin_addr);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      (void)write(fd, "hello", 5);
      char ignored;
      (void)read(fd, &ignored, 1);  // until the loop's side closes
    }
    close(fd);
  });
  // Without the sockets in the wait, nothing would end it: there is no timer and no time limit.
  while (received != "hello") loop.RunOrWait();
  listener->Close();
  peer.join();
  // A wake for the connection, one for the bytes, and perhaps one more where the system hands
  // them over in two steps; a wait in steps of a few milliseconds woke about twenty times.
  EXPECT_GE(loop.Waits(), 1u);
  EXPECT_LE(loop.Waits(), 4u);
  loop.RemoveSource(&network);
}

// Time that moves only when told, so the test's timer falls due exactly when the test says.
class StillClock : public platform::Clock {
 public:
  uint64_t TickCount() override { return tick_; }
  platform::LocalTime Now() override { return {}; }
  bool IsVirtual() const override { return true; }
  void Sleep(uint64_t ms) override { tick_ += ms; }

 private:
  uint64_t tick_ = 1000;
};

TEST(PosixNetworkWaitTest, AStreamBetweenTwoMachinesOfOneLoopLeavesTheTimersTheirTurn) {
  // As a file between two users of one sandbox: each send taken is answered by the next one, and
  // the bytes arrive while the program handles the ones before. A timer due meanwhile (the
  // person's Cancel waits the same way) must not wait for the whole stream.
  constexpr size_t kChunk = 64 * 1024;
  constexpr size_t kTotal = 16 * 1024 * 1024;
  auto map = std::make_shared<PortMap>(PortMap::Mode::kLoopback);
  PosixNetwork alice(map, "10.0.0.1");
  PosixNetwork bob(map, "10.0.0.2");
  StillClock clock;
  runtime::EventLoop loop(clock);
  loop.AddSource(&alice);
  loop.AddSource(&bob);

  std::unique_ptr<platform::TcpSocket> receiver;
  size_t received = 0;
  platform::SocketEvents in;
  in.connection_request = [&](uint32_t request) { receiver->Accept(request); };
  in.data_arrival = [&](std::string_view bytes) { received += bytes.size(); };
  receiver = alice.CreateSocket(in);
  ASSERT_TRUE(receiver->Listen(1129));

  std::unique_ptr<platform::TcpSocket> sender;
  const std::string chunk(kChunk, 'x');
  size_t sent = 0;
  auto send_more = [&] {
    if (sent >= kTotal) return;
    sent += chunk.size();
    sender->Send(chunk);
  };
  platform::SocketEvents out;
  out.connected = send_more;
  out.send_complete = send_more;
  sender = bob.CreateSocket(out);
  ASSERT_TRUE(sender->Connect("10.0.0.1", 1129));

  std::optional<size_t> received_at_tick;
  runtime::Timer timer(loop, 5, true, [&] {
    if (!received_at_tick) received_at_tick = received;
  });
  clock.Sleep(5);
  for (int round = 0; round < 100000 && received < kTotal; ++round) loop.ProcessPending();
  ASSERT_EQ(received, kTotal);
  ASSERT_TRUE(received_at_tick.has_value());
  EXPECT_LT(*received_at_tick, kTotal);
  loop.RemoveSource(&alice);
  loop.RemoveSource(&bob);
}

}  // namespace
}  // namespace quillon::os
