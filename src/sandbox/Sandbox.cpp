#include "sandbox/Sandbox.h"

#include <stdlib.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <thread>

#include "os/SteadyClock.h"
#include "sandbox/FollowingClock.h"
#include "sandbox/Glance.h"
#include "sandbox/ScenarioReader.h"
#include "sandbox/SiteServer.h"
#include "sim/RichEditBox.h"
#include "sim/VirtualClock.h"
#include "text/Utf8.h"

namespace quillon::sandbox {

using Outcome = Sandbox::Outcome;

namespace {

// How often the desktop's pending events run while the prompt waits for the person.
constexpr std::chrono::milliseconds kPromptIdleStep{20};

// Statements that only look: the prompt has nothing to echo after them.
bool OnlyLooks(const Statement& s) {
  return s.Is(0, "expect") || s.Is(0, "eventually") || s.Is(0, "dump") || s.Is(0, "help") ||
         s.Is(0, "user");
}

std::unique_ptr<platform::Clock> MakeClock(const Sandbox::Options& options) {
  if (options.live) return std::make_unique<FollowingClock>();
  if (options.real_clock) return std::make_unique<os::SteadyClock>();
  return std::make_unique<sim::VirtualClock>();
}

// While a page's statement runs, what it prints goes to its reply rather than to the terminal;
// a prompt's statement nested inside it prints to the terminal again.
class ScopedOutput {
 public:
  explicit ScopedOutput(std::streambuf* to) : saved_(std::cout.rdbuf(to)) {}
  ~ScopedOutput() { std::cout.rdbuf(saved_); }
  ScopedOutput(const ScopedOutput&) = delete;
  ScopedOutput& operator=(const ScopedOutput&) = delete;

 private:
  std::streambuf* saved_;
};

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

std::filesystem::path MakeRoot() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "quillon-sandbox-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  return pattern;
}

std::optional<uint32_t> KeyOf(const std::string& name) {
  if (name == "Enter") return platform::vk::kReturn;
  if (name == "Backspace") return platform::vk::kBack;
  if (name == "Escape") return platform::vk::kEscape;
  if (name == "Tab") return platform::vk::kTab;
  if (name == "Left") return platform::vk::kLeft;
  if (name == "Right") return platform::vk::kRight;
  if (name == "Home") return platform::vk::kHome;
  if (name == "End") return platform::vk::kEnd;
  return std::nullopt;
}

std::optional<platform::Chord> ParseChord(const std::string& text) {
  platform::Chord chord;
  std::stringstream parts(text);
  std::string part;
  std::vector<std::string> pieces;
  while (std::getline(parts, part, '+')) pieces.push_back(part);
  if (pieces.empty()) return std::nullopt;
  for (size_t i = 0; i + 1 < pieces.size(); ++i) {
    const std::string& m = pieces[i];
    if (m == "Ctrl" || m == "Control") {
      chord.modifiers |= platform::kModControl;
    } else if (m == "Shift") {
      chord.modifiers |= platform::kModShift;
    } else if (m == "Alt") {
      chord.modifiers |= platform::kModAlt;
    } else if (m == "Win") {
      chord.modifiers |= platform::kModWin;
    } else {
      return std::nullopt;
    }
  }
  const std::string& key = pieces.back();
  if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) {
    chord.virtual_key = static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(key[0])));
  } else if (auto vk = KeyOf(key)) {
    chord.virtual_key = *vk;
  } else if (key.size() >= 2 && key[0] == 'F' && ParseNumber(key.substr(1))) {
    chord.virtual_key = 0x6F + static_cast<uint32_t>(*ParseNumber(key.substr(1)));  // VK_F1 is 0x70
  } else {
    return std::nullopt;
  }
  return chord;
}

std::optional<platform::RegistryRoot> RootOf(const std::string& name) {
  if (name == "HKCU" || name == "HKEY_CURRENT_USER") return platform::RegistryRoot::kCurrentUser;
  if (name == "HKLM" || name == "HKEY_LOCAL_MACHINE") return platform::RegistryRoot::kLocalMachine;
  return std::nullopt;
}

}  // namespace

Sandbox::Sandbox(Options options)
    : options_(std::move(options)),
      clock_(MakeClock(options_)),
      loop_(*clock_),
      root_(MakeRoot()),
      site_(std::make_unique<SiteServer>()),
      ports_(std::make_shared<os::PortMap>(os::PortMap::Mode::kLoopback)) {
  loop_.SetPerson(this);
  terminal_ = std::cout.rdbuf();
  if (options_.live) {
    site_->EchoCallers();
    following_ = static_cast<FollowingClock*>(clock_.get());
    inbox_ = std::make_shared<PersonInbox>(loop_.Waker());
  }
  current_ = "me";
  User("me");
}

std::vector<UserWorld*> Sandbox::Users() {
  std::vector<UserWorld*> all;
  for (auto& [name, world] : users_) all.push_back(world.get());
  return all;
}

