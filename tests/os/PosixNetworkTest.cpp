// Real sockets on 127.0.0.1 only: every network here uses a loopback PortMap, or connects in
// identity mode to a real port that such a map handed out.
#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "os/PortMap.h"
#include "os/PosixNetwork.h"

namespace quillon::os {
namespace {

using platform::SocketEvents;
using platform::SocketState;
using platform::TcpSocket;
using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace std::chrono_literals;

constexpr uint16_t kPort = 1129;

// Runs the networks' passes until `done` holds; false when it has not after five seconds.
bool PumpUntil(std::initializer_list<PosixNetwork*> networks, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    bool ran = false;
    for (PosixNetwork* network : networks) ran = network->DispatchReady() || ran;
    if (!ran) std::this_thread::sleep_for(1ms);
  }
  return true;
}

// Runs the networks' passes for a while, for checks that something does not happen.
void PumpFor(std::initializer_list<PosixNetwork*> networks, std::chrono::milliseconds time) {
  const auto end = std::chrono::steady_clock::now() + time;
  PumpUntil(networks, [&] { return std::chrono::steady_clock::now() >= end; });
}

std::string Pattern(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (size_t at = 0; at < size; at += 4) {
    const uint32_t word = random();
    std::memcpy(bytes.data() + at, &word, std::min<size_t>(4, size - at));
  }
  return bytes;
}

// One end of a connection that records its events as words, in order. Consecutive deliveries of
// data are one "data", since TCP splits and joins them as it likes.
struct Peer {
  explicit Peer(PosixNetwork& network) : network(network) { Renew(); }

  void Renew() {
    SocketEvents events;
    events.connection_request = [this](uint32_t request) {
      log.push_back("request");
      if (on_request) on_request(request);
    };
    events.connected = [this] { log.push_back("connected"); };
    events.data_arrival = [this](std::string_view bytes) {
      if (log.empty() || log.back() != "data") log.push_back("data");
      received.append(bytes);
      if (on_data) on_data(bytes);
    };
    events.send_complete = [this] {
      log.push_back("send_complete");
      ++send_completes;
    };
    events.closed = [this] {
      log.push_back("closed");
      if (on_closed) on_closed();
    };
    events.error = [this](int code, const std::string& description) {
      log.push_back("error " + std::to_string(code));
      EXPECT_FALSE(description.empty());
      if (on_error) on_error();
    };
    socket = network.CreateSocket(std::move(events));
  }

  bool Ended() const {
    return !log.empty() && (log.back() == "closed" || log.back().starts_with("error"));
  }

  PosixNetwork& network;
  std::unique_ptr<TcpSocket> socket;
  std::vector<std::string> log;
  std::string received;
  int send_completes = 0;
  std::function<void(uint32_t)> on_request = [this](uint32_t request) {
    EXPECT_TRUE(socket->Accept(request));
  };
  std::function<void(std::string_view)> on_data;
  std::function<void()> on_closed;
  std::function<void()> on_error;
};

class PosixNetworkTest : public ::testing::Test {
 protected:
  // Listens as alice on the logical port and connects bob to it, accepting the request.
  void Join(Peer& server, Peer& client) {
    ASSERT_TRUE(server.socket->Listen(kPort));
    ASSERT_TRUE(client.socket->Connect("10.0.0.1", kPort));
    ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] {
      return server.socket->State() == SocketState::kConnected &&
             client.socket->State() == SocketState::kConnected;
    }));
  }

  std::shared_ptr<PortMap> map_ = std::make_shared<PortMap>(PortMap::Mode::kLoopback);
  PosixNetwork alice_{map_, "10.0.0.1"};
  PosixNetwork bob_{map_, "10.0.0.2"};
};

