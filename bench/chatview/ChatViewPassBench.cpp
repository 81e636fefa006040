// The chat view pass on a conversation of about 40 000 characters with every feature on: smileys,
// custom pictures, underline and code, colours and invitations. It runs twenty times a second for
// as long as a chat is in front, so the pass that finds nothing changed is the one that counts
// most; the pass after one new message shows what a change costs.
//
// Goals: nothing changed, 25 microseconds median; one new message, 250 microseconds.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "chatview/ChatViewPass.h"
#include "sim/SimHtmlDocument.h"
#include "standin/ChatSession.h"
#include "standin/GoogleTalk.h"
#include "support/TestPlatform.h"
#include "transfer/Invitation.h"

namespace quillon {
namespace {

constexpr size_t kConversationCharacters = 40000;

// Quillon beside the stand-in Google Talk with Alex's chat in front and every feature on, and a
// conversation as Google Talk renders it that the pass has already settled.
class World {
 public:
  World() {
    client_.SetContacts({"Alex"});
    client_.Start("Working");
    program_ = std::make_unique<app::Quillon>(*p_.platform_, p_.loop_, p_.Info());
    program_->Main();
    p_.loop_.ProcessPending();
    for (const char* name : {"CustomImages", "Smileys", "FileNotifs", "BU", "Underline", "MainBack",
                             "ChatBack", "ChangeFont"}) {
      program_->Config().WriteSetting(name, "1");
    }
    program_->Config().WriteSetting("MainBackColor", "EEF4FF");
    program_->Config().WriteSetting("FontColor", "202020");
    chat_ = client_.ActivateChat("Alex");
    p_.loop_.ProcessPending();
    // The program's own timer would run passes of its own meanwhile; the benchmark runs them.
    program_->MainForm()->tmrIEDOM.SetEnabled(false);
    app::Quillon& program = *program_;
    app::frmMain& form = *program.MainForm();
    pass_ = std::make_unique<chatview::ChatViewPass>(
        program.Rt(), program.Config(), program.Reporter(), form, form.tmrIEDOM,
        [&program](std::string_view address) { program.ShowReceiveWindow(address); });

    int number = 0;
    while (Document()->BodyHtml().size() < kConversationCharacters) {
      client_.Receive("Alex", Message(number++));
      p_.loop_.ProcessPending();
    }
    // An invitation among them, as another user's program sends it.
    transfer::InvitationPieces invitation;
    invitation.contact_name = "me";
    invitation.file_name = "photos.zip";
    invitation.file_size = 123456;
    invitation.address = "10.0.0.7";
    invitation.number = 4242;
    client_.Receive("Alex", transfer::InvitationText(invitation));
    p_.loop_.ProcessPending();
    Settle();
  }

  // Passes until the rules have nothing left to do (and once more, so the pass knows it).
  void Settle() {
    for (int i = 0; i < 5; ++i) Pass();
  }
  void Pass() { pass_->RewriteChatView(chat_->View()); }
  std::shared_ptr<sim::SimHtmlDocument> Document() { return chat_->Document(); }

  // A line as people write them, with the program's markup in some.
  static std::string Message(int number) {
    switch (number % 6) {
      case 0:
        return "Hello there :) did you see the news? " + std::to_string(number);
      case 1:
        return "[U]Important[/U]: the meeting moved to 3pm ;) " + std::to_string(number);
      case 2:
        return "Try [CODE]make -j2 all[/CODE] and tell me :D " + std::to_string(number);
      case 3:
        return "[!Quillon:http://pictures.example.org/cat" + std::to_string(number) + ".png!]";
      case 4:
        return "See http://www.example.org/page?id=" + std::to_string(number) + " :-P";
      default:
        return "Nothing special in this one, just words, number " + std::to_string(number);
    }
  }

 private:
  testing::TestPlatform p_;
  standin::GoogleTalk client_{p_.desktop_, p_.shell_, "me"};
  std::unique_ptr<app::Quillon> program_;
  standin::ChatSession* chat_ = nullptr;
  std::unique_ptr<chatview::ChatViewPass> pass_;
};

World& TheWorld() {
  static World world;
  return world;
}

void BM_ChatViewPassNothingChanged(benchmark::State& state) {
  World& world = TheWorld();
  world.Settle();
  for (auto _ : state) world.Pass();
  state.counters["markup_chars"] = static_cast<double>(world.Document()->BodyHtml().size());
  state.SetLabel("goal: median under 25 us");
}
BENCHMARK(BM_ChatViewPassNothingChanged)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The pass that finds one message more than the settled conversation: the rules run over the
// markup and the result is written back. Only the pass is timed.
void BM_ChatViewPassAfterOneNewMessage(benchmark::State& state) {
  World& world = TheWorld();
  world.Settle();
  const std::string settled = world.Document()->BodyHtml();
  const std::string message =
      "<DIV><SPAN class=name>Alex:</SPAN> [U]one more[/U] " +
      std::string("<SPAN style=\"FONT-WEIGHT: bold; COLOR: rgb(0,95,255)\">:)</SPAN>") + "</DIV>";
  for (auto _ : state) {
    world.Document()->SetBodyHtml(settled + message);
    const auto start = std::chrono::steady_clock::now();
    world.Pass();
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  state.SetLabel("goal: under 250 us");
}
BENCHMARK(BM_ChatViewPassAfterOneNewMessage)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// For comparison: the rules over an unchanged conversation, as a pass without the memory of the
// last quiet markup runs them (two markups that differ in one letter, taken in turn).
void BM_ChatViewPassRulesOverUnchangedMarkup(benchmark::State& state) {
  World& world = TheWorld();
  world.Settle();
  const std::string settled = world.Document()->BodyHtml();
  const std::string other = settled + " ";
  bool flip = false;
  for (auto _ : state) {
    world.Document()->SetBodyHtml((flip = !flip) ? other : settled);
    const auto start = std::chrono::steady_clock::now();
    world.Pass();
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}
BENCHMARK(BM_ChatViewPassRulesOverUnchangedMarkup)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quillon
