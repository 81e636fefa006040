#pragma once
// A whole platform on the simulated desktop for tests of program code: virtual clock, desktop,
// shell, hotkeys, dialogs answered from a queue, a settings store in a temporary file, and a
// network that reaches nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "os/PosixFiles.h"
#include "os/SqliteRegistry.h"
#include "platform/Network.h"
#include "platform/Platform.h"
#include "runtime/EventLoop.h"
#include "runtime/Runtime.h"
#include "sim/SimAccessibility.h"
#include "sim/SimDesktop.h"
#include "sim/SimDialogs.h"
#include "sim/SimFiles.h"
#include "sim/SimHotkeys.h"
#include "sim/SimInstances.h"
#include "sim/SimShell.h"
#include "sim/VirtualClock.h"

namespace quillon::testing {

class NoNetwork : public platform::Network {
 public:
  std::unique_ptr<platform::TcpSocket> CreateSocket(platform::SocketEvents) override {
    return nullptr;
  }
  platform::HttpResult HttpGet(std::string_view, uint32_t) override {
    return {false, 0, "", "no network in this test"};
  }
  std::string LocalIp() override { return "127.0.0.1"; }
};

class TestPlatform {
 public:
  TestPlatform()
      : folder_(FreshFolder()),
        desktop_(clock_),
        shell_(desktop_),
        hotkeys_(desktop_),
        accessibility_(desktop_),
        loop_(clock_) {
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    registry_ = os::SqliteRegistry::Open(folder_ / "registry.sqlite3").registry;
    platform_ = std::make_unique<platform::Platform>(
        platform::Platform{desktop_, shell_, hotkeys_, *registry_, accessibility_, network_,
                           dialogs_, clock_, instances_, nullptr, &files_});
    loop_.AddSource(&desktop_);
    dialogs_.SetModalRunner([this](const std::function<bool()>& done) {
      loop_.RunModal(runtime::ModalKind::kPopupMenu, done);
    });
  }
  ~TestPlatform() {
    loop_.RemoveSource(&desktop_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // A folder of this test's own: ctest runs test processes side by side.
  static std::filesystem::path FreshFolder() {
    static int count = 0;
    return std::filesystem::path(::testing::TempDir()) /
           ("quillon-test-" + std::to_string(getpid()) + "-" + std::to_string(++count));
  }

  runtime::ProgramInfo Info(std::string command_line = "") const {
    runtime::ProgramInfo info;
    info.folder = (folder_ / "program").string();
    info.command_line = std::move(command_line);
    return info;
  }

  std::filesystem::path folder_;
  sim::VirtualClock clock_;
  sim::SimDesktop desktop_;
  sim::SimShell shell_;
  sim::SimHotkeys hotkeys_;
  sim::SimDialogs dialogs_;
  sim::SimAccessibility accessibility_;
  NoNetwork network_;
  sim::SimInstances instances_;
  os::PosixFiles disk_;
  sim::SimFiles files_{disk_};
  std::unique_ptr<os::SqliteRegistry> registry_;
  runtime::EventLoop loop_;
  std::unique_ptr<platform::Platform> platform_;
};

}  // namespace quillon::testing