Sandbox::~Sandbox() {
  users_.clear();
  callers_.clear();
  for (auto& [name, network] : networks_) loop_.RemoveSource(network.get());
  networks_.clear();
  site_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

UserWorld& Sandbox::User(const std::string& name) {
  auto it = users_.find(name);
  if (it == users_.end()) {
    // Each user is a machine of its own on the simulated network, with an address of its own.
    std::string address = "10.0.0." + std::to_string(users_.size() + 1);
    auto network = std::make_unique<os::PosixNetwork>(ports_, address);
    loop_.AddSource(network.get());
    auto caller = std::make_unique<CallerNetwork>(*network, *site_, address);
    auto world =
        std::make_unique<UserWorld>(name, loop_, root_ / ("user-" + std::to_string(users_.size())),
                                    options_.data_folder, *this, *caller);
    networks_[name] = std::move(network);
    callers_[name] = std::move(caller);
    world->SetSite(site_->BaseAddress());
    if (interactive_) MakeDialogsWait(*world);
    it = users_.emplace(name, std::move(world)).first;
  }
  return *it->second;
}

UserWorld* Sandbox::FindUser(std::string_view name) {
  auto it = users_.find(std::string(name));
  return it == users_.end() ? nullptr : it->second.get();
}

UserWorld& Sandbox::Current() { return User(current_); }

void Sandbox::Deliver(std::string_view from, std::string_view to, std::string_view text) {
  UserWorld* other = FindUser(to);
  if (!other || !other->GTalk().Running()) return;
  std::string sender(from), line(text);
  // The line reaches the other side after the sender's own handling is done.
  loop_.Post([other, sender, line] { other->GTalk().Receive(sender, line); });
}

// --- Running

int Sandbox::RunFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << file.string() << ": cannot be read\n";
    return 2;
  }
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string error;
  if (!ScenarioReader::ReadAll(buffer.str(), statements_, error)) {
    std::cerr << file.string() << ": " << error << "\n";
    return 2;
  }
  file_name_ = file.string();
  next_ = 0;
  loop_.RunTopLevel();
  return failed_ ? 1 : 0;
}

int Sandbox::RunInteractive(std::istream& in) {
  interactive_ = true;
  file_name_ = "(prompt)";
  if (!inbox_) inbox_ = std::make_shared<PersonInbox>(loop_.Waker());
  PersonInbox::ReadOnThread(inbox_, in);
  for (auto& [name, world] : users_) MakeDialogsWait(*world);
  std::cout << "Quillon sandbox. Type help for the statements, dump to look around. A dialog that "
               "Quillon shows waits for your answer statement.\n";
  // A person lands in a running Quillon beside a signed-in Google Talk.
  User("me").GTalk().SetContacts({"Alex", "Sam", "Robin"});
  User("me").GTalk().Start();
  User("me").StartQuillon({}, options_.executable_folder);
  loop_.RunTopLevel();
  return any_failed_ ? 1 : 0;
}

int Sandbox::RunLive(std::istream& in, const std::optional<std::filesystem::path>& file) {
  file_name_ = "(page)";
  PersonInbox::ReadOnThread(inbox_, in, false);
  inbox_->SetBeforeWait([this] { BeforeWait(); });
  if (file) {
    std::ifstream stream(*file, std::ios::binary);
    if (!stream) {
      std::cerr << file->string() << ": cannot be read\n";
      return 2;
    }
    std::stringstream buffer;
    buffer << stream.rdbuf();
    std::string error;
    if (!ScenarioReader::ReadAll(buffer.str(), statements_, error)) {
      std::cerr << file->string() << ": " << error << "\n";
      return 2;
    }
    file_name_ = file->string();
    playing_ = true;
  } else {
    GoLive();
    User("me").GTalk().SetContacts({"Alex", "Sam", "Robin"});
    User("me").GTalk().Start();
    User("me").StartQuillon({}, options_.executable_folder);
  }
  if (observer_) observer_->Publish();
  loop_.RunTopLevel();
  // Statements still waiting modally hear that the person has gone, and end.
  ending_ = true;
  for (int round = 0; round < 100 && !fibers_.empty(); ++round) ResumeFibers();
  // One that still waits (a modal loop that does not end when the person goes) is let go of as it
  // stands: joining it would wait for ever, and the process ends next.
  for (auto& fiber : fibers_) static_cast<void>(fiber.release());
  fibers_.clear();
  // The pages still waiting for a reply are told, rather than left to their time-out.
  const PendingReply::Result ended{false, false, "the sandbox has ended", 0};
  for (auto& [user, reply] : running_replies_) reply->Settle(ended);
  while (auto said = inbox_->TakeSaid(loop_)) {
    if (said->reply) said->reply->Settle(ended);
  }
  return any_failed_ ? 1 : 0;
}

void Sandbox::GoLive() {
  playing_ = false;
  interactive_ = true;
  if (following_) following_->Follow();
  for (auto& [name, world] : users_) MakeDialogsWait(*world);
}

void Sandbox::BeforeWait() {
  // What the loop ran may have ended a waiting statement's wait: let it look before sleeping.
  if (!fibers_.empty()) ResumeFibers();
  if (!observer_) return;
  observer_->Publish();
  for (auto& [user, reply] : running_replies_) {
    if (!reply->Settled()) {
      reply->Settle({true, true, "it waits for the person", observer_->Version(user)});
    }
  }
}

void Sandbox::MakeDialogsWait(UserWorld& user) {
  user.Dialogs().SetAnswerWait(
      [this, &user](const sim::SimDialogs::Shown& dialog, const std::function<bool()>& answered) {
        std::cout << DescribeDialog(user, dialog) << std::flush;
        // The dialog is open while the person thinks: the desktop's events go on, and every
        // statement reaches the desktop as usual; `answer` closes the dialog.
        loop_.RunModal(runtime::ModalKind::kForm, answered);
      });
  // A popup menu waits for the person as well; the statement that opened it has not ended yet, so
  // the menu is shown now rather than in that statement's echo.
  user.Dialogs().SetModalRunner([this, &user](const std::function<bool()>& done) {
    if (const auto* menu = user.Dialogs().OpenMenu()) {
      std::string items;
      for (const auto& item : *menu) {
        if (item.caption == "-") continue;
        items += (items.empty() ? "" : " | ") + sim::SimDialogs::PlainCaption(item.caption) +
                 (item.children.empty() ? "" : " >") + (item.enabled ? "" : " (disabled)");
      }
      std::cout << "Quillon opens a menu: " << items
                << "\n  it waits for: menu \"PATH\" (dump lists every item; any other statement "
                   "closes it)\n"
                << std::flush;
    }
    menu_owners_.push_back(&user);
    loop_.RunModal(runtime::ModalKind::kPopupMenu, done);
    menu_owners_.pop_back();
  });
}

