// quillon-sandbox: runs a scenario file, reads statements at a prompt, or (--web) serves the
// desktops to a browser while the prompt still reads standard input.
#include <signal.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <thread>

#include "sandbox/Sandbox.h"
#include "web/LiveDesktops.h"

namespace {

constexpr const char* kUsage =
    "usage: quillon-sandbox [SCENARIO.scn]\n"
    "       quillon-sandbox --web [--port N] [--pace MS] [SCENARIO.scn]\n";

struct Arguments {
  bool web = false;
  int port = 8080;
  int pace_ms = 500;
  std::optional<std::string> file;
};

// A whole number in [low, high], or nullopt.
std::optional<int> Number(const char* text, int low, int high) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (!*text || *end || value < low || value > high) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<Arguments> Parse(int argc, char** argv) {
  Arguments arguments;
  bool port_given = false, pace_given = false;
  for (int i = 1; i < argc; ++i) {
    std::string word = argv[i];
    if (word == "--web") {
      arguments.web = true;
    } else if ((word == "--port" || word == "--pace") && i + 1 < argc) {
      auto value = word == "--port" ? Number(argv[++i], 0, 65535) : Number(argv[++i], 0, 600000);
      if (!value) return std::nullopt;
      (word == "--port" ? arguments.port : arguments.pace_ms) = *value;
      (word == "--port" ? port_given : pace_given) = true;
    } else if (!word.empty() && word[0] != '-' && !arguments.file) {
      arguments.file = word;
    } else {
      return std::nullopt;
    }
  }
  if ((port_given || pace_given) && !arguments.web) return std::nullopt;
  return arguments;
}

int RunWeb(quillon::sandbox::Sandbox::Options options, const Arguments& arguments) {
  using namespace quillon;
  // Interrupts end the sandbox in order (its temporary folders go), so they are taken on a thread
  // of their own rather than where the program runs.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  options.live = true;
  options.pace_ms = arguments.pace_ms;
  sandbox::Sandbox sandbox(options);
  web::LiveDesktops desktops(sandbox);
  std::string error;
  if (!desktops.Serve(arguments.port, error)) {
    std::cerr << "quillon-sandbox: " << error << " (choose another with --port N, or --port 0)\n";
    return 2;
  }
  std::cout << "Quillon desktop: http://127.0.0.1:" << desktops.Server().Port() << "/" << std::endl;

  std::thread([signals, inbox = sandbox.Inbox()] {
    int received = 0;
    sigwait(&signals, &received);
    inbox->Close();
  }).detach();

  std::optional<std::filesystem::path> file;
  if (arguments.file) file = *arguments.file;
  return sandbox.RunLive(std::cin, file);
}

}  // namespace

int main(int argc, char** argv) {
  using quillon::sandbox::Sandbox;
  auto arguments = Parse(argc, argv);
  if (!arguments ||
      (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0))) {
    std::cerr << kUsage;
    return 2;
  }
  Sandbox::Options options;
  options.data_folder = QUILLON_DATA_DIR;
  options.real_clock = !arguments->file;
  std::error_code ignored;
  options.executable_folder =
      std::filesystem::canonical("/proc/self/exe", ignored).parent_path().string();
  try {
    if (arguments->web) return RunWeb(options, *arguments);
    Sandbox sandbox(options);
    return arguments->file ? sandbox.RunFile(*arguments->file) : sandbox.RunInteractive(std::cin);
  } catch (const std::exception& e) {
    std::cerr << "quillon-sandbox: " << e.what() << "\n";
    return 2;
  }
}
