// The live sandbox behind the pages: a page's statement acts for the page's user only, its reply
// comes as soon as the program waits for the person, each user's dialog takes its own user's
// answer, and what ran is told to whoever shows the desktops.
#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "sandbox/Sandbox.h"

namespace quillon::sandbox {
namespace {

using std::chrono::milliseconds;

// Records what the sandbox tells; its calls come on the loop's thread.
class Recorder : public DesktopObserver {
 public:
  struct Ran {
    std::string user, statement;
    bool ok;
    std::string text;
  };
  void Publish() override {
    std::lock_guard lock(mutex_);
    ++publishes_;
  }
  uint64_t Version(const std::string& user) override {
    std::lock_guard lock(mutex_);
    return publishes_ * 10 + (user == "sam" ? 1 : 0);
  }
  void Ran(const std::string& user, const std::string& statement, bool ok,
           const std::string& text) override {
    std::lock_guard lock(mutex_);
    ran_.push_back({user, statement, ok, text});
  }
  std::vector<struct Ran> All() {
    std::lock_guard lock(mutex_);
    return ran_;
  }
  // Whether `statement` ran for `user` and how it ended; nullopt when it has not ended.
  std::optional<bool> Ended(const std::string& user, const std::string& statement) {
    for (const auto& ran : All()) {
      if (ran.user == user && ran.statement == statement) return ran.ok;
    }
    return std::nullopt;
  }

 private:
  std::mutex mutex_;
  uint64_t publishes_ = 0;
  std::vector<struct Ran> ran_;
};

class LiveSandboxTest : public testing::Test {
 protected:
  void Start(const std::string& scenario) {
    file_ = testing::TempDir() + "/live_sandbox_" +
            testing::UnitTest::GetInstance()->current_test_info()->name() + ".scn";
    std::ofstream(file_) << scenario;
    Sandbox::Options options;
    options.data_folder = QUILLON_DATA_DIR;
    options.live = true;
    options.pace_ms = 0;
    sandbox_ = std::make_unique<Sandbox>(options);
    sandbox_->SetObserver(&recorder_);
    inbox_ = sandbox_->Inbox();
    loop_ =
        std::thread([this] { status_ = sandbox_->RunLive(prompt_, std::filesystem::path(file_)); });
  }
  void TearDown() override {
    if (loop_.joinable()) {
      inbox_->Close();
      loop_.join();
    }
    sandbox_.reset();
  }
  // A statement from `user`'s page; the reply as the page would get it.
  PendingReply::Result Page(const std::string& user, const std::string& statement) {
    auto reply = std::make_shared<PendingReply>();
    inbox_->Put(PersonInbox::Said{statement, user, reply});
    auto result = reply->Wait(milliseconds(20000));
    EXPECT_TRUE(result) << statement;
    return result.value_or(PendingReply::Result{false, false, "no reply", 0});
  }
  // Waits until `statement` has ended for `user`.
  std::optional<bool> Ended(const std::string& user, const std::string& statement) {
    for (int i = 0; i < 2000; ++i) {
      if (auto ended = recorder_.Ended(user, statement)) return ended;
      std::this_thread::sleep_for(milliseconds(5));
    }
    return std::nullopt;
  }