TEST_F(PosixNetworkTest, RequestAcceptAndConnectArriveLaterInOrderAndNameBothEnds) {
  Peer server(alice_);
  Peer client(bob_);
  ASSERT_TRUE(server.socket->Listen(kPort));
  EXPECT_EQ(server.socket->State(), SocketState::kListening);
  EXPECT_TRUE(alice_.WaitsOnRealWorld());
  EXPECT_FALSE(bob_.WaitsOnRealWorld());

  ASSERT_TRUE(client.socket->Connect("10.0.0.1", kPort));
  EXPECT_EQ(client.socket->State(), SocketState::kConnecting);
  EXPECT_THAT(client.log, IsEmpty());
  EXPECT_TRUE(bob_.WaitsOnRealWorld());

  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return client.log.size() == 1; }));
  EXPECT_THAT(server.log, ElementsAre("request"));
  EXPECT_THAT(client.log, ElementsAre("connected"));
  EXPECT_EQ(server.socket->State(), SocketState::kConnected);
  EXPECT_EQ(server.socket->RemoteHostIp(), "10.0.0.2");
  EXPECT_EQ(client.socket->RemoteHostIp(), "10.0.0.1");
  EXPECT_EQ(alice_.LocalIp(), "10.0.0.1");

  // The listener became the connection, so nobody listens on the port any more.
  Peer late(bob_);
  ASSERT_TRUE(late.socket->Connect("10.0.0.1", kPort));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return late.Ended(); }));
  EXPECT_THAT(late.log, ElementsAre("error " + std::to_string(ECONNREFUSED)));
  EXPECT_EQ(late.socket->State(), SocketState::kError);

  server.socket->Close();
  client.socket->Close();
  EXPECT_FALSE(alice_.WaitsOnRealWorld());
  EXPECT_FALSE(bob_.WaitsOnRealWorld());
}

TEST_F(PosixNetworkTest, ARequestAcceptedOnAnotherSocketLeavesTheListenerListening) {
  Peer listener(alice_);
  ASSERT_TRUE(listener.socket->Listen(kPort));
  // Each request gets a socket of its own, as a control array's new element takes it.
  std::vector<std::unique_ptr<Peer>> taken;
  listener.on_request = [&](uint32_t request) {
    taken.push_back(std::make_unique<Peer>(alice_));
    EXPECT_TRUE(taken.back()->socket->Accept(request));
    // Taken once: neither the listener nor a third socket can have it again.
    EXPECT_FALSE(listener.socket->Accept(request));
    Peer other(alice_);
    EXPECT_FALSE(other.socket->Accept(request));
  };
  Peer first(bob_);
  ASSERT_TRUE(first.socket->Connect("10.0.0.1", kPort));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return first.log.size() == 1; }));
  EXPECT_THAT(first.log, ElementsAre("connected"));
  EXPECT_EQ(listener.socket->State(), SocketState::kListening);
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0]->socket->State(), SocketState::kConnected);
  EXPECT_EQ(taken[0]->socket->RemoteHostIp(), "10.0.0.2");

  // The first connection breaks off; a second one on the same port is taken as well.
  first.socket->Close();
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return taken[0]->Ended(); }));
  Peer second(bob_);
  ASSERT_TRUE(second.socket->Connect("10.0.0.1", kPort));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return taken.size() == 2 && second.log.size(); }));
  EXPECT_THAT(second.log, ElementsAre("connected"));
  ASSERT_TRUE(second.socket->Send("again"));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return taken[1]->received == "again"; }));
  // A connected socket takes no request.
  EXPECT_FALSE(taken[1]->socket->Accept(12345));
}

TEST_F(PosixNetworkTest, EachSendIsReportedAsSoonAsItsOwnBytesHaveGone) {
  Peer server(alice_);
  Peer client(bob_);
  Join(server, client);
  // A small send, then more than the system buffers while the other side reads nothing: the
  // small one is reported at once, the large one only once the reader has made room.
  ASSERT_TRUE(client.socket->Send("head"));
  const std::string bulk = Pattern(16 * 1024 * 1024, 9);
  ASSERT_TRUE(client.socket->Send(bulk));
  ASSERT_TRUE(client.socket->Send("tail"));
  PumpFor({&bob_}, 200ms);
  EXPECT_EQ(client.send_completes, 1);
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return client.send_completes == 3; }));
  ASSERT_TRUE(
      PumpUntil({&alice_, &bob_}, [&] { return server.received.size() == 8 + bulk.size(); }));
  EXPECT_TRUE(server.received == "head" + bulk + "tail");
}

