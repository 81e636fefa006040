// The Active Status window and the loader on a simulated desktop beside the stand-in Google
// Talk, with the VBScript engine behind the script host.
#include <gtest/gtest.h>

#include <fstream>

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "standin/GoogleTalk.h"
#include "status/GTalk.h"
#include "status/frmReader.h"
#include "support/TestPlatform.h"
#include "vbscript/VbScriptHostFactory.h"

namespace quillon::status {
namespace {

using Answer = sim::SimDialogs::Answer;

// A web site of one page that records what it was asked.
class OnePageNetwork : public testing::NoNetwork {
 public:
  platform::HttpResult HttpGet(std::string_view url, uint32_t timeout_ms) override {
    asked.emplace_back(url);
    timeouts.push_back(timeout_ms);
    return {true, 200, page, ""};
  }
  std::string page;
  std::vector<std::string> asked;
  std::vector<uint32_t> timeouts;
};

class ActiveStatusTest : public ::testing::Test {
 protected:
  ActiveStatusTest() {
    client_.SetContacts({"Alex"});
    client_.Start("Working");
    program_ = std::make_unique<app::Quillon>(platform_, p_.loop_, p_.Info());
    program_->Main();
    p_.loop_.ProcessPending();
    shown_at_start_ = p_.dialogs_.AllShown().size();
    reader_ = &program_->ActiveStatusWindow();
    reader_->Load();
  }

  void Plugin(const std::string& name, const std::string& text) {
    std::filesystem::path folder = std::filesystem::path(p_.Info().folder) / "Plugins";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / (name + ".qn"), std::ios::binary) << text;
  }
  std::string Setting(const std::string& name) { return program_->Config().ReadSetting(name, ""); }
  void Set(const std::string& name, const std::string& value) {
    program_->Config().WriteSetting(name, value);
  }
  std::vector<sim::SimDialogs::Shown> NewDialogs() {
    const auto& all = p_.dialogs_.AllShown();
    return {all.begin() + static_cast<long>(shown_at_start_), all.end()};
  }
  std::string Expand(const std::string& code) { return reader_->Loader().ParseStatus(code); }

