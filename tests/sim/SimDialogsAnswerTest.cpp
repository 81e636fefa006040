// A dialog that finds no answer queued: open while the person thinks, answered by what the person
// says next, nested dialogs answered front first.
#include <gtest/gtest.h>

#include "sim/SimDialogs.h"

namespace quillon::sim {
namespace {

using Answer = SimDialogs::Answer;
using platform::DialogResult;

Answer Reply(Answer::Kind kind, std::string text = "") {
  Answer answer;
  answer.kind = kind;
  answer.text = std::move(text);
  return answer;
}

TEST(SimDialogsAnswerTest, WithoutAWaitADialogTakesItsDefaultAtOnce) {
  SimDialogs dialogs;
  EXPECT_EQ(dialogs.MessageBox("a", "t", platform::mb::kYesNo), DialogResult::kYes);
  EXPECT_EQ(dialogs.InputBox("p", "t", "x"), std::nullopt);
  EXPECT_EQ(dialogs.Waiting(), nullptr);
  // Queued before the dialog shows: taken from the queue, oldest first.
  EXPECT_FALSE(dialogs.QueueAnswer(Reply(Answer::Kind::kNo)));
  EXPECT_FALSE(dialogs.QueueAnswer(Reply(Answer::Kind::kText, "typed")));
  EXPECT_EQ(dialogs.MessageBox("b", "t", platform::mb::kYesNo), DialogResult::kNo);
  EXPECT_EQ(dialogs.InputBox("p", "t", "x"), "typed");
}

TEST(SimDialogsAnswerTest, ADialogWaitsForThePersonsAnswerWhileOpen) {
  SimDialogs dialogs;
  std::vector<std::string> seen;
  // The wait is where the person acts: here, whatever the test scripted for the dialog in front.
  std::vector<std::function<void()>> person;
  dialogs.SetAnswerWait([&](const SimDialogs::Shown& dialog, const std::function<bool()>& done) {
    seen.push_back(dialog.text);
    EXPECT_EQ(dialogs.Waiting(), &dialog);
    EXPECT_FALSE(done());
    while (!done() && !person.empty()) {
      auto act = person.front();
      person.erase(person.begin());
      act();
    }
  });
  person.push_back([&] { EXPECT_TRUE(dialogs.QueueAnswer(Reply(Answer::Kind::kCancel))); });
  EXPECT_EQ(dialogs.MessageBox("Save?", "t", platform::mb::kYesNoCancel), DialogResult::kCancel);
  EXPECT_EQ(dialogs.Waiting(), nullptr);

  // While the first box waits, an event opens a second one in front of it: the person's first
  // answer goes to the front one, the next to the one behind.
  person.push_back([&] {
    EXPECT_EQ(dialogs.InputBox("Interval", "t", "30000"), "5000");
    EXPECT_EQ(dialogs.Waiting()->text, "Outer");
  });
  person.push_back([&] { EXPECT_TRUE(dialogs.QueueAnswer(Reply(Answer::Kind::kText, "5000"))); });
  person.push_back([&] { EXPECT_TRUE(dialogs.QueueAnswer(Reply(Answer::Kind::kNo))); });
  EXPECT_EQ(dialogs.MessageBox("Outer", "t", platform::mb::kYesNo), DialogResult::kNo);
  EXPECT_EQ(seen, (std::vector<std::string>{"Save?", "Outer", "Interval"}));

  // The person leaves without answering: the dialog closes as if cancelled.
  EXPECT_EQ(dialogs.OpenFile("Load Plugin", {}), std::nullopt);
  EXPECT_EQ(dialogs.MessageBox("Bye", "t", platform::mb::kOk), DialogResult::kOk);
  ASSERT_EQ(dialogs.AllShown().size(), 5u);
  EXPECT_EQ(dialogs.AllShown()[1].outcome, "ok \"5000\"");
  EXPECT_EQ(dialogs.AllShown()[3].outcome, "cancel");
}

}  // namespace
}  // namespace quillon::sim