// What a person sees in a file dialog's list: the files of the folder it opened in, shown with
// the path an `answer file` takes (relative to the program folder when the folder lies inside it).
std::string Sandbox::FolderListing(UserWorld& user, const std::string& folder) {
  if (folder.empty()) return "";
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path where = user.ResolvePath(folder);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(where, error)) {
    if (entry.is_regular_file(error)) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  fs::path shown = where.lexically_relative(user.ResolvePath("."));
  std::string prefix =
      shown.empty() || shown.native().starts_with("..") ? where.string() : shown.string();
  if (prefix == ".") prefix.clear();
  if (!prefix.empty() && prefix.back() != '/') prefix += '/';
  std::string listing = "\n  in " + (prefix.empty() ? std::string("the program folder") : prefix) + ":";
  if (names.empty()) return listing + " (no files)";
  for (const auto& name : names) listing += " \"" + prefix + name + "\"";
  return listing;
}

std::string Sandbox::DescribeDialog(UserWorld& user, const sim::SimDialogs::Shown& dialog) {
  using Kind = sim::SimDialogs::Shown::Kind;
  std::string who = user.Name() == current_ ? "" : " (user " + user.Name() + ")";
  std::string text = "\"" + dialog.title + "\"";
  std::string answers;
  switch (dialog.kind) {
    case Kind::kMessageBox: {
      text = "a message box" + who + " " + text + ": \"" + dialog.text + "\"";
      uint32_t buttons = dialog.flags & 0xF;
      answers = buttons == platform::mb::kYesNo         ? "answer yes | no"
                : buttons == platform::mb::kYesNoCancel ? "answer yes | no | cancel"
                : buttons == platform::mb::kOkCancel    ? "answer ok | cancel"
                                                        : "answer ok";
      break;
    }
    case Kind::kInputBox:
      text = "an input box" + who + " " + text + ": \"" + dialog.text + "\"";
      answers = "answer \"TEXT\" | ok (keeps the text offered) | cancel";
      break;
    case Kind::kOpenFile:
    case Kind::kSaveFile:
      text = std::string(dialog.kind == Kind::kOpenFile ? "an open" : "a save") + " file dialog" +
             who + " " + text + FolderListing(user, dialog.folder);
      answers = "answer file \"PATH\" | cancel";
      break;
    case Kind::kColor:
      text = "a colour dialog" + who;
      answers = "answer color R G B | cancel";
      break;
  }
  return "Quillon shows " + text + "\n  it waits for: " + answers + "\n";
}

bool Sandbox::ReadPageStatement(PersonInbox::Said& said, Taken& taken) {
  // A page sends whole statements, a body included.
  std::vector<Statement> read;
  std::string error;
  if (!ScenarioReader::ReadAll(said.text, read, error) || read.size() != 1) {
    std::string why = error.empty() ? "one statement" : error;
    if (observer_) observer_->Ran(said.user, said.text, false, "cannot read that: " + why);
    if (observer_) observer_->Publish();
    said.reply->Settle(
        {false, false, "cannot read that: " + why, observer_ ? observer_->Version(said.user) : 0});
    return false;
  }
  taken.statement = read[0];
  taken.user = said.user;
  taken.reply = said.reply;
  return true;
}

bool Sandbox::TakeReadyAction() {
  // Only the live pages act inside a busy wait: a scenario's person acts between statements, and
  // the prompt's line may be the start of a body still being typed.
  if (!options_.live || !interactive_ || playing_ || failed_ || input_ended_ || !inbox_) {
    return false;
  }
  // The pages follow the desktop while the program is busy, and the page that started the wait
  // hears that its statement goes on.
  BeforeWait();
  std::optional<PersonInbox::Said> said = inbox_->TakePageStatement();
  if (!said) return false;
  Taken taken;
  if (!ReadPageStatement(*said, taken)) return true;
  ScenarioReader::Substitute(taken.statement, "SITE", site_->BaseAddress());
  RunOnFiber(std::move(taken));
  return true;
}

bool Sandbox::ReadInteractive(Taken& taken) {
  Statement& statement = taken.statement;
  for (;;) {
    const bool dialog_waits = Current().Dialogs().Waiting() != nullptr;
    if (!options_.live)
      std::cout << current_ << (dialog_waits ? " [dialog]" : "") << "> " << std::flush;
    std::optional<PersonInbox::Said> said = inbox_->TakeSaid(loop_, kPromptIdleStep);
    if (!said) return false;
    if (said->reply) {
      if (!ReadPageStatement(*said, taken)) continue;
      return true;
    }
    taken.user.clear();
    taken.reply.reset();
    std::optional<std::string> line = std::move(said->text);
    ++interactive_line_;
    bool empty = false;
    std::string tag, error;
    if (!ScenarioReader::ReadLine(*line, interactive_line_, statement, empty, tag, error)) {
      std::cout << "cannot read that: " << error << "\n";
      any_failed_ = true;
      continue;
    }
    if (empty) continue;
    if (!tag.empty()) {
      std::string body;
      bool first = true;
      for (;;) {
        std::optional<std::string> more = inbox_->Take(loop_, kPromptIdleStep);
        if (!more) break;
        ++interactive_line_;
        if (!more->empty() && more->back() == '\r') more->pop_back();
        if (*more == tag) break;
        if (!first) body += '\n';
        body += *more;
        first = false;
      }
      statement.words.push_back(Word{body, true});
    }
    return true;
  }
}

