// How long a character typed on the page takes to come back on the live channel, and what the
// server costs while the desktop is idle.
//
//   web_latency_bench [CHARACTERS] [IDLE_SECONDS]
//
// It runs a live sandbox with a chat open and the desktop server on a free port, listens on the
// live channel as a page does, and posts `type "x"` statements as the page's keys do, timing
// each from the post to the event that shows the new text in the chat's input (the model built,
// published, sent and received; the browser's drawing is not counted). Then it leaves everything
// idle with the channel open and counts the loop thread's wake-ups, the desktop models built, the
// events sent and the process's CPU time.
#include <httplib.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <mutex>
#include <sstream>
#include <thread>

#include "sandbox/Sandbox.h"
#include "web/LiveDesktops.h"

namespace {

using Clock = std::chrono::steady_clock;

// The process's CPU time so far, user and system, in milliseconds.
double CpuMs() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  unsigned long long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::stoull(field);
    if (i == 15) stime = std::stoull(field);
  }
  return (utime + stime) * 1000.0 / sysconf(_SC_CLK_TCK);
}

// How often the thread has given up the processor to wait (each wait ends in one wake-up).
long Switches(long tid) {
  std::ifstream status("/proc/self/task/" + std::to_string(tid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("voluntary_ctxt_switches:", 0) == 0) return std::stol(line.substr(24));
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quillon;
  const int characters = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const int idle_seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;

  const std::string file = "/tmp/web_latency_bench.scn";
  std::ofstream(file) << "gtalk contacts \"Alex\"\ngtalk start\nquillon start\nclose frmOptions\n"
                         "activate chat \"Alex\"\n";
  sandbox::Sandbox::Options options;
  options.data_folder = QUILLON_DATA_DIR;
  options.live = true;
  options.pace_ms = 0;
  sandbox::Sandbox sandbox(options);
  web::LiveDesktops desktops(sandbox);
  std::string error;
  if (!desktops.Serve(0, error)) {
    std::cerr << error << "\n";
    return 2;
  }
  web::WebServer& server = desktops.Server();
  web::WebPublisher& publisher = desktops.Publisher();
  std::atomic<long> loop_tid = 0;
  std::istringstream no_prompt;
  std::thread loop([&] {
    loop_tid = static_cast<long>(syscall(SYS_gettid));
    sandbox.RunLive(no_prompt, std::filesystem::path(file));
  });

  // The page's live channel: every event's text, as it arrives.
  const std::string origin = "http://127.0.0.1:" + std::to_string(server.Port());
  std::mutex mutex;
  std::condition_variable arrived;
  std::string events;
  long event_count = 0;
  std::atomic<bool> stop = false;
  std::thread listener([&] {
    httplib::Client client("127.0.0.1", server.Port());
    client.set_read_timeout(3600);
    client.Get("/user/me/events?since=0&token=" + server.Token(),
               [&](const char* data, size_t length) {
                 {
                   std::lock_guard lock(mutex);
                   events.append(data, length);
                   if (std::string_view(data, length).rfind("data:", 0) == 0) ++event_count;
                 }
                 arrived.notify_all();
                 return !stop;
               });
  });
  httplib::Client actions("127.0.0.1", server.Port());
  actions.set_read_timeout(60);
  httplib::Headers headers{{"Origin", origin}, {"X-Quillon-Token", server.Token()}};
  auto act = [&](const std::string& statement) {
    auto result = actions.Post("/user/me/act", headers, statement, "text/plain");
    return result && result->status == 200;
  };
  // The scenario has played once a statement of the page's runs after it.
  if (!act("activate chat \"Alex\"")) {
    std::cerr << "the page's action was refused\n";
    return 1;
  }

  std::vector<double> latencies;
  std::string typed;
  for (int i = 0; i < characters; ++i) {
    typed += static_cast<char>('a' + i % 26);
    const std::string wanted = "data-text=\\\"" + typed + "\\\"";
    auto start = Clock::now();
    {
      std::lock_guard lock(mutex);
      events.clear();
    }
    act("type \"" + typed.substr(typed.size() - 1) + "\"");
    std::unique_lock lock(mutex);
    if (!arrived.wait_for(lock, std::chrono::seconds(10),
                          [&] { return events.find(wanted) != std::string::npos; })) {
      std::cerr << "the typed text never came back on the live channel\n";
      return 1;
    }
    latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (typed.size() >= 60) {
      lock.unlock();
      act("select 0 -1");
      act("key Backspace");
      typed.clear();
    }
  }
  std::sort(latencies.begin(), latencies.end());
  auto at = [&](double share) {
    return latencies[std::min(latencies.size() - 1, size_t(share * latencies.size()))];
  };
  std::printf(
      "typed character -> live channel event: %zu characters, median %.2f ms, "
      "p95 %.2f ms, max %.2f ms\n",
      latencies.size(), at(0.5), at(0.95), latencies.back());

  // Idle: the desktop has nothing to do but Quillon's own timers.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  long switches_before = Switches(loop_tid);
  uint64_t builds_before = publisher.Builds();
  long events_before;
  {
    std::lock_guard lock(mutex);
    events_before = event_count;
  }
  double cpu_before = CpuMs();
  double publish_before = publisher.PublishMs();
  auto idle_start = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(idle_seconds));
  double seconds = std::chrono::duration<double>(Clock::now() - idle_start).count();
  double cpu = CpuMs() - cpu_before;
  long switches = Switches(loop_tid) - switches_before;
  uint64_t builds = publisher.Builds() - builds_before;
  double publishing = publisher.PublishMs() - publish_before;
  long sent;
  {
    std::lock_guard lock(mutex);
    sent = event_count - events_before;
  }
  std::printf(
      "idle for %.1f s with one page listening: CPU %.3f%% of one core (%.1f ms), loop "
      "wake-ups %.2f/s, desktop models built %.2f/s (%.1f ms in all), events sent %ld\n",
      seconds, 100.0 * cpu / (seconds * 1000.0), cpu, switches / seconds, builds / seconds,
      publishing, sent);

  stop = true;
  server.Stop();
  sandbox.Inbox()->Close();
  loop.join();
  listener.join();
  std::remove(file.c_str());
  return 0;
}
