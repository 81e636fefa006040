// A file from one user's Quillon to another's, both in one sandbox on its loopback network, timed
// from the receiver's Connect to the last byte written; and in the same run the anchor: a plain
// copy of the same file over a loopback socket by two processes, the sender reading 8000-byte
// blocks and sending each with a blocking send, the receiver reading and writing 8000-byte blocks.
// The sandbox runs in a child process, whose peak resident memory is its own.
//
// usage: transfer_end_to_end_bench [SIZE] [--rounds N] [--no-anchor]
//   SIZE: megabytes (default 500), or a count with MB, MiB or GiB ("4GiB").
//   The files go to $QUILLON_BENCH_DIR, else to /dev/shm when it has room, else to /tmp.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "sandbox/Sandbox.h"
#include "sandbox/ScenarioReader.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr size_t kAnchorBlock = 8000;
constexpr double kMB = 1e6;
constexpr double kGoalRatio = 0.8;
constexpr double kGoalRssMB = 32;
constexpr long kTmpfsMagic = 0x01021994;
constexpr long kRamfsMagic = 0x858458f6;

std::optional<uint64_t> ParseSize(std::string text) {
  uint64_t unit = 1000 * 1000;
  for (auto [suffix, factor] : {std::pair<const char*, uint64_t>{"GiB", 1ull << 30},
                                {"MiB", 1ull << 20},
                                {"MB", 1000 * 1000}}) {
    if (text.size() > std::strlen(suffix) && text.ends_with(suffix)) {
      text.resize(text.size() - std::strlen(suffix));
      unit = factor;
      break;
    }
  }
  char* end = nullptr;
  const unsigned long long count = std::strtoull(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || count == 0) return std::nullopt;
  return count * unit;
}

uint64_t FreeBytes(const fs::path& folder) {
  struct statvfs info {};
  if (statvfs(folder.c_str(), &info) != 0) return 0;
  return static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
}

bool MemoryBacked(const fs::path& folder) {
  struct statfs info {};
  if (statfs(folder.c_str(), &info) != 0) return false;
  return static_cast<long>(info.f_type) == kTmpfsMagic ||
         static_cast<long>(info.f_type) == kRamfsMagic;
}

// The source and one copy at a time, with room to spare.
fs::path PickFolder(uint64_t size) {
  if (const char* chosen = std::getenv("QUILLON_BENCH_DIR"); chosen && *chosen) return chosen;
  const uint64_t needed = 2 * size + (256ull << 20);
  if (fs::is_directory("/dev/shm") && FreeBytes("/dev/shm") >= needed) return "/dev/shm";
  return fs::temp_directory_path();
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t wrote = ::write(fd, data, size);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    data += wrote;
    size -= static_cast<size_t>(wrote);
  }
  return true;
}

// Bytes that do not repeat in any short period, so nothing along the way can shortcut them.
bool MakeFile(const fs::path& path, uint64_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  std::mt19937_64 random(42);
  std::vector<uint64_t> chunk((1 << 20) / sizeof(uint64_t));
  bool ok = true;
  for (uint64_t done = 0; ok && done < size;) {
    for (auto& word : chunk) word = random();
    const size_t count = static_cast<size_t>(std::min<uint64_t>(size - done, 1 << 20));
    ok = WriteAll(fd, reinterpret_cast<const char*>(chunk.data()), count);
    done += count;
  }
  return ::close(fd) == 0 && ok;
}

bool SameContent(const fs::path& a, const fs::path& b) {
  const int fa = ::open(a.c_str(), O_RDONLY);
  const int fb = ::open(b.c_str(), O_RDONLY);
  bool same = fa >= 0 && fb >= 0;
  std::vector<char> one(1 << 20), two(1 << 20);
  while (same) {
    const ssize_t got = ::read(fa, one.data(), one.size());
    ssize_t other = 0;
    while (other < got) {
      const ssize_t more = ::read(fb, two.data() + other, static_cast<size_t>(got - other));
      if (more <= 0) break;
      other += more;
    }
    if (got < 0 || other != got || std::memcmp(one.data(), two.data(), got) != 0) same = false;
    if (got <= 0) break;
  }
  if (same) {
    char extra;
    same = ::read(fb, &extra, 1) == 0;
  }
  if (fa >= 0) ::close(fa);
  if (fb >= 0) ::close(fb);
  return same;
}

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

double CpuSeconds(const rusage& usage) {
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The processor time this process has used so far.
double OwnCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return CpuSeconds(usage);
}

// What a run took: the time on the clock, and the processor time of the processes doing it.
struct Timing {
  double seconds = -1;
  double cpu_seconds = 0;
};