  testing::TestPlatform p_;
  OnePageNetwork network_;
  vbscript::VbScriptHostFactory factory_{p_.clock_};
  platform::Platform platform_{p_.desktop_,       p_.shell_, p_.hotkeys_, *p_.registry_,
                               p_.accessibility_, network_,  p_.dialogs_, p_.clock_,
                               p_.instances_,     &factory_, &p_.files_};
  standin::GoogleTalk client_{p_.desktop_, p_.shell_, "me"};
  std::unique_ptr<app::Quillon> program_;
  frmReader* reader_ = nullptr;
  size_t shown_at_start_ = 0;
};

TEST_F(ActiveStatusTest, WindowPathWalksDownAndAcrossSiblings) {
  auto make = [&](const char* cls, const char* title, platform::Hwnd parent) {
    platform::WindowCreation creation;
    creation.class_name = cls;
    creation.title = title;
    creation.parent = parent;
    return p_.desktop_.CreateWindow(creation);
  };
  platform::Hwnd player = make("Player", "Media Player", 0);
  make("Track", "First", player);
  make("Track", "Artist - Title", player);
  Plugin("player",
         "*Song*\r\n{\r\nQNP\r\nPlayer\r\nTrack\r\n(Track)\r\n}\r\n"
         "*Lost*\r\n{\r\nQNP\r\nNoSuch\r\nPlayer\r\n}\r\n"
         "*Open*\r\n{\r\nQNP\r\nPlayer\r\n");
  EXPECT_EQ(Expand("{Now playing\\;} {player:Song}"), " Now playing: Artist - Title");
  // The first class is missing, so the next plain line searches the top level again.
  EXPECT_EQ(Expand("{player:Lost}"), " Media Player");
  // Without its closing brace the path gives nothing.
  EXPECT_EQ(Expand("{player:Open}{player:Nothing}{nofile:Song}"), "   ");
  std::string result = "kept", code;
  platform::Hwnd window = 0, parent = 0;
  reader_->Loader().ProcessFunction(reader_->Loader().PluginPath("player"), "*Song*", result,
                                    window, parent, code);
  EXPECT_EQ(code, "Player\r\nTrack\r\n(Track)\r\n");
  EXPECT_EQ(parent, player);
  EXPECT_EQ(Setting("IsScript"), "0");
}

TEST_F(ActiveStatusTest, ScriptSetsTheStatusAndKeepsItsGlobals) {
  Plugin("s",
         "*Set*\r\n{\r\nVBSCRIPT\r\ncount = count + 1\r\nGTalk.Status \"Run \" & count & \" of \" "
         "& GetStatus()\r\nStatus \"\"\r\n}\r\n");
  EXPECT_EQ(Expand("{s:Set}"), " ");
  EXPECT_EQ(client_.Status(), "Run 1 of Working");
  Expand("{s:Set}");
  EXPECT_EQ(client_.Status(), "Run 2 of Run 1 of Working");
  EXPECT_EQ(Setting("IsScript"), "1");
  EXPECT_TRUE(NewDialogs().empty());
}

TEST_F(ActiveStatusTest, StopScriptEndsALoopingScriptWhileItWaits) {
  Plugin("loop",
         "*Rounds*\r\n{\r\nVBSCRIPT\r\nstarts = starts + 1\r\nDo\r\n\tn = n + 1\r\n\tWait 1000\r\n"
         "Loop Until CheckEnd()\r\n}\r\n");
  Set("UseStatus", "1");
  Set("StatusInterval", "1000");
  reader_->tmrStatus.SetEnabled(true);
  reader_->Text1.SetText("{loop:Rounds}");
  // The person presses Stop Script while the script is in its tenth round or so.
  runtime::Timer press(p_.loop_, 9500, true);
  press.OnTick([&] {
    press.SetEnabled(false);
    reader_->Button4.PersonClick();
  });
  reader_->tmrStatus_Timer();
  auto value = [&](const char* name) { return reader_->ScriptControl1->Eval(name).value.Text(); };
  EXPECT_EQ(value("n"), "10");
  // The status timer ticked every second meanwhile, but started no second script.
  EXPECT_EQ(value("starts"), "1");
  EXPECT_EQ(Setting("StopScript"), "0");
}

TEST_F(ActiveStatusTest, WaitAndCheckEnd) {
  GTalk gtalk(program_->Rt(), program_->Config(), program_->GTalk(), *reader_->ScriptControl1);
  uint64_t start = p_.loop_.Now();
  EXPECT_TRUE(gtalk.Wait(-5).ok());
  EXPECT_EQ(p_.loop_.Now(), start);
  EXPECT_TRUE(gtalk.Wait(0).ok());
  EXPECT_EQ(p_.loop_.Now(), start + 1);
  EXPECT_EQ(gtalk.Wait(0x7FFFFFFF).number, 6);
  EXPECT_FALSE(gtalk.CheckEnd());
  reader_->Button4.PersonClick();
  reader_->Button4.PersonClick();
  EXPECT_TRUE(gtalk.CheckEnd());
  EXPECT_FALSE(gtalk.CheckEnd());
  // An ended program lets a waiting script go at once.
  program_->Rt().End();
  start = p_.loop_.Now();
  EXPECT_TRUE(gtalk.Wait(60000).ok());
  EXPECT_LT(p_.loop_.Now(), start + 60000);
  EXPECT_TRUE(gtalk.CheckEnd());
}

TEST_F(ActiveStatusTest, AFailingScriptEndsItsFunction) {
  platform::WindowCreation probe;
  probe.class_name = "Probe";
  probe.title = "from the probe";
  p_.desktop_.CreateWindow(probe);
  const std::string failing = "*F*\r\n{\r\nVBSCRIPT\r\nruns = runs + 1\r\nx = 1 / 0\r\n}\r\n";
  const std::string script = "*F*\r\n{\r\nVBSCRIPT\r\nlater = later + 1\r\n}\r\n";
  const std::string path = "*F*\r\n{\r\nQNP\r\nProbe\r\n}\r\n";
  struct Case {
    std::string plugin;
    std::string expanded;
    int runs;  // how often the failing script ran in all
  };
  const Case cases[] = {
      {failing + failing, " ", 1},
      {failing + script, " ", 2},
      {failing + path, " ", 3},
      // A function that does not fail runs every section, as before.
      {script + path, " from the probe", 3},
  };
  ASSERT_TRUE(reader_->ScriptControl1);
  reader_->ScriptControl1->ExecuteStatement("runs = 0\r\nlater = 0");
  int case_number = 0;
  for (const Case& c : cases) {
    Plugin("p", c.plugin);
    size_t shown = NewDialogs().size();
    EXPECT_EQ(Expand("{p:F}"), c.expanded) << "case " << case_number;
    bool failed = c.plugin.rfind(failing, 0) == 0;
    EXPECT_EQ(NewDialogs().size() - shown, failed ? 1u : 0u) << "case " << case_number;
    EXPECT_EQ(reader_->ScriptControl1->Eval("runs").value.Text(), std::to_string(c.runs))
        << "case " << case_number;
    EXPECT_EQ(reader_->ScriptControl1->Eval("later").value.Text(), case_number == 3 ? "1" : "0")
        << "case " << case_number;
    ++case_number;
  }
}

TEST_F(ActiveStatusTest, LoadDialogOpensInThePluginsFolder) {
  reader_->Button2.PersonClick();
  ASSERT_FALSE(p_.dialogs_.AllShown().empty());
  const sim::SimDialogs::Shown& shown = p_.dialogs_.AllShown().back();
  EXPECT_EQ(shown.title, "Load Plugin");
  EXPECT_EQ(std::filesystem::path(shown.folder).lexically_normal(),
            (std::filesystem::path(p_.Info().folder) / "Plugins").lexically_normal());
  EXPECT_TRUE(std::filesystem::is_directory(shown.folder));
}

TEST_F(ActiveStatusTest, ScriptErrorAsksAndYesPausesOnlyTheTicks) {
  Plugin("bad", "*F*\r\n{\r\nVBSCRIPT\r\nx = 1\r\ny = x / 0\r\n}\r\n");
  Set("UseStatus", "1");
  reader_->tmrStatus.SetEnabled(true);
  reader_->Text1.SetText("{bad:F}");
  p_.dialogs_.QueueAnswer(Answer{Answer::Kind::kNo, ""});
  p_.dialogs_.QueueAnswer(Answer{Answer::Kind::kYes, ""});
  reader_->tmrStatus_Timer();
  EXPECT_TRUE(reader_->tmrStatus.Enabled());
  reader_->tmrStatus_Timer();
  EXPECT_FALSE(reader_->tmrStatus.Enabled());
  EXPECT_EQ(Setting("UseStatus"), "1");
  auto dialogs = NewDialogs();
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_EQ(dialogs[0].title, "Unexpected Error");
  EXPECT_EQ(dialogs[0].flags & 0xFF, platform::mb::kYesNo | platform::mb::kIconStop);
  EXPECT_NE(dialogs[0].text.find("\r\nLine: 2\r\n"), std::string::npos) << dialogs[0].text;
  EXPECT_NE(dialogs[0].text.find("\r\nText: y = x / 0\r\n"), std::string::npos);
  EXPECT_EQ(reader_->ScriptControl1->Error().number, 0);
}

TEST_F(ActiveStatusTest, FeedIsFetchedWithABoundedTimeOut) {
  network_.page = "<rss><item><title>Hello</title><link>http://x/</link></item></rss>";
  Plugin("news", "*Top*\r\n{\r\nRSS\r\nhttp://site/feed\r\ntitle\r\n|at \r\n!link\r\n}\r\n");
  EXPECT_EQ(Expand("{news:Top}"), " Hello at http://x/");
  Set("RequestTimeout", "86400000");
  Set("RSSInterval", "45000");
  Expand("{news:Top}");
  EXPECT_EQ(network_.asked, (std::vector<std::string>{"http://site/feed", "http://site/feed"}));
  EXPECT_EQ(network_.timeouts, (std::vector<uint32_t>{10000, 10000}));
  EXPECT_EQ(reader_->tmrStatus.Interval(), 45000u);
}

TEST_F(ActiveStatusTest, IntervalAnswers) {
  Set("StatusInterval", "30000");
  for (const char* answer : {"40000", "-5", "abc", "0"}) {
    p_.dialogs_.QueueAnswer(Answer{Answer::Kind::kText, answer});
    reader_->Command2.PersonClick();
    EXPECT_EQ(Setting("StatusInterval"), "30000") << answer;
  }
  p_.dialogs_.QueueAnswer(Answer{Answer::Kind::kText, "1000"});
  reader_->Command2.PersonClick();
  EXPECT_EQ(Setting("StatusInterval"), "1000");
  EXPECT_EQ(reader_->tmrStatus.Interval(), 1000u);
}

TEST_F(ActiveStatusTest, TokenFromTheFunctionList) {
  Plugin("player", "*Song*\r\n{\r\nQNP\r\n}\r\n");
  p_.dialogs_.QueueAnswer(Answer{Answer::Kind::kFile, reader_->Loader().PluginPath("player")});
  reader_->Button2.PersonClick();
  reader_->Text1.SetText("{a:b}");
  reader_->Text1.SetFocus();
  p_.loop_.Pause(20);
  reader_->List1.PersonDoubleClick("Song");
  EXPECT_EQ(reader_->Text1.Text(), "{a:b} {player:Song}");
  EXPECT_EQ(Setting("LastDirectory"), reader_->Loader().PluginPath("player"));
}

TEST_F(ActiveStatusTest, MissingPluginFileIsSaid) {
  std::string path = reader_->Loader().PluginPath("gone");
  p_.dialogs_.QueueAnswer(Answer{Answer::Kind::kFile, path});
  reader_->Button2.PersonClick();
  auto dialogs = NewDialogs();
  ASSERT_FALSE(dialogs.empty());
  EXPECT_EQ(dialogs.back().text,
            "The file could not be found.  Please check that the file still exists and that the "
            "path is correct:\r\n\t" +
                path);
  EXPECT_TRUE(reader_->List1.Items().empty());
}

// The ends of the number ranges. The stored time-out is taken from 1 ms to one minute; anything else, and what is no number,
// falls back to the default of ten seconds.
TEST_F(ActiveStatusTest, RequestTimeOutIsTakenFromOneMillisecondToOneMinute) {
  struct Case {
    const char* stored;
    uint32_t used;
  } cases[] = {
      {"0", 10000},     {"1", 1},           {"-1", 10000},      {"60000", 60000},
      {"60001", 10000}, {"59999.6", 60000}, {"60000.5", 60000}, {"60000.6", 10000},
      {"0.4", 10000},   {"x", 10000},
  };
  network_.page = "<rss><item><title>Hi</title></item></rss>";
  Plugin("news", "*Top*\r\n{\r\nRSS\r\nhttp://site/feed\r\ntitle\r\n}\r\n");
  for (const Case& c : cases) {
    Set("RequestTimeout", c.stored);
    network_.timeouts.clear();
    EXPECT_EQ(reader_->Loader().ParseStatus("{news:Top}"), " Hi") << c.stored;
    EXPECT_EQ(network_.timeouts, std::vector<uint32_t>{c.used}) << c.stored;
  }
}

// The typed interval is a 16-bit number after rounding half to even: 1 to 32767 is stored, the
// numbers either side of that range change nothing.
TEST_F(ActiveStatusTest, TypedIntervalIsTakenFromOneTo32767AfterRounding) {
  struct Case {
    const char* typed;
    const char* stored;  // StatusInterval afterwards; it starts as "30000"
  } cases[] = {
      {"0", "30000"},  {"1", "1"},           {"32767", "32767"},   {"32768", "30000"},
      {"-1", "30000"}, {"0.5", "30000"},     {"0.6", "1"},         {"1.5", "2"},
      {"2.5", "2"},    {"32767.4", "32767"}, {"32767.5", "30000"},
  };
  for (const Case& c : cases) {
    Set("StatusInterval", "30000");
    p_.dialogs_.QueueAnswer(Answer{Answer::Kind::kText, c.typed});
    reader_->Command2.PersonClick();
    EXPECT_EQ(Setting("StatusInterval"), c.stored) << c.typed;
  }
}

}  // namespace
}  // namespace quillon::status
