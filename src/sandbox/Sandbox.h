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
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "os/PosixNetwork.h"
#include "platform/Clock.h"
#include "runtime/EventLoop.h"
#include "runtime/PersonSource.h"
#include "sandbox/CallerNetwork.h"
#include "sandbox/DesktopObserver.h"
#include "sandbox/PersonInbox.h"
#include "sandbox/StatementFiber.h"
#include "sandbox/Statement.h"
#include "sandbox/UserWorld.h"
#include "standin/ChatRelay.h"

namespace quillon::sandbox {

class FollowingClock;
class SiteServer;

class Sandbox : public runtime::PersonSource, public standin::ChatRelay {
 public:
  struct Options {
    bool real_clock = false;  // the interactive sandbox follows the machine's clock
    std::filesystem::path data_folder;
    std::string executable_folder;  // where quillon-sandbox (and mishap beside it) are
    // Live for pages: a scenario file plays on the virtual clock, `pace_ms` apart in real time,
    // and the sandbox then stays live on a clock that follows the machine's.
    bool live = false;
    int pace_ms = 500;
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
  // Live (Options::live): plays `file` if given (a failing statement is shown and the play goes
  // on), else starts Google Talk and Quillon as the prompt does; then takes statements from the
  // pages and the prompt on `in` until the inbox is closed. The end of `in` ends nothing.
  int RunLive(std::istream& in, const std::optional<std::filesystem::path>& file);

  // For whoever shows the desktops (the loop's thread, except Inbox, which any thread may use).
  void SetObserver(DesktopObserver* observer) { observer_ = observer; }
  std::shared_ptr<PersonInbox> Inbox() { return inbox_; }
  std::vector<UserWorld*> Users();
  runtime::EventLoop& Loop() { return loop_; }
  SiteServer& Site() { return *site_; }

  runtime::PersonAction TakeAction(runtime::ModalKind waiting_in) override;
  bool TakeReadyAction() override;
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

  // One statement of the language, as the table that runs statements and prints `help` holds it.
  struct StatementKind {
    std::string_view verbs;  // the first word, alternatives split by "|" ("click|hover")
    // Whether a statement with one of the verbs is this one; nullptr: every such statement.
    // Rows are tried in order, so a verb may have several rows.
    bool (*fits)(const Statement& s);
    Outcome (Sandbox::*run)(const Statement& s);
    std::string_view group;  // the heading `help` shows it under
    std::string_view help;   // its spellings, one a line
  };
  // One check ("expect SUBJECT ..."), the same way; `from` is the subject's place.
  struct CheckKind {
    std::string_view subjects;
    bool (*fits)(const Statement& s, size_t from);
    Outcome (Sandbox::*run)(const Statement& s, size_t from);
    std::string_view help;  // its spellings after "expect", one a line
  };
  static std::span<const StatementKind> Statements();
  static std::span<const CheckKind> Checks();
  // What `help` prints: the statements by heading, each heading's spellings wrapped to 100 columns.
  static std::string HelpText();

 private:
  UserWorld& Current();
  UserWorld& User(const std::string& name);
  UserWorld* FindUser(std::string_view name);
  void Report(const Statement& statement, const Outcome& outcome);
  // A statement taken from the person, with the user a page sent it for (empty: the current
  // user) and the page's reply.
  struct Taken {
    Statement statement;
    std::string user;
    std::shared_ptr<PendingReply> reply;
  };
  bool ReadInteractive(Taken& taken);
  // A page's whole statement made a taken one; false (the page told why) when it is not one
  // statement.
  bool ReadPageStatement(PersonInbox::Said& said, Taken& taken);
  // Live: runs a page's statement on a stack of its own; it stays among fibers_ while a modal wait
  // it met is open.
  void RunOnFiber(Taken taken);
  // Whether an open popup menu takes the statement (choosing, looking) rather than closing first.
  static bool TakenByOpenMenu(const Statement& statement);
  // Lets every waiting statement look once whether its wait has ended, and lets go of the ended.
  void ResumeFibers();
  // Hands the turn between the loop and a statement's stack, each keeping its own current user
  // and output.
  bool ResumeFiber(StatementFiber& fiber);
  void YieldFiber(StatementFiber& fiber);
  // Runs a taken statement for its user; false when a failure ends the run.
  bool RunTaken(Taken& taken);
  // From the scenario file's end on: the clock follows the machine's and dialogs wait.
  void GoLive();
  // Before the loop waits: the pages see the desktops, and actions still running are answered.
  void BeforeWait();
  // At the prompt, a dialog with no answer queued waits for the person's `answer`, and an open
  // popup menu is shown.
  void MakeDialogsWait(UserWorld& user);
  std::string FolderListing(UserWorld& user, const std::string& folder);
  std::string DescribeDialog(UserWorld& user, const sim::SimDialogs::Shown& dialog);