// The plain copy: seconds negative when it failed.
Timing PlainCopy(const fs::path& source, const fs::path& target) {
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener < 0 ||
      ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener, 1) != 0 ||
      ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return {};
  }
  const auto start = Clock::now();
  const pid_t receiver = ::fork();
  if (receiver == 0) {
    const int connection = ::accept(listener, nullptr, nullptr);
    const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    char block[kAnchorBlock];
    bool ok = connection >= 0 && out >= 0;
    while (ok) {
      const ssize_t got = ::recv(connection, block, sizeof block, 0);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      ok = WriteAll(out, block, static_cast<size_t>(got));
    }
    ::_exit(ok && ::close(out) == 0 ? 0 : 1);
  }
  const pid_t sender = ::fork();
  if (sender == 0) {
    const int connection = ::socket(AF_INET, SOCK_STREAM, 0);
    const int in = ::open(source.c_str(), O_RDONLY);
    bool ok = connection >= 0 && in >= 0 &&
              ::connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    char block[kAnchorBlock];
    while (ok) {
      const ssize_t got = ::read(in, block, sizeof block);
      if (got <= 0) break;
      for (ssize_t sent = 0; ok && sent < got;) {
        const ssize_t wrote = ::send(connection, block + sent, static_cast<size_t>(got - sent), 0);
        if (wrote < 0 && errno == EINTR) continue;
        ok = wrote > 0;
        if (ok) sent += wrote;
      }
    }
    ::_exit(ok && ::close(connection) == 0 ? 0 : 1);
  }
  ::close(listener);
  int status_r = 1, status_s = 1;
  rusage usage_r{}, usage_s{};
  ::wait4(sender, &status_s, 0, &usage_s);
  ::wait4(receiver, &status_r, 0, &usage_r);
  const auto end = Clock::now();
  const bool ok = WIFEXITED(status_r) && WEXITSTATUS(status_r) == 0 && WIFEXITED(status_s) &&
                  WEXITSTATUS(status_s) == 0;
  if (!ok) return {};
  return {Seconds(start, end), CpuSeconds(usage_r) + CpuSeconds(usage_s)};
}

// Runs statements in the sandbox; false (with the failure printed unless `quiet`) when one fails.
bool Play(quillon::sandbox::Sandbox& sandbox, const std::string& text, bool quiet = false) {
  std::vector<quillon::sandbox::Statement> statements;
  std::string error;
  if (!quillon::sandbox::ScenarioReader::ReadAll(text, statements, error)) {
    std::fprintf(stderr, "bench script: %s\n", error.c_str());
    return false;
  }
  for (const auto& statement : statements) {
    const auto outcome = sandbox.Execute(statement);
    if (!outcome.ok) {
      if (quiet) return false;
      std::fprintf(stderr, "%s\n  expected: %s\n  actual: %s\n", statement.source.c_str(),
                   outcome.expected.c_str(), outcome.actual.c_str());
      return false;
    }
  }
  return true;
}

// The transfer between two Quillons, in this (child) process: seconds negative on failure.
Timing QuillonTransfer(const fs::path& source, const fs::path& target, uint64_t size) {
  quillon::sandbox::Sandbox::Options options;
  options.data_folder = QUILLON_DATA_DIR;
  std::error_code ignored;
  options.executable_folder = fs::canonical("/proc/self/exe", ignored).parent_path().string();
  quillon::sandbox::Sandbox sandbox(options);
  // The person's part up to Connect runs as a scenario, since choosing from a menu takes the
  // person's next statement; the rest is run statement by statement, so it can be timed.
  const fs::path setup = target.string() + ".scn";
  {
    std::FILE* file = std::fopen(setup.c_str(), "w");
    if (file == nullptr) return {};
    const std::string text = R"(gtalk contacts "you"
gtalk start
quillon start
user you
gtalk contacts "me"
gtalk start
quillon start
user me
site ip "10.0.0.1"
activate chat "you"
answer file ")" + source.string() +
                             R"("
click chat-button
menu "File Transfer/Send File..."
eventually control frmSend.Label1 caption "Awaiting response..."
user you
activate chat "me"
click chat-button
menu "File Transfer/Receive File"
set frmReceive.txtIP "10.0.0.1"
answer file ")" + target.string() +
                             R"("
)";
    std::fputs(text.c_str(), file);
    std::fclose(file);
  }
  const bool ready = sandbox.RunFile(setup) == 0;
  std::error_code ignored_error;
  fs::remove(setup, ignored_error);
  if (!ready) return {};
  // The size and the name each end when their bytes have paused; the simulated clock jumps over
  // those pauses, so what is timed is the dialogue's real work and the data.
  const auto start = Clock::now();
  const double cpu_start = OwnCpuSeconds();
  if (!Play(sandbox, "click frmReceive.Command1\nwait 250ms\nwait 250ms\n")) return {};
  // A large file may take longer than one `eventually` waits.
  const std::string received =
      "eventually control frmReceive.Label1 caption \"File has been received!\"\n";
  bool done = false;
  for (int round = 0; !done && round < 60; ++round) done = Play(sandbox, received, true);
  const auto end = Clock::now();
  const double cpu_end = OwnCpuSeconds();
  if (!done ||
      !Play(sandbox, received + "user me\n"
                                "eventually control frmSend.Label1 caption \"Send Complete\"\n")) {
    return {};
  }
  std::error_code error;
  if (fs::file_size(target, error) != size) return {};
  return {Seconds(start, end), cpu_end - cpu_start};
}