TEST_F(PosixNetworkTest, RequestsNotAcceptedInTheirEventOrBesideTheAcceptedOneAreTurnedAway) {
  Peer server(alice_);
  server.on_request = [](uint32_t) {};
  ASSERT_TRUE(server.socket->Listen(kPort));
  Peer ignored(bob_);
  ASSERT_TRUE(ignored.socket->Connect("10.0.0.1", kPort));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return ignored.Ended(); }));
  EXPECT_THAT(ignored.log, ElementsAre("connected", "closed"));
  EXPECT_EQ(server.socket->State(), SocketState::kListening);

  // Two at once: one is accepted, the other ends whether it was taken from the system already or
  // still waited there when the listener closed.
  server.on_request = [&](uint32_t request) { EXPECT_TRUE(server.socket->Accept(request)); };
  Peer first(bob_);
  Peer second(bob_);
  ASSERT_TRUE(first.socket->Connect("10.0.0.1", kPort));
  ASSERT_TRUE(second.socket->Connect("10.0.0.1", kPort));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] {
    return server.socket->State() == SocketState::kConnected && (first.Ended() || second.Ended());
  }));
  Peer& accepted = first.Ended() ? second : first;
  ASSERT_TRUE(accepted.socket->Send("hello"));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return server.received == "hello"; }));
  EXPECT_EQ(server.socket->RemoteHostIp(), "10.0.0.2");
}

TEST_F(PosixNetworkTest, LargeTransfersBothWaysArriveWholeAndInOrder) {
  Peer server(alice_);
  Peer client(bob_);
  Join(server, client);
  // The server runs the loop from inside its data event now and then, as a handler that
  // processes pending events does; the bytes it was handed must stay as they were.
  int deliveries = 0;
  server.on_data = [&](std::string_view bytes) {
    const std::string kept(bytes);
    if (++deliveries % 7 == 0) alice_.DispatchReady();
    EXPECT_EQ(bytes, kept);
  };
  const std::string up = Pattern(3 * 1024 * 1024, 1);
  const std::string down = Pattern(2 * 1024 * 1024 + 17, 2);
  std::mt19937 random(3);
  auto send_in_pieces = [&](TcpSocket& socket, const std::string& bytes) {
    int sends = 0;
    for (size_t at = 0; at < bytes.size(); ++sends) {
      const size_t piece = std::min<size_t>(bytes.size() - at, 1 + random() % 300000);
      EXPECT_TRUE(socket.Send(std::string_view(bytes).substr(at, piece)));
      at += piece;
    }
    return sends;
  };
  const int up_sends = send_in_pieces(*client.socket, up);
  const int down_sends = send_in_pieces(*server.socket, down);

  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] {
    return server.received.size() == up.size() && client.received.size() == down.size() &&
           client.send_completes == up_sends && server.send_completes == down_sends;
  }));
  EXPECT_TRUE(server.received == up);
  EXPECT_TRUE(client.received == down);
}

TEST_F(PosixNetworkTest, SendCompleteWaitsUntilThePeerHasMadeRoomForEverything) {
  Peer server(alice_);
  Peer client(bob_);
  Join(server, client);
  // More than the system buffers while the receiving side reads nothing.
  const std::string bytes = Pattern(16 * 1024 * 1024, 4);
  ASSERT_TRUE(client.socket->Send(bytes));
  PumpFor({&bob_}, 200ms);
  EXPECT_EQ(client.send_completes, 0);

  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] {
    return server.received.size() == bytes.size() && client.send_completes == 1;
  }));
  EXPECT_TRUE(server.received == bytes);
  // An empty send is answered too, so a sender counting its sends never waits forever.
  ASSERT_TRUE(client.socket->Send(""));
  ASSERT_TRUE(PumpUntil({&bob_}, [&] { return client.send_completes == 2; }));
}