  std::string file_;
  std::istringstream prompt_;
  Recorder recorder_;
  std::unique_ptr<Sandbox> sandbox_;
  std::shared_ptr<PersonInbox> inbox_;
  std::thread loop_;
  int status_ = -1;
};

TEST_F(LiveSandboxTest, APagesStatementActsForThePagesUserOnly) {
  Start("user sam\ngtalk contacts \"Zed\"\ngtalk start\nuser me\ngtalk start\n");
  // The scenario played first, each statement told for the user it acted for.
  ASSERT_TRUE(Ended("me", "gtalk start"));
  EXPECT_TRUE(*recorder_.Ended("sam", "gtalk contacts \"Zed\""));

  PendingReply::Result opened = Page("sam", "activate chat \"Zed\"");
  EXPECT_TRUE(opened.ok) << opened.text;
  EXPECT_FALSE(opened.running);
  EXPECT_EQ(opened.version % 10, 1u);  // the acting user's version
  // The other page's user, and the prompt's, do not have that chat.
  EXPECT_TRUE(Page("me", "expect window \"Chat View\" \"Zed\" absent").ok);
  EXPECT_TRUE(Page("sam", "expect window \"Chat View\" \"Zed\" visible").ok);
  inbox_->Put("expect window \"Chat View\" \"Zed\" absent");
  EXPECT_EQ(Ended("me", "expect window \"Chat View\" \"Zed\" absent"), true);
  // A failing check is told with what was expected and found, and the sandbox goes on.
  PendingReply::Result failed = Page("me", "expect window \"Chat View\" \"Zed\" visible");
  EXPECT_FALSE(failed.ok);
  EXPECT_NE(failed.text.find("expected: "), std::string::npos) << failed.text;
  EXPECT_TRUE(Page("me", "expect status \"Available\"").ok);
}

TEST_F(LiveSandboxTest, AReplyComesWhenTheProgramWaitsAndEachUsersDialogTakesItsOwnAnswer) {
  Start("user sam\ngtalk start\nuser me\ngtalk start\n");
  ASSERT_TRUE(Ended("me", "gtalk start"));
  // A first start's welcome waits for the person: the page is answered meanwhile.
  PendingReply::Result started = Page("me", "quillon start");
  EXPECT_TRUE(started.running);
  PendingReply::Result sam_started = Page("sam", "quillon start");
  EXPECT_TRUE(sam_started.running);
  // me's answer goes to me's welcome, never to sam's, though sam's opened later; sam's own
  // answer then finds sam's still open.
  PendingReply::Result answered = Page("me", "answer ok");
  EXPECT_NE(answered.text.find("answers the dialog \"Welcome!\""), std::string::npos)
      << answered.text;
  PendingReply::Result sam_answered = Page("sam", "answer ok");
  EXPECT_NE(sam_answered.text.find("answers the dialog \"Welcome!\""), std::string::npos)
      << sam_answered.text;
  // Both starts end; nothing was lost on the way.
  EXPECT_EQ(Ended("sam", "quillon start"), true);
  EXPECT_EQ(Ended("me", "quillon start"), true);
  EXPECT_TRUE(Page("me", "expect dialog contains \"Welcome\"").ok);
  EXPECT_TRUE(Page("sam", "expect dialog contains \"Welcome\"").ok);
  EXPECT_TRUE(Page("me", "expect quillon running").ok);
  EXPECT_TRUE(Page("sam", "expect quillon running").ok);
}

TEST_F(LiveSandboxTest, AStatementThatCannotBeReadIsRefusedWithoutRunning) {
  Start("gtalk start\n");
  ASSERT_TRUE(Ended("me", "gtalk start"));
  PendingReply::Result refused = Page("me", "type \"unclosed");
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.text.find("cannot read that"), std::string::npos) << refused.text;
  EXPECT_FALSE(Page("me", "gtalk start\ngtalk quit").ok);  // one statement at a time
  EXPECT_TRUE(Page("me", "expect status \"Available\"").ok);
}

// Each page's statement waits on its own: one user's answer lets that user's program go on at
// once, though another user's dialog opened later and still waits.
TEST_F(LiveSandboxTest, OneUsersOpenDialogHoldsUpNoOtherUser) {
  Start("user sam\ngtalk start\nuser me\ngtalk start\n");
  ASSERT_TRUE(Ended("me", "gtalk start"));
  EXPECT_TRUE(Page("me", "quillon start").running);
  EXPECT_TRUE(Page("sam", "quillon start").running);
  EXPECT_TRUE(Page("me", "answer ok").ok);
  // me's start goes on past its welcome (the options window follows) while sam's still waits.
  EXPECT_EQ(Ended("me", "quillon start"), true);
  EXPECT_FALSE(recorder_.Ended("sam", "quillon start").has_value());
  EXPECT_TRUE(Page("me", "expect form frmOptions visible").ok);
  EXPECT_TRUE(Page("sam", "expect form frmOptions absent").ok);
  EXPECT_TRUE(Page("sam", "answer ok").ok);
  EXPECT_EQ(Ended("sam", "quillon start"), true);
  EXPECT_TRUE(Page("sam", "expect form frmOptions visible").ok);
}

// A dialog may be checked while it waits for the person; once answered it is not checked again.
TEST_F(LiveSandboxTest, AnOpenDialogCanBeCheckedAndCountsAsCheckedOnceAnswered) {
  Start("gtalk start\n");
  ASSERT_TRUE(Ended("me", "gtalk start"));
  EXPECT_TRUE(Page("me", "quillon start").running);
  EXPECT_FALSE(Page("me", "expect no dialog").ok);
  EXPECT_TRUE(Page("me", "expect dialog contains \"Welcome\"").ok);
  EXPECT_TRUE(Page("me", "answer ok").ok);
  EXPECT_EQ(Ended("me", "quillon start"), true);
  PendingReply::Result none = Page("me", "expect no dialog");
  EXPECT_TRUE(none.ok) << none.text;
}

// A plugin's script that loops on Wait keeps the program inside its busy wait for as long as it
// runs; the page still acts meanwhile, so its Stop Script button ends the loop.
TEST_F(LiveSandboxTest, APageActsWhileAPluginsScriptWaits) {
  Start(
      "gtalk start\nquillon start\nfile \"Plugins/loop.qn\" <<END\n*Loop*\n{\nVBSCRIPT\n"
      "Status \"Waiting\"\nDo\n\tWait 50\nLoop Until CheckEnd()\nStatus \"Stopped\"\n}\nEND\n"
      "click main-button\nmenu \"Active Status\"\nset frmReader.Text1 \"{loop:Loop}\"\n"
      "click frmReader.btnOK\nclick frmReader.Command1\n");
  ASSERT_TRUE(Ended("me", "click frmReader.Command1"));
  // The status tick comes within the wait and starts the script; the page hears that its
  // statement goes on once the program is busy in the script's Wait.
  EXPECT_TRUE(Page("me", "wait 6s").running);
  PendingReply::Result stop = Page("me", "click frmReader.Button4");
  EXPECT_TRUE(stop.ok) << stop.text;
  EXPECT_FALSE(stop.running);
  EXPECT_EQ(Ended("me", "wait 6s"), true);
  EXPECT_TRUE(Page("me", "expect status \"Stopped\"").ok);
  EXPECT_TRUE(Page("me", "expect setting General StopScript \"0\"").ok);
}

}  // namespace
}  // namespace quillon::sandbox