runtime::PersonAction Sandbox::TakeAction(runtime::ModalKind waiting_in) {
  // A page's statement waiting modally on its own stack lets the loop below take the person's
  // actions, and looks again at its wait whenever the loop comes back to it.
  if (StatementFiber* fiber = StatementFiber::Current()) {
    if (!ending_) YieldFiber(*fiber);
    return ending_ ? runtime::PersonAction::kGone : runtime::PersonAction::kTaken;
  }
  if (!fibers_.empty()) ResumeFibers();
  if (failed_ || input_ended_) return runtime::PersonAction::kGone;
  // Ended copies of Quillon go only here, where none of their handlers can be on the stack.
  if (waiting_in == runtime::ModalKind::kTopLevel && loop_.Depth() == 0) {
    for (auto& [name, world] : users_) world->CollectEnded();
  }
  Taken taken;
  if (pending_) {
    taken = std::move(*pending_);
    pending_.reset();
  } else if (playing_ && next_ < statements_.size()) {
    // The scenario plays at a pace a person can follow; the pages see each step.
    if (next_ > 0 && options_.pace_ms > 0) {
      if (observer_) observer_->Publish();
      std::this_thread::sleep_for(std::chrono::milliseconds(options_.pace_ms));
    }
    taken.statement = statements_[next_++];
  } else {
    if (playing_) GoLive();
    if (interactive_) {
      if (!ReadInteractive(taken)) {
        input_ended_ = true;
        return runtime::PersonAction::kGone;
      }
    } else {
      if (next_ >= statements_.size()) return runtime::PersonAction::kGone;
      taken.statement = statements_[next_++];
    }
  }
  ScenarioReader::Substitute(taken.statement, "SITE", site_->BaseAddress());
  const Statement& statement = taken.statement;
  UserWorld& acting = taken.user.empty() ? Current() : User(taken.user);
  // An open popup menu takes choosing and looking; anything else closes it first, and the
  // statement then runs where the menu's owner waits.
  if (waiting_in == runtime::ModalKind::kPopupMenu) {
    if (!TakenByOpenMenu(statement)) {
      // Whose menu waits innermost is known once dialogs wait for the person (live, after the
      // scenario file); before that, as in a file, every open menu closes.
      UserWorld* owner = menu_owners_.empty() ? nullptr : menu_owners_.back();
      if (!options_.live || !owner || owner == &acting) {
        pending_ = std::move(taken);
        if (options_.live && owner) {
          owner->Dialogs().DismissMenu();
        } else {
          for (auto& [name, world] : users_) world->Dialogs().DismissMenu();
        }
        return runtime::PersonAction::kDeclined;
      }
      // Another user's menu waits further out; only this user's own menu closes, and it ends
      // when the waits above it have.
      acting.Dialogs().DismissMenu();
    }
  }
  if (taken.reply && options_.live && !playing_) {
    RunOnFiber(std::move(taken));
    return runtime::PersonAction::kTaken;
  }
  return RunTaken(taken) ? runtime::PersonAction::kTaken : runtime::PersonAction::kGone;
}

bool Sandbox::TakenByOpenMenu(const Statement& statement) {
  return statement.Is(0, "menu") || statement.Is(0, "dump") || statement.Is(0, "help") ||
         statement.Is(0, "mouse") || (statement.Is(0, "expect") && statement.Is(1, "menu"));
}

void Sandbox::RunOnFiber(Taken taken) {
  // A menu held open by this user's waiting statement takes choosing and looking; anything else
  // the user does closes it first, and the statement that opened it goes on before this one.
  UserWorld& acting = User(taken.user);
  const Statement& statement = taken.statement;
  if (acting.Dialogs().OpenMenu() && !TakenByOpenMenu(statement)) {
    acting.Dialogs().DismissMenu();
    ResumeFibers();
  }
  auto fiber = std::make_unique<StatementFiber>(
      [this, taken = std::move(taken)]() mutable { RunTaken(taken); });
  if (!ResumeFiber(*fiber)) fibers_.push_back(std::move(fiber));
}

void Sandbox::ResumeFibers() {
  // By index: a statement resumed here may start or end others.
  for (size_t i = 0; i < fibers_.size(); ++i) {
    StatementFiber& fiber = *fibers_[i];
    if (!fiber.Running() && !fiber.Finished()) ResumeFiber(fiber);
  }
  std::erase_if(fibers_, [](const std::unique_ptr<StatementFiber>& fiber) {
    return fiber->Finished() && !fiber->Running();
  });
}

bool Sandbox::ResumeFiber(StatementFiber& fiber) {
  const std::string user = current_;
  std::streambuf* out = std::cout.rdbuf();
  const bool finished = fiber.Resume();
  current_ = user;
  std::cout.rdbuf(out);
  return finished;
}

void Sandbox::YieldFiber(StatementFiber& fiber) {
  const std::string user = current_;
  std::streambuf* out = std::cout.rdbuf();
  fiber.Yield();
  current_ = user;
  std::cout.rdbuf(out);
}