TEST_F(PosixNetworkTest, PeerCloseComesAfterTheLastBytes) {
  Peer server(alice_);
  Peer client(bob_);
  Join(server, client);
  ASSERT_TRUE(client.socket->Send("last words"));
  ASSERT_TRUE(PumpUntil({&bob_}, [&] { return client.send_completes == 1; }));
  client.socket->Close();
  EXPECT_EQ(client.socket->State(), SocketState::kClosed);

  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return server.Ended(); }));
  EXPECT_THAT(server.log, ElementsAre("request", "data", "closed"));
  EXPECT_EQ(server.received, "last words");
  EXPECT_EQ(server.socket->State(), SocketState::kClosing);
  EXPECT_FALSE(server.socket->Send("too late"));
  EXPECT_THAT(client.log, ElementsAre("connected", "send_complete"));
}

TEST_F(PosixNetworkTest, ConnectingWhereNobodyListensEndsInAnError) {
  // A real port that was free a moment ago, handed out by the loopback map.
  Peer listener(alice_);
  ASSERT_TRUE(listener.socket->Listen(4242));
  const uint16_t free_port = map_->Resolve("10.0.0.1", 4242)->port;
  listener.socket->Close();

  PosixNetwork machine;
  Peer real(machine);
  ASSERT_TRUE(real.socket->Connect("127.0.0.1", free_port));
  Peer simulated(bob_);
  ASSERT_TRUE(simulated.socket->Connect("10.0.0.9", kPort));
  EXPECT_THAT(simulated.log, IsEmpty());

  ASSERT_TRUE(PumpUntil({&machine, &bob_}, [&] { return real.Ended() && simulated.Ended(); }));
  EXPECT_THAT(real.log, ElementsAre("error " + std::to_string(ECONNREFUSED)));
  EXPECT_THAT(simulated.log, ElementsAre("error " + std::to_string(ECONNREFUSED)));
  EXPECT_EQ(real.socket->State(), SocketState::kError);
  EXPECT_FALSE(machine.WaitsOnRealWorld());
}

TEST_F(PosixNetworkTest, IdentityMachineReachesLoopbackByNameAndKnowsAnAddressOfItsOwn) {
  Peer server(alice_);
  ASSERT_TRUE(server.socket->Listen(kPort));
  PosixNetwork machine;
  Peer client(machine);
  ASSERT_TRUE(client.socket->Connect("localhost", map_->Resolve("10.0.0.1", kPort)->port));
  ASSERT_TRUE(PumpUntil({&alice_, &machine}, [&] { return client.log.size() == 1; }));
  EXPECT_THAT(client.log, ElementsAre("connected"));
  EXPECT_EQ(client.socket->RemoteHostIp(), "127.0.0.1");
  EXPECT_EQ(server.socket->RemoteHostIp(), "127.0.0.1");

  in_addr parsed{};
  EXPECT_EQ(inet_pton(AF_INET, machine.LocalIp().c_str(), &parsed), 1) << machine.LocalIp();
}

TEST_F(PosixNetworkTest, CallbacksMayDestroyTheirOwnSocketAndMakeNewOnes) {
  // A data event that destroys its socket and listens again with a new one.
  Peer server(alice_);
  Peer client(bob_);
  Join(server, client);
  server.on_data = [&](std::string_view) {
    server.socket.reset();
    server.Renew();
    EXPECT_TRUE(server.socket->Listen(kPort));
  };
  ASSERT_TRUE(client.socket->Send(Pattern(1024 * 1024, 5)));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return client.Ended(); }));
  EXPECT_THAT(server.log, ElementsAre("request", "data"));

  // A request event that destroys the listener: the request goes with it.
  server.on_request = [&](uint32_t) { server.socket.reset(); };
  Peer second(bob_);
  ASSERT_TRUE(second.socket->Connect("10.0.0.1", kPort));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return second.Ended(); }));
  EXPECT_EQ(server.socket, nullptr);

  // Closed and error events that destroy their sockets.
  Peer listener(alice_);
  Peer closing(bob_);
  Join(listener, closing);
  listener.on_closed = [&] { listener.socket.reset(); };
  closing.socket->Close();
  Peer refused(bob_);
  refused.on_error = [&] { refused.socket.reset(); };
  ASSERT_TRUE(refused.socket->Connect("10.0.0.9", kPort));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return !listener.socket && !refused.socket; }));

  // A socket closed and connected again from inside its own event goes on as the new connection.
  Peer host(bob_);
  ASSERT_TRUE(host.socket->Listen(kPort));
  Peer caller(alice_);
  Peer callee(bob_);
  Join(caller, callee);
  caller.on_data = [&](std::string_view) {
    caller.socket->Close();
    EXPECT_TRUE(caller.socket->Connect("10.0.0.2", kPort));
  };
  ASSERT_TRUE(callee.socket->Send(Pattern(256 * 1024, 8)));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] {
    return host.socket->State() == SocketState::kConnected && caller.log.back() == "connected";
  }));
  EXPECT_THAT(caller.log, ElementsAre("request", "data", "connected"));
}