  static const StatementKind kStatements[];
  static const CheckKind kChecks[];

  Outcome DoUser(const Statement& s);
  Outcome DoMishap(const Statement& s);
  Outcome DoCloseChat(const Statement& s);
  Outcome DoReceive(const Statement& s);
  Outcome DoTyping(const Statement& s);
  Outcome DoExpect(const Statement& s);
  Outcome DoDump(const Statement& s);
  Outcome DoHelp(const Statement& s);
  Outcome DoGTalk(const Statement& s);
  Outcome DoWindow(const Statement& s);
  Outcome DoActivate(const Statement& s);
  Outcome DoType(const Statement& s);
  Outcome DoKey(const Statement& s);
  Outcome DoSelect(const Statement& s);
  Outcome DoHotkey(const Statement& s);
  Outcome DoFile(const Statement& s);
  Outcome DoDisk(const Statement& s);
  Outcome DoFolder(const Statement& s);
  Outcome ReplaceInFile(const Statement& s);
  Outcome CopyIntoFile(const Statement& s);
  Outcome VanishFile(const Statement& s);
  Outcome DoRegistry(const Statement& s);
  Outcome DoAnswer(const Statement& s);
  Outcome DoSite(const Statement& s);
  Outcome DoMenu(const Statement& s);
  Outcome DoMenuClose(const Statement& s);
  Outcome DoMouse(const Statement& s);
  Outcome DoDragWindow(const Statement& s);
  Outcome CheckMenuAt(const Statement& s, size_t from);
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
  Outcome CheckInput(const Statement& s, size_t from);
  Outcome CheckInputBackground(const Statement& s, size_t from);
  Outcome CheckInputZoom(const Statement& s, size_t from);
  Outcome CheckSelection(const Statement& s, size_t from);
  Outcome CheckReadonly(const Statement& s, size_t from);
  Outcome CheckStatusOneOf(const Statement& s, size_t from);
  Outcome CheckStatus(const Statement& s, size_t from);
  Outcome CheckSetting(const Statement& s, size_t from);
  Outcome CheckRegistryValue(const Statement& s, size_t from);
  Outcome CheckClipboard(const Statement& s, size_t from);
  Outcome CheckGTalk(const Statement& s, size_t from);
  Outcome CheckOpened(const Statement& s, size_t from);
  Outcome CheckHistory(const Statement& s, size_t from);
  Outcome CheckWindow(const Statement& s, size_t from);
  Outcome CheckRegistry(const Statement& s, size_t from, bool setting);
  Outcome CheckDialog(const Statement& s, size_t from);
  Outcome CheckFile(const Statement& s, size_t from);
  Outcome CheckMenu(const Statement& s, size_t from);
  Outcome CheckTray(const Statement& s, size_t from);
  Outcome CheckFriend(const Statement& s, size_t from);
  void Dump();

  Options options_;
  std::unique_ptr<platform::Clock> clock_;
  FollowingClock* following_ = nullptr;  // the clock, when live
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
  std::optional<Taken> pending_;  // a statement read but declined by a modal wait
  bool playing_ = false;          // live, and the scenario file still plays
  DesktopObserver* observer_ = nullptr;
  // Replies of page statements that run now (nested ones last).
  std::vector<std::pair<std::string, std::shared_ptr<PendingReply>>> running_replies_;
  // Where the prompt's output goes, also while a page's statement runs further out.
  std::streambuf* terminal_ = nullptr;
  // Whose popup menus wait, innermost last.
  std::vector<UserWorld*> menu_owners_;
  // Live: the pages' statements that wait modally on stacks of their own, oldest first.
  std::vector<std::unique_ptr<StatementFiber>> fibers_;
  bool ending_ = false;  // the sandbox ends: every waiting statement is told the person has gone
  int interactive_line_ = 0;

  // What checks consume: the position reached in each record.
  std::map<std::string, size_t> opened_checked_;
  std::map<std::string, size_t> mishap_checked_;
  std::shared_ptr<os::PortMap> ports_;
  std::map<std::string, std::unique_ptr<os::PosixNetwork>> networks_;
  std::map<std::string, std::unique_ptr<CallerNetwork>> callers_;
};

}  // namespace quillon::sandbox