bool Sandbox::RunTaken(Taken& taken) {
  const Statement& statement = taken.statement;
  // A page's statement acts for the page's user only; the prompt's current user is back after.
  const std::string prompt_user = current_;
  if (!taken.user.empty()) current_ = taken.user;
  UserWorld& acting = Current();
  const std::string acting_name = current_;
  std::ostringstream printed;
  std::optional<ScopedOutput> capture;
  capture.emplace(taken.reply ? printed.rdbuf() : terminal_);
  if (taken.reply) running_replies_.emplace_back(current_, taken.reply);
  if (observer_) observer_->Started(acting_name, statement.source);
  std::optional<Glance> before;
  if (interactive_ && !OnlyLooks(statement)) before = Glance::Of(acting);
  Outcome outcome;
  try {
    outcome = Execute(statement);
  } catch (const std::exception& e) {
    outcome = Outcome::Fail("the statement to run", std::string("it failed: ") + e.what());
  }
  std::string changes;
  if (outcome.ok && before) changes = Glance::Of(acting).ChangesSince(*before, acting);
  if (taken.reply) {
    // Statements on stacks of their own end in any order: take this one's own entry.
    running_replies_.erase(
        std::find_if(running_replies_.begin(), running_replies_.end(),
                     [&](const auto& running) { return running.second == taken.reply; }));
    current_ = prompt_user;
  }
  std::string text = Trimmed(printed.str());
  if (!outcome.ok) {
    if (!taken.reply) Report(statement, outcome);
    text = "expected: " + outcome.expected + "\nactual: " + outcome.actual;
    if (!interactive_ && !playing_) {
      failed_ = true;
      return false;
    }
    any_failed_ = true;
  } else if (!changes.empty()) {
    // One short line of what the statement changed, where the person could not see it otherwise.
    if (!taken.reply) std::cout << "  -> " << changes << "\n";
    text += (text.empty() ? "" : "\n") + changes;
  }
  capture.reset();
  if (observer_) {
    observer_->Ran(acting_name, statement.source, outcome.ok, text);
    observer_->Publish();
    if (taken.reply) {
      taken.reply->Settle({outcome.ok, false, text, observer_->Version(acting_name)});
    }
  }
  return true;
}

void Sandbox::Report(const Statement& statement, const Outcome& outcome) {
  std::ostream& out = interactive_ ? std::cout : std::cerr;
  out << file_name_ << ":" << statement.line << ": " << statement.source << "\n";
  out << "expected: " << outcome.expected << "\n";
  out << "actual: " << outcome.actual << "\n";
}

// --- Statements

Outcome Sandbox::DoUser(const Statement& s) {
  current_ = s.At(1);
  User(current_);
  return Outcome::Ok();
}

Outcome Sandbox::DoMishap(const Statement&) {
  Current().StartProcessesForReal();
  return Outcome::Ok();
}

