#pragma once
// The sandbox: the world a scenario plays in (users with their desktops, the stand-in clients, the
// stand-in web site, one clock) and the person who acts in it. It is an event source, not a
// caller: it hands the person's next statement to whichever loop waits for the person, the top
// level or a modal one.
#include <cstdio>
#include <filesystem>
#include <istream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "os/PosixNetwork.h"
#include "platform/Clock.h"
#include "runtime/EventLoop.h"
#include "runtime/PersonSource.h"
#include "sandbox/PersonInbox.h"
#include "sandbox/Statement.h"
#include "sandbox/UserWorld.h"
#include "standin/ChatRelay.h"

namespace quillon::sandbox {

class SiteServer;

class Sandbox : public runtime::PersonSource, public standin::ChatRelay {
 public:
  struct Options {
    bool real_clock = false;  // the interactive sandbox follows the machine's clock
    std::filesystem::path data_folder;
    std::string executable_folder;  // where quillon-sandbox (and mishap beside it) are
  };

  explicit Sandbox(Options options);
  ~Sandbox() override;

  // Runs a scenario file: 0 when every check holds, 1 at the first failing statement, 2 when the
  // file cannot be read or parsed.
  int RunFile(const std::filesystem::path& file);
  // Reads statements at a prompt from `in` (on a thread of its own, while the desktop lives on)
  // until its end: 0 when every statement held, 1 when one failed. A dialog that Quillon shows is
  // printed and waits for the person's `answer`.
  int RunInteractive(std::istream& in);

  runtime::PersonAction TakeAction(runtime::ModalKind waiting_in) override;
  void Deliver(std::string_view from, std::string_view to, std::string_view text) override;

  // The outcome of one statement: a failure says what was expected and what was found.
  struct Outcome {
    bool ok = true;
    std::string expected;
    std::string actual;
    static Outcome Ok() { return {}; }
    static Outcome Fail(std::string expected, std::string actual) {
      return {false, std::move(expected), std::move(actual)};
    }
  };
  Outcome Execute(const Statement& statement);

 private:
  UserWorld& Current();
  UserWorld& User(const std::string& name);
  UserWorld* FindUser(std::string_view name);
  void Report(const Statement& statement, const Outcome& outcome);
  bool ReadInteractive(Statement& statement);
  // At the prompt, a dialog with no answer queued waits for the person's `answer`, and an open
  // popup menu is shown.
  void MakeDialogsWait(UserWorld& user);
  std::string DescribeDialog(UserWorld& user, const sim::SimDialogs::Shown& dialog);

  Outcome DoGTalk(const Statement& s);
  Outcome DoWindow(const Statement& s);
  Outcome DoActivate(const Statement& s);
  Outcome DoType(const Statement& s);
  Outcome DoKey(const Statement& s);
  Outcome DoSelect(const Statement& s);
  Outcome DoHotkey(const Statement& s);
  Outcome DoFile(const Statement& s);
  Outcome ReplaceInFile(const Statement& s);
  Outcome DoRegistry(const Statement& s);
  Outcome DoAnswer(const Statement& s);
  Outcome DoSite(const Statement& s);
  Outcome DoMenu(const Statement& s);
  Outcome DoWait(const Statement& s);
  Outcome DoQuillon(const Statement& s);
  Outcome DoButton(const Statement& s);
  Outcome DoControl(const Statement& s);
  Outcome DoFriend(const Statement& s);
  Outcome CheckQuillon(const Statement& s, size_t from);
  Outcome CheckMishap(const Statement& s, size_t from);
  Outcome CheckForm(const Statement& s, size_t from);
  Outcome CheckControl(const Statement& s, size_t from);
  Outcome DoEventually(const Statement& s);
  Outcome Check(const Statement& s, size_t from);
  Outcome CheckHistory(const Statement& s, size_t from);
  Outcome CheckWindow(const Statement& s, size_t from);
  Outcome CheckRegistry(const Statement& s, size_t from, bool setting);
  Outcome CheckDialog(const Statement& s, size_t from);
  Outcome CheckFile(const Statement& s, size_t from);
  Outcome CheckMenu(const Statement& s, size_t from);
  Outcome CheckTray(const Statement& s, size_t from);
  Outcome CheckFriend(const Statement& s, size_t from);
  void Dump();
  void Help();

  Options options_;
  std::unique_ptr<platform::Clock> clock_;
  runtime::EventLoop loop_;
  std::filesystem::path root_;
  std::map<std::string, std::unique_ptr<UserWorld>> users_;
  std::string current_;
  std::unique_ptr<SiteServer> site_;

  // The scenario being run.
  std::string file_name_;
  std::vector<Statement> statements_;
  size_t next_ = 0;
  bool interactive_ = false;
  bool failed_ = false;
  bool input_ended_ = false;
  bool any_failed_ = false;  // at the prompt, where a failure does not end the run
  std::shared_ptr<PersonInbox> inbox_;
  std::optional<Statement> pending_;  // a statement read but declined by a modal wait
  int interactive_line_ = 0;

  // What checks consume: the position reached in each record.
  std::map<std::string, size_t> opened_checked_;
  std::map<std::string, size_t> mishap_checked_;
  std::shared_ptr<os::PortMap> ports_;
  std::map<std::string, std::unique_ptr<os::PosixNetwork>> networks_;
};

}  // namespace quillon::sandbox
