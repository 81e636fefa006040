// The prompt as a person meets it: dialogs wait for the person's answer while the desktop lives
// on, each acting statement says what it changed, and the exit status tells whether a check
// failed.
#include <gtest/gtest.h>

#include <sstream>

#include "sandbox/Sandbox.h"

namespace quillon::sandbox {
namespace {

struct Session {
  int status = -1;
  std::string output;
};

Session RunPrompt(const std::string& lines) {
  Sandbox::Options options;
  options.data_folder = QUILLON_DATA_DIR;
  Session session;
  std::istringstream in(lines);
  testing::internal::CaptureStdout();
  {
    Sandbox sandbox(options);
    session.status = sandbox.RunInteractive(in);
  }
  session.output = testing::internal::GetCapturedStdout();
  return session;
}

bool Has(const Session& session, const std::string& text) {
  return session.output.find(text) != std::string::npos;
}

TEST(InteractiveSandboxTest, ADialogIsPrintedAndWaitsForTheAnswerStatement) {
  // The welcome box of a first start, then a second copy's refusal, each answered at the prompt.
  Session session = RunPrompt(
      "answer ok\n"
      "quillon start\n"
      "expect quillon running\n"  // looked at while the second copy's box is open
      "dump\n"
      "answer ok\n"
      "expect dialog contains \"Welcome to Quillon!\"\n"
      "expect dialog \"Quillon is already running!\" title \"Quillon\"\n"
      "expect no dialog\n");
  EXPECT_EQ(session.status, 0) << session.output;
  EXPECT_TRUE(Has(session, "Quillon shows a message box \"Welcome!\": \"Welcome to Quillon!"))
      << session.output;
  EXPECT_TRUE(Has(session,
                  "Quillon shows a message box \"Quillon\": \"Quillon is already "
                  "running!\"\n  it waits for: answer ok\n"))
      << session.output;
  EXPECT_TRUE(Has(session, "me [dialog]> ")) << session.output;
  EXPECT_TRUE(Has(session, "open dialog \"Quillon\": \"Quillon is already running!\" (waits"))
      << session.output;
  EXPECT_TRUE(Has(session, "-> answers the dialog \"Quillon\"")) << session.output;
}

TEST(InteractiveSandboxTest, AFileDialogShowsTheFilesOfItsFolderAsTheyAreAnswered) {
  // The Load dialog opens in Plugins: the person sees the shipped plugins, in the form that
  // `answer file` takes, and picks one of them.
  Session session = RunPrompt(
      "answer ok\n"
      "click main-button\n"
      "menu \"Active Status\"\n"
      "file \"Plugins/zz.txt\" <<END\n"
      "not a plugin\n"
      "END\n"
      "click frmReader.Button2\n"
      "answer file \"Plugins/clock.qn\"\n"
      "expect control frmReader.txtName text \"Clock\"\n");
  EXPECT_EQ(session.status, 0) << session.output;
  EXPECT_TRUE(Has(session,
                  "open file dialog \"Load Plugin\"\n  in Plugins/: \"Plugins/clock.qn\" "
                  "\"Plugins/countdown.qn\" \"Plugins/news.qn\" \"Plugins/player.qn\" "
                  "\"Plugins/random.qn\" \"Plugins/zz.txt\"\n"))
      << session.output;
}

TEST(InteractiveSandboxTest, AnAnswerGivenBeforehandIsKeptForTheNextDialog) {
  Session session = RunPrompt(
      "answer ok\n"
      "answer ok\n"
      "quillon start\n"
      "expect dialog contains \"Welcome\"\n"
      "expect dialog \"Quillon is already running!\"\n");
  EXPECT_EQ(session.status, 0) << session.output;
  EXPECT_TRUE(Has(session, "-> kept for the next dialog")) << session.output;
  // The second copy's box found its answer waiting: it was never open, only answered.
  EXPECT_FALSE(Has(session, "message box \"Quillon\"")) << session.output;
  EXPECT_TRUE(Has(session, "-> dialog \"Quillon is already running!\" -> ok\n")) << session.output;
}

TEST(InteractiveSandboxTest, StatementsEchoWhatTheyChangedAndAFailedCheckEndsNonZero) {
  Session session = RunPrompt(
      "answer ok\n"
      "activate chat \"Alex\"\n"
      "type \"hi there\"\n"
      "click chat-button\n"
      "expect status \"Busy\"\n"  // closes the menu, then fails
      "expect input \"hi there\"\n");
  EXPECT_EQ(session.status, 1) << session.output;
  EXPECT_TRUE(Has(session, "  -> chat \"Alex\" input \"\"")) << session.output;
  EXPECT_TRUE(Has(session, "  -> input \"hi there\"\n")) << session.output;
  EXPECT_TRUE(Has(session, "Quillon opens a menu: Chat Features > | Shortcuts > |"))
      << session.output;
  EXPECT_TRUE(Has(session, "expected: \"Busy\"")) << session.output;
  // The failure did not end the session: the check after it ran and held.
  EXPECT_FALSE(Has(session, "expected: \"hi there\"")) << session.output;
}

TEST(InteractiveSandboxTest, ThePersonLeavingCancelsTheOpenDialogAndEndsTheSession) {
  Session session = RunPrompt("");
  EXPECT_EQ(session.status, 0) << session.output;
  EXPECT_TRUE(Has(session, "Quillon shows a message box \"Welcome!\"")) << session.output;
}

}  // namespace
}  // namespace quillon::sandbox