Outcome Sandbox::DoCloseChat(const Statement& s) {
  Current().GTalk().CloseChat(s.At(2));
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoReceive(const Statement& s) {
  Current().GTalk().Receive(s.At(1), s.At(2));
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoTyping(const Statement& s) {
  Current().GTalk().SetTyping(s.At(1), s.Size() == 2);
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoExpect(const Statement& s) { return Check(s, 1); }

Outcome Sandbox::DoDump(const Statement&) {
  Dump();
  return Outcome::Ok();
}

Outcome Sandbox::DoHelp(const Statement&) {
  std::cout << HelpText();
  return Outcome::Ok();
}

Outcome Sandbox::DoGTalk(const Statement& s) {
  standin::GoogleTalk& gtalk = Current().GTalk();
  if (s.Is(1, "start") && (s.Size() == 2 || (s.Size() == 4 && s.Is(2, "status")))) {
    gtalk.Start(s.Size() == 4 ? s.At(3) : "Available");
  } else if (s.Is(1, "contacts")) {
    std::vector<std::string> contacts;
    for (size_t i = 2; i < s.Size(); ++i) contacts.push_back(s.At(i));
    gtalk.SetContacts(std::move(contacts));
  } else if (s.Is(1, "quit") && s.Size() == 2) {
    gtalk.Quit();
  } else {
    return Outcome::Fail("gtalk start [status \"TEXT\"] | contacts \"A\" ... | quit",
                         "unknown statement");
  }
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoQuillon(const Statement& s) {
  if (!s.Is(1, "start")) return Outcome::Fail("quillon start [ARG ...]", "unknown statement");
  std::vector<std::string> arguments;
  for (size_t i = 2; i < s.Size(); ++i) arguments.push_back(s.At(i));
  Current().StartQuillon(arguments, options_.executable_folder);
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoButton(const Statement& s) {
  UserWorld& user = Current();
  sim::SimDesktop& desktop = user.Desktop();
  platform::Hwnd place = 0;
  if (s.Is(1, "chat-button")) {
    standin::ChatSession* chat = user.FrontChat();
    if (!chat) return Outcome::Fail("a chat in front", "no chat is open");
    place = chat->Toolbar();
  } else {
    place = user.GTalk().StatusArea();
  }
  // Quillon's button is the picture box it placed there.
  platform::Hwnd button = desktop.FindWindowEx(place, 0, "ThunderRT6PictureBoxDC", std::nullopt);
  if (!button || !desktop.IsWindowVisible(button)) {
    return Outcome::Fail(
        "Quillon's button in " +
            std::string(s.Is(1, "chat-button") ? "the chat's toolbar" : "the status area"),
        "there is none");
  }
  if (s.Is(0, "hover")) {
    desktop.SendMessage(button, platform::msg::kMouseMove, 0, (5 << 16) | 5);
  } else {
    desktop.SendMessage(button, platform::msg::kLButtonDown, 0x1, (5 << 16) | 5);
    desktop.SendMessage(button, platform::msg::kLButtonUp, 0, (5 << 16) | 5);
  }
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoWindow(const Statement& s) {
  if (s.Size() != 3 && !(s.Size() == 6 && s.Is(3, "in"))) {
    return Outcome::Fail("window \"CLASS\" \"TITLE\" [in \"CLASS\" \"TITLE\"]",
                         "unknown statement");
  }
  sim::SimDesktop& desktop = Current().Desktop();
  platform::WindowCreation creation;
  creation.class_name = s.At(1);
  creation.title = s.At(2);
  creation.visible = true;
  creation.bounds = {200, 200, 500, 400};
  if (s.Size() == 6) {
    platform::Hwnd parent = desktop.FindWindowEx(0, 0, s.At(4), s.At(5));
    if (!parent) {
      return Outcome::Fail("a window \"" + s.At(4) + "\" \"" + s.At(5) + "\"", "none");
    }
    creation.parent = parent;
    creation.bounds = {0, 0, 100, 20};
  }
  desktop.CreateWindow(creation);
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoWait(const Statement& s) {
  auto duration = s.Size() == 2 ? ParseDuration(s.At(1)) : std::nullopt;
  if (!duration) return Outcome::Fail("wait DURATION (50ms, 3s, 1m)", s.source);
  loop_.AdvanceTo(loop_.Now() + *duration);
  return Outcome::Ok();
}

Outcome Sandbox::DoEventually(const Statement& s) {
  if (s.Size() < 2) return Outcome::Fail("eventually CHECK", s.source);
  Statement check = s;
  check.words.erase(check.words.begin());
  check.words.insert(check.words.begin(), Word{"expect", false});
  using Steady = std::chrono::steady_clock;
  auto start = Steady::now();
  auto last = start;
  for (;;) {
    loop_.ProcessPending();
    Outcome outcome = Check(check, 1);
    if (outcome.ok || Steady::now() - start > std::chrono::seconds(10)) return outcome;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    // The simulated clock follows the real one meanwhile.
    auto now = Steady::now();
    auto passed = std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count();
    if (passed > 0) {
      last = now;
      loop_.AdvanceTo(loop_.Now() + static_cast<uint64_t>(passed));
    }
  }
}

Outcome Sandbox::DoActivate(const Statement& s) {
  UserWorld& user = Current();
  if (s.Is(1, "chat") && s.Size() == 3) {
    if (!user.GTalk().Running()) return Outcome::Fail("Google Talk running", "it is not running");
    user.GTalk().ActivateChat(s.At(2));
  } else if (s.Is(1, "main") && s.Size() == 2) {
    if (!user.GTalk().Running()) return Outcome::Fail("Google Talk running", "it is not running");
    user.GTalk().ActivateMain();
  } else if (s.Is(1, "other") && s.Size() == 2) {
    user.Desktop().SetForegroundWindow(user.OtherProgramWindow());
  } else {
    return Outcome::Fail("activate chat \"NAME\" | main | other", "unknown statement");
  }
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoType(const Statement& s) {
  if (s.Size() != 2) return Outcome::Fail("type \"TEXT\"", s.source);
  sim::SimDesktop& desktop = Current().Desktop();
  for (char32_t c : text::DecodeUtf8(s.At(1))) {
    // A line break in the text is the Enter key.
    if (c == U'\n') {
      desktop.PressKey(platform::vk::kReturn);
    } else if (c != U'\r') {
      desktop.TypeCharacter(c);
    }
    loop_.ProcessPending();
  }
  return Outcome::Ok();
}

Outcome Sandbox::DoKey(const Statement& s) {
  auto key = s.Size() == 2 ? KeyOf(s.At(1)) : std::nullopt;
  if (!key) {
    return Outcome::Fail("key Enter|Backspace|Escape|Tab|Left|Right|Home|End", "unknown statement");
  }
  Current().Desktop().PressKey(*key);
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoSelect(const Statement& s) {
  auto start = ParseNumber(s.At(1)), end = ParseNumber(s.At(2));
  if (s.Size() != 3 || !start || !end) return Outcome::Fail("select START END", s.source);
  sim::SimDesktop& desktop = Current().Desktop();
  platform::Hwnd focus = desktop.GetFocus();
  if (!desktop.RichEditOf(focus)) return Outcome::Fail("a text box with the focus", "none");
  desktop.SendMessage(focus, platform::msg::kEmSetSel, static_cast<platform::WParam>(*start),
                      static_cast<platform::LParam>(*end));
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoHotkey(const Statement& s) {
  if (s.Size() == 3 && s.Is(1, "hold")) {
    // Another program registers the chord first; a later registration of it is refused.
    auto held = ParseChord(s.At(2));
    if (!held) return Outcome::Fail("hotkey hold CHORD (Ctrl+Shift+B)", s.source);
    if (Current().Hotkeys().Register(*held, [] {}) == 0) {
      return Outcome::Fail("the chord " + s.At(2) + " free to hold", "it is held already");
    }
    return Outcome::Ok();
  }
  auto chord = s.Size() == 2 ? ParseChord(s.At(1)) : std::nullopt;
  if (!chord) return Outcome::Fail("hotkey CHORD (Ctrl+Shift+B)", s.source);
  // A chord that nobody registered does nothing, as on a real desktop.
  Current().Hotkeys().Press(*chord);
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoFile(const Statement& s) {
  if (s.Size() == 5 && s.Is(2, "replace")) return ReplaceInFile(s);
  if (s.Size() == 4 && s.Is(2, "from")) return CopyIntoFile(s);
  if (s.Size() == 3 && s.Is(2, "vanish")) return VanishFile(s);
  if (s.Size() != 3) return Outcome::Fail("file \"PATH\" <<END", s.source);
  std::filesystem::path path = Current().ResolvePath(s.At(1));
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << s.At(2);
  if (!out) return Outcome::Fail("a file written", "cannot write " + path.string());
  return Outcome::Ok();
}

// Another program (or the person) takes a file away behind Quillon's back: it must have been
// there, so a scenario cannot make a file vanish that it never made.
Outcome Sandbox::VanishFile(const Statement& s) {
  std::filesystem::path path = Current().ResolvePath(s.At(1));
  std::error_code error;
  if (!std::filesystem::remove(path, error)) {
    return Outcome::Fail("a file to take away", "no file " + path.string());
  }
  return Outcome::Ok();
}

Outcome Sandbox::DoDisk(const Statement& s) {
  Current().Files().SetDiskFull(s.Is(1, "full"));
  return Outcome::Ok();
}

// The folder is made if it is not there: a read-only folder is one the person can see.
Outcome Sandbox::DoFolder(const Statement& s) {
  std::filesystem::path folder = Current().ResolvePath(s.At(2));
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  Current().Files().SetFolderReadOnly(folder.string());
  return Outcome::Ok();
}

// A person edits one line of a file that is already there (a shipped plugin's address, say): the
// old text must stand in the file exactly once, so a scenario cannot edit the wrong place or
// silently edit nothing.
Outcome Sandbox::ReplaceInFile(const Statement& s) {
  std::filesystem::path path = Current().ResolvePath(s.At(1));
  std::ifstream in(path, std::ios::binary);
  if (!in) return Outcome::Fail("a file to edit", "cannot read " + path.string());
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  const std::string& old_text = s.At(3);
  size_t at = old_text.empty() ? std::string::npos : content.find(old_text);
  if (at == std::string::npos || content.find(old_text, at + 1) != std::string::npos)
    return Outcome::Fail("\"" + old_text + "\" once in " + s.At(1),
                         at == std::string::npos ? "not found" : "found more than once");
  content.replace(at, old_text.size(), s.At(4));
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out) return Outcome::Fail("a file written", "cannot write " + path.string());
  return Outcome::Ok();
}

// A file that lives beside the scenario (an example plugin of the guides, say) is copied in as it
// stands, so the scenario checks that very file and not a copy of it that could drift apart.
Outcome Sandbox::CopyIntoFile(const Statement& s) {
  std::filesystem::path source(s.At(3));
  if (source.is_relative() && !interactive_) {
    source = std::filesystem::path(file_name_).parent_path() / source;
  }
  std::ifstream in(source, std::ios::binary);
  if (!in) return Outcome::Fail("a file to copy", "cannot read " + source.string());
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::path path = Current().ResolvePath(s.At(1));
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out) return Outcome::Fail("a file written", "cannot write " + path.string());
  return Outcome::Ok();
}

Outcome Sandbox::DoSite(const Statement& s) {
  if (s.Is(1, "page") && s.Size() == 4) {
    site_->SetPage(s.At(2), s.At(3));
  } else if (s.Is(1, "ip") && s.Size() == 3) {
    site_->SetIp(s.At(2));
  } else if (s.Is(1, "down") && s.Size() == 2) {
    site_->Down();
  } else if (s.Is(1, "up") && s.Size() == 2) {
    site_->Up();
  } else {
    return Outcome::Fail("site page \"/PATH\" \"BODY\" | ip \"ADDRESS\" | down | up",
                         "unknown statement");
  }
  return Outcome::Ok();
}

Outcome Sandbox::DoRegistry(const Statement& s) {
  auto root = RootOf(s.At(2));
  if (!root) return Outcome::Fail("registry set|set-dword|delete HKCU|HKLM ...", s.source);
  platform::Registry& registry = Current().Registry();
  platform::RegistryStatus status = platform::RegistryStatus::kOk;
  if (s.Is(1, "set") && s.Size() == 6) {
    status = registry.SetValue(*root, s.At(3), s.At(4), platform::RegistryValue::String(s.At(5)));
  } else if (s.Is(1, "set-dword") && s.Size() == 6) {
    // A 32-bit value, written unsigned (0 to 4294967295) or signed (-2147483648 to -1).
    int64_t number = 0;
    const std::string& text = s.At(5);
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        number < INT32_MIN || number > UINT32_MAX) {
      return Outcome::Fail("a 32-bit number", text);
    }
    status = registry.SetValue(*root, s.At(3), s.At(4),
                               platform::RegistryValue::Dword(static_cast<uint32_t>(number)));
  } else if (s.Is(1, "delete") && s.Size() == 5) {
    status = registry.DeleteValue(*root, s.At(3), s.At(4));
  } else if (s.Is(1, "delete") && s.Size() == 4) {
    status = registry.DeleteKey(*root, s.At(3));
  } else {
    return Outcome::Fail("registry set|set-dword|delete ROOT \"KEY\" ...", "unknown statement");
  }
  // Deleting what is not there is no failure for the other program.
  if (status != platform::RegistryStatus::kOk && status != platform::RegistryStatus::kNotFound) {
    return Outcome::Fail("the registry written", "it could not be written");
  }
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::DoAnswer(const Statement& s) {
  using Kind = sim::SimDialogs::Answer::Kind;
  sim::SimDialogs::Answer answer;
  if (s.Size() == 2 && !s.words[1].quoted) {
    const std::string& word = s.At(1);
    if (word == "ok")
      answer.kind = Kind::kOk;
    else if (word == "yes")
      answer.kind = Kind::kYes;
    else if (word == "no")
      answer.kind = Kind::kNo;
    else if (word == "cancel")
      answer.kind = Kind::kCancel;
    else
      return Outcome::Fail("answer ok|yes|no|cancel|\"TEXT\"|file|color", s.source);
  } else if (s.Size() == 2) {
    answer.kind = Kind::kText;
    answer.text = s.At(1);
  } else if (s.Is(1, "file") && s.Size() == 3) {
    answer.kind = Kind::kFile;
    answer.text = Current().ResolvePath(s.At(2)).string();
  } else if (s.Is(1, "color") && s.Size() == 5) {
    auto r = ParseNumber(s.At(2)), g = ParseNumber(s.At(3)), b = ParseNumber(s.At(4));
    auto channel = [](std::optional<int> v) { return v && *v >= 0 && *v <= 255; };
    // A channel out of 0 to 255 is refused rather than wrapped round into another colour.
    if (!channel(r) || !channel(g) || !channel(b))
      return Outcome::Fail("answer color R G B (each 0 to 255)", s.source);
    answer.kind = Kind::kColor;
    answer.color =
        platform::Rgb(static_cast<uint8_t>(*r), static_cast<uint8_t>(*g), static_cast<uint8_t>(*b));
  } else {
    return Outcome::Fail("answer ok|yes|no|cancel|\"TEXT\"|file \"PATH\"|color R G B",
                         "unknown statement");
  }
  sim::SimDialogs& dialogs = Current().Dialogs();
  const sim::SimDialogs::Shown* waiting = dialogs.Waiting();
  std::string title = waiting ? waiting->title : "";
  bool taken = dialogs.QueueAnswer(answer);
  if (interactive_) {
    std::cout << (taken ? "  -> answers the dialog \"" + title + "\""
                        : "  -> kept for the next dialog")
              << "\n";
  }
  return Outcome::Ok();
}

// A click elsewhere or Escape: the open menu closes with nothing chosen.
Outcome Sandbox::DoMenuClose(const Statement&) {
  if (!Current().Dialogs().OpenMenu()) return Outcome::Fail("an open menu", "none is open");
  Current().Dialogs().DismissMenu();
  return Outcome::Ok();
}

// The pointer moves on the screen, where the next popup menu opens (a page's click, say).
Outcome Sandbox::DoMouse(const Statement& s) {
  auto x = ParseNumber(s.At(1)), y = ParseNumber(s.At(2));
  if (s.Size() != 3 || !x || !y) return Outcome::Fail("mouse X Y", s.source);
  Current().Desktop().SetCursorPos(platform::Point{*x, *y});
  return Outcome::Ok();
}

// The person drags a window by its title bar: the window's move loop takes the whole gesture.
Outcome Sandbox::DoDragWindow(const Statement& s) {
  auto dx = ParseNumber(s.At(5)), dy = ParseNumber(s.At(6));
  if (s.Size() != 7 || !s.words[2].quoted || !s.words[3].quoted || !s.Is(4, "by") || !dx || !dy) {
    return Outcome::Fail("drag window \"CLASS\" \"TITLE\" by DX DY", s.source);
  }
  sim::SimDesktop& desktop = Current().Desktop();
  platform::Hwnd window = desktop.FindWindowEx(0, 0, s.At(2), s.At(3));
  if (!window || !desktop.IsWindowVisible(window)) {
    return Outcome::Fail("a visible window \"" + s.At(2) + "\" \"" + s.At(3) + "\"", "none");
  }
  desktop.SetPendingDrag(*dx, *dy);
  desktop.SendMessage(window, platform::msg::kNcLButtonDown, platform::ht::kCaption, 0);
  const bool taken = !desktop.DragPending();
  desktop.ClearPendingDrag();
  loop_.ProcessPending();
  if (!taken) return Outcome::Fail("the window moved by its title bar", "it started no move");
  return Outcome::Ok();
}

Outcome Sandbox::CheckMenuAt(const Statement& s, size_t from) {
  auto x = ParseNumber(s.At(from + 2)), y = ParseNumber(s.At(from + 3));
  if (!x || !y) return Outcome::Fail("expect menu at X Y", s.source);
  sim::SimDialogs& dialogs = Current().Dialogs();
  if (!dialogs.OpenMenu()) return Outcome::Fail("an open menu", "none is open");
  platform::Point where = dialogs.MenuPlace();
  if (where.x == *x && where.y == *y) return Outcome::Ok();
  return Outcome::Fail("the menu at " + s.At(from + 2) + " " + s.At(from + 3),
                       "it is at " + std::to_string(where.x) + " " + std::to_string(where.y));
}

Outcome Sandbox::DoMenu(const Statement& s) {
  if (s.Size() != 2) return Outcome::Fail("menu \"PATH\"", s.source);
  std::string why;
  if (!Current().Dialogs().ChooseMenuItem(s.At(1), &why)) {
    return Outcome::Fail("the menu item \"" + s.At(1) + "\" chosen", why);
  }
  loop_.ProcessPending();
  return Outcome::Ok();
}

}  // namespace quillon::sandbox