TEST_F(PosixNetworkTest, ACallbackMayDestroyAnotherSocketWhoseEventsAreDue) {
  Peer server_a(alice_);
  Peer client_a(bob_);
  Join(server_a, client_a);
  Peer server_b(alice_);
  Peer client_b(bob_);
  Join(server_b, client_b);
  server_a.on_data = [&](std::string_view) { server_b.socket.reset(); };
  ASSERT_TRUE(client_b.socket->Send(Pattern(512 * 1024, 6)));
  ASSERT_TRUE(client_a.socket->Send(Pattern(512 * 1024, 7)));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return !server_b.socket; }));
  ASSERT_TRUE(PumpUntil({&alice_, &bob_}, [&] { return server_a.received.size() == 512 * 1024; }));
}

TEST_F(PosixNetworkTest, SocketsOutliveTheirNetworkClosedAndSilent) {
  auto network = std::make_unique<PosixNetwork>(map_, "10.0.0.3");
  Peer server(*network);
  ASSERT_TRUE(server.socket->Listen(kPort));
  network.reset();
  EXPECT_EQ(server.socket->State(), SocketState::kClosed);
  EXPECT_FALSE(server.socket->Listen(kPort));
  EXPECT_FALSE(map_->Resolve("10.0.0.3", kPort).has_value());
}

TEST(PosixNetworkPairsTest, TwoSimulationsMeetOnTheSamePortWithoutColliding) {
  struct Simulation {
    std::shared_ptr<PortMap> map = std::make_shared<PortMap>(PortMap::Mode::kLoopback);
    PosixNetwork alice{map, "10.0.0.1"};
    PosixNetwork bob{map, "10.0.0.2"};
    Peer server{alice};
    Peer client{bob};
  };
  Simulation one;
  Simulation two;
  ASSERT_TRUE(one.server.socket->Listen(kPort));
  ASSERT_TRUE(two.server.socket->Listen(kPort));
  // Within one simulation a machine's port is taken once, as on a real machine; another machine
  // has a port 1129 of its own.
  Peer again(one.alice);
  EXPECT_FALSE(again.socket->Listen(kPort));
  Peer elsewhere(one.bob);
  EXPECT_TRUE(elsewhere.socket->Listen(kPort));

  ASSERT_TRUE(one.client.socket->Connect("10.0.0.1", kPort));
  ASSERT_TRUE(two.client.socket->Connect("10.0.0.1", kPort));
  auto all_connected = [&] { return one.client.log.size() == 1 && two.client.log.size() == 1; };
  ASSERT_TRUE(PumpUntil({&one.alice, &one.bob, &two.alice, &two.bob}, all_connected));
  ASSERT_TRUE(one.client.socket->Send("for the first alice"));
  ASSERT_TRUE(two.client.socket->Send("for the second alice"));
  ASSERT_TRUE(PumpUntil({&one.alice, &one.bob, &two.alice, &two.bob}, [&] {
    return one.server.received.size() == 19 && two.server.received.size() == 20;
  }));
  EXPECT_EQ(one.server.received, "for the first alice");
  EXPECT_EQ(two.server.received, "for the second alice");
}

}  // namespace
}  // namespace quillon::os
