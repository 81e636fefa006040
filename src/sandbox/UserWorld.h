#pragma once
// One scenario user's world: a desktop of their own with its shell, hotkeys, dialogs and
// accessibility, a settings store, a program folder holding the files Quillon ships, and the
// stand-in Google Talk (not started until the scenario says so).
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "os/PosixFiles.h"
#include "os/SqliteRegistry.h"
#include "sim/SimAccessibility.h"
#include "sim/SimDesktop.h"
#include "sim/SimDialogs.h"
#include "sim/SimFiles.h"
#include "sim/SimHotkeys.h"
#include "sim/SimInstances.h"
#include "sim/SimShell.h"
#include "standin/GoogleTalk.h"
#include "vbscript/VbScriptHostFactory.h"

namespace quillon::runtime {
class EventLoop;
}
namespace quillon::app {
class Quillon;
}
namespace quillon::platform {
class Network;
struct Platform;
}  // namespace quillon::platform

namespace quillon::sandbox {

class UserWorld {
 public:
  // `home` is the user's own folder (created); `data` the folder of files Quillon ships.
  UserWorld(std::string name, runtime::EventLoop& loop, const std::filesystem::path& home,
            const std::filesystem::path& data, standin::ChatRelay& relay,
            platform::Network& network);
  ~UserWorld();
  UserWorld(const UserWorld&) = delete;
  UserWorld& operator=(const UserWorld&) = delete;

  const std::string& Name() const { return name_; }
  sim::SimDesktop& Desktop() { return desktop_; }
  sim::SimShell& Shell() { return shell_; }
  sim::SimHotkeys& Hotkeys() { return hotkeys_; }
  sim::SimDialogs& Dialogs() { return dialogs_; }
  sim::SimAccessibility& Accessibility() { return accessibility_; }
  platform::Registry& Registry() { return *registry_; }
  standin::GoogleTalk& GTalk() { return gtalk_; }
  sim::SimFiles& Files() { return files_; }
  const std::filesystem::path& ProgramFolder() const { return program_folder_; }
  const std::filesystem::path& Home() const { return home_; }
  // What opening the store had to say (a damaged file kept aside), if anything.
  const std::optional<std::string>& StoreProblem() const { return store_problem_; }

  // Another program's window, for "activate other".
  platform::Hwnd OtherProgramWindow();
  // The chat the person sees: the one in front, else the one activated last.
  standin::ChatSession* FrontChat();
  // Starts Quillon with a command line (the process's Main), as the user would.
  app::Quillon& StartQuillon(const std::vector<std::string>& arguments,
                             const std::string& executable_folder);
  // The copy of Quillon that runs (or waits) now; else the one started last; null when none was.
  app::Quillon* CurrentQuillon();
  // Lets go of copies that have ended. Only where no handler of theirs can be running.
  void CollectEnded();
  // The stand-in web site Quillon is told is its maker's.
  void SetSite(std::string site) { site_ = std::move(site); }
  // Really starts the programs the shell is asked to start (the report program).
  void StartProcessesForReal();

  // The icon handle Quillon shows in Google Talk's place ("boss" or "plain"), once Quillon runs.
  std::optional<platform::IconHandle> QuillonIcon(std::string_view kind);
  // Quillon's windows and their controls, for a dump.
  void DumpProgram(std::ostream& out);
  // The file path of a scenario: inside the program folder unless absolute.
  std::filesystem::path ResolvePath(const std::string& path) const;

 private:
  std::string name_;
  runtime::EventLoop& loop_;
  std::filesystem::path home_;
  std::filesystem::path program_folder_;
  sim::SimDesktop desktop_;
  sim::SimShell shell_;
  sim::SimHotkeys hotkeys_;
  sim::SimDialogs dialogs_;
  sim::SimAccessibility accessibility_;
  std::unique_ptr<os::SqliteRegistry> registry_;
  std::optional<std::string> store_problem_;
  standin::GoogleTalk gtalk_;
  sim::SimInstances instances_;
  vbscript::VbScriptHostFactory scripts_;
  os::PosixFiles disk_;
  sim::SimFiles files_{disk_};
  platform::Network& network_;
  std::unique_ptr<platform::Platform> platform_;
  std::vector<std::unique_ptr<app::Quillon>> quillons_;
  platform::Hwnd other_window_ = 0;
  std::string site_;
};

}  // namespace quillon::sandbox
