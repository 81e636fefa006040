// The web fetch against a small server on 127.0.0.1 in a thread of the test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <stdlib.h>

#include <chrono>
#include <string>
#include <thread>

#include "os/CurlHttp.h"
#include "os/PosixNetwork.h"

namespace quillon::os {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using namespace std::chrono_literals;

constexpr uint32_t kTimeoutMs = 2000;

class CurlHttpTest : public ::testing::Test {
 protected:
  // A proxy set for the machine must not stand between the test and its own server.
  static void SetUpTestSuite() {
    for (const char* name :
         {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
      unsetenv(name);
    }
  }

  void SetUp() override {
    server_.Get("/hello", [](const httplib::Request&, httplib::Response& response) {
      response.set_content("hello, world", "text/plain");
    });
    server_.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
      response.status = 404;
      response.set_content("nothing here", "text/plain");
    });
    server_.Get("/slow", [](const httplib::Request&, httplib::Response& response) {
      std::this_thread::sleep_for(600ms);
      response.set_content("late", "text/plain");
    });
    server_.Get("/moved", [](const httplib::Request&, httplib::Response& response) {
      response.set_redirect("/hello");
    });
    server_.Get("/circle", [](const httplib::Request&, httplib::Response& response) {
      response.set_redirect("/circle");
    });
    server_.Get("/to-file", [](const httplib::Request&, httplib::Response& response) {
      response.set_redirect("file:///etc/hostname");
    });
    server_.Get("/large", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(std::string(5000, 'x'), "text/plain");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    ASSERT_GT(port_, 0);
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // stop() only reaches a server that runs, so the test waits until it does.
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!server_.is_running() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(1ms);
    }
    ASSERT_TRUE(server_.is_running());
  }

  void TearDown() override {
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }

  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
};

TEST_F(CurlHttpTest, AnswersComeBackAcrossRedirects) {
  PosixNetwork network;
  platform::HttpResult result = network.HttpGet(Url("/hello"), kTimeoutMs);
  EXPECT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.status, 200);
  EXPECT_EQ(result.body, "hello, world");

  result = CurlHttp().Get(Url("/moved"), kTimeoutMs);
  EXPECT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.body, "hello, world");

  result = CurlHttp().Get(Url("/circle"), kTimeoutMs);
  EXPECT_FALSE(result.ok);
  EXPECT_THAT(result.error, HasSubstr("too many redirections"));
}

TEST_F(CurlHttpTest, ErrorStatusIsNotOkButKeepsStatusAndBody) {
  const platform::HttpResult result = CurlHttp().Get(Url("/missing"), kTimeoutMs);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.status, 404);
  EXPECT_EQ(result.body, "nothing here");
  EXPECT_THAT(result.error, HasSubstr("404"));
}

TEST_F(CurlHttpTest, FailuresOnTheWaySayWhatWentWrong) {
  platform::HttpResult result = CurlHttp().Get(Url("/slow"), 100);
  EXPECT_FALSE(result.ok);
  EXPECT_THAT(result.error, HasSubstr("timed out"));
  EXPECT_THAT(result.body, IsEmpty());

  result = CurlHttp(1000).Get(Url("/large"), kTimeoutMs);
  EXPECT_FALSE(result.ok);
  EXPECT_THAT(result.error, HasSubstr("larger than 1000 bytes"));
  EXPECT_THAT(result.body, IsEmpty());

  // The server's own port once it has stopped: nobody listens there.
  const std::string refused = Url("/hello");
  TearDown();
  result = CurlHttp().Get(refused, kTimeoutMs);
  EXPECT_FALSE(result.ok);
  EXPECT_THAT(result.error, StartsWith("could not connect"));
}

TEST_F(CurlHttpTest, OnlyWebAddressesAreFetched) {
  for (const char* url :
       {"file:///etc/hostname", "ftp://127.0.0.1/", "127.0.0.1/hello", "gopher://127.0.0.1/"}) {
    const platform::HttpResult result = CurlHttp().Get(url, kTimeoutMs);
    EXPECT_FALSE(result.ok) << url;
    EXPECT_THAT(result.error, HasSubstr("only http and https")) << url;
  }
  // Nor by way of a redirect.
  const platform::HttpResult result = CurlHttp().Get(Url("/to-file"), kTimeoutMs);
  EXPECT_FALSE(result.ok);
  EXPECT_THAT(result.body, IsEmpty());
  EXPECT_THAT(result.error, HasSubstr("not http or https"));
}

}  // namespace
}  // namespace quillon::os