struct ChildResult {
  Timing timing;
  double peak_rss_mb = 0;
};

ChildResult QuillonInChild(const fs::path& source, const fs::path& target, uint64_t size) {
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) return {};
  std::fflush(stdout);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe_fds[0]);
    const Timing timing = QuillonTransfer(source, target, size);
    WriteAll(pipe_fds[1], reinterpret_cast<const char*>(&timing), sizeof timing);
    std::fflush(nullptr);
    ::_exit(timing.seconds > 0 ? 0 : 1);
  }
  ::close(pipe_fds[1]);
  ChildResult result;
  Timing timing;
  if (::read(pipe_fds[0], &timing, sizeof timing) == sizeof timing) result.timing = timing;
  ::close(pipe_fds[0]);
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  result.peak_rss_mb = static_cast<double>(usage.ru_maxrss) * 1024 / kMB;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) result.timing.seconds = -1;
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t size = 500 * 1000 * 1000;
  int rounds = 1;
  bool anchor = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--rounds" && i + 1 < argc) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--no-anchor") {
      anchor = false;
    } else if (auto parsed = ParseSize(arg)) {
      size = *parsed;
    } else {
      std::fprintf(stderr, "usage: %s [SIZE] [--rounds N] [--no-anchor]\n", argv[0]);
      return 2;
    }
  }
  const fs::path folder = PickFolder(size);
  const std::string tag = std::to_string(::getpid());
  const fs::path source = folder / ("quillon-bench-" + tag + ".bin");
  const fs::path plain_copy = folder / ("quillon-bench-" + tag + ".plain");
  const fs::path received = folder / ("quillon-bench-" + tag + ".received");
  std::printf("file: %.1f MB (%llu bytes) in %s, %s\n", size / kMB,
              static_cast<unsigned long long>(size), folder.c_str(),
              MemoryBacked(folder) ? "memory-backed (tmpfs)" : "on disk");
  if (!MakeFile(source, size)) {
    std::fprintf(stderr, "cannot write %s\n", source.c_str());
    return 1;
  }
  int failures = 0;
  double best_plain = 0;
  double best_quillon = 0;
  double peak_rss = 0;
  for (int round = 1; round <= rounds; ++round) {
    double plain_rate = 0;
    if (anchor) {
      const Timing plain = PlainCopy(source, plain_copy);
      const bool ok = plain.seconds > 0 && SameContent(source, plain_copy);
      std::error_code ignored;
      fs::remove(plain_copy, ignored);
      if (!ok) {
        std::printf("round %d: plain copy FAILED\n", round);
        ++failures;
        continue;
      }
      plain_rate = size / kMB / plain.seconds;
      best_plain = std::max(best_plain, plain_rate);
      std::printf("round %d: plain copy   %8.1f MB/s  (%.3f s; processor %.3f s in two processes)\n",
                  round, plain_rate, plain.seconds, plain.cpu_seconds);
    }
    const ChildResult quillon = QuillonInChild(source, received, size);
    const bool ok = quillon.timing.seconds > 0 && SameContent(source, received);
    std::error_code ignored;
    fs::remove(received, ignored);
    if (!ok) {
      std::printf("round %d: Quillon transfer FAILED\n", round);
      ++failures;
      continue;
    }
    const double rate = size / kMB / quillon.timing.seconds;
    best_quillon = std::max(best_quillon, rate);
    peak_rss = std::max(peak_rss, quillon.peak_rss_mb);
    std::printf("round %d: Quillon      %8.1f MB/s  (%.3f s; processor %.3f s in one thread)",
                round, rate, quillon.timing.seconds, quillon.timing.cpu_seconds);
    std::printf(", peak resident %.1f MB", quillon.peak_rss_mb);
    if (anchor) std::printf(", ratio %.2f", rate / plain_rate);
    std::printf("\n");
  }
  std::error_code ignored;
  fs::remove(source, ignored);
  if (best_quillon > 0) {
    std::printf("best: Quillon %.1f MB/s", best_quillon);
    if (best_plain > 0) {
      std::printf(", plain copy %.1f MB/s, ratio %.2f (goal at least %.1f)", best_plain,
                  best_quillon / best_plain, kGoalRatio);
    }
    std::printf("; peak resident %.1f MB (goal under %.0f MB)\n", peak_rss, kGoalRssMB);
  }
  return failures == 0 ? 0 : 1;
}
