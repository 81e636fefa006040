// The command parser's state machine, driven character by character through the desktop.
#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "gtalk/CommandParser.h"
#include "support/QuillonFixture.h"

namespace quillon::gtalk {
namespace {

using platform::vk::kBack;
using platform::vk::kReturn;

class CommandParserTest : public testing::QuillonFixture {
 protected:
  CommandParser& Parser() { return program_->MainForm()->Parser(); }
};

TEST_F(CommandParserTest, CompletionSelectsTheRestAndBackspaceIsDropped) {
  // The slash itself is typed into an empty line; command mode begins with the next character.
  Type(U"/");
  EXPECT_FALSE(Parser().CommandMode());
  Type(U"s");
  EXPECT_TRUE(Parser().CommandMode());
  EXPECT_EQ(Input(), "/signout");  // the first command in the list's order
  EXPECT_EQ(Selection(), std::make_pair(2, 8));
  Type(U"t");
  EXPECT_EQ(Input(), "/status");
  EXPECT_EQ(Selection(), std::make_pair(3, 7));
  Key(kBack);
  EXPECT_EQ(Input(), "/status");
  Type(U"Q");  // no command continues "/stq"
  EXPECT_EQ(Input(), "/status");
}

TEST_F(CommandParserTest, ABlankOpensTheArgumentOnlyAfterACompleteArgumentCommand) {
  Type(U"/cu ");
  EXPECT_EQ(Input(), "/customstatus");  // the blank was dropped: the name was not complete
  EXPECT_TRUE(Parser().CommandMode());
  // Typed out in full, the blank goes in and the rest is ordinary (filtered) typing.
  Key(kReturn);
  Type(U"/customstatus Out to sea");
  EXPECT_FALSE(Parser().CommandMode());
  EXPECT_TRUE(Parser().ArgumentMode());
  EXPECT_EQ(Input(), "/customstatus Out to sea");
  Key(kReturn);
  EXPECT_FALSE(Parser().ArgumentMode());
  EXPECT_EQ(client_.Status(), "(Out to sea) Working");
  EXPECT_EQ(Input(), "");
}

TEST_F(CommandParserTest, TheModesFollowTheTextWhenTheProgramOrThePersonChangesIt) {
  Type(U"/he");
  EXPECT_EQ(Input(), "/help");
  // The line no longer begins with "/": the next character is ordinary typing.
  p_.desktop_.SendMessage(chat_->Input(), platform::msg::kSetText, 0,
                          reinterpret_cast<platform::LParam>("plain"));
  Type(U"x");
  EXPECT_FALSE(Parser().CommandMode());
  EXPECT_EQ(Input(), "plainx");
  // A blank in the middle of a word is a character like any other outside command mode.
  Type(U" y");
  EXPECT_EQ(Input(), "plainx y");
}

TEST_F(CommandParserTest, UnknownSlashLinesAreSentAndEveryLineIsRemembered) {
  p_.desktop_.SendMessage(chat_->Input(), platform::msg::kSetText, 0,
                          reinterpret_cast<platform::LParam>("/shrug"));
  Key(kReturn);
  EXPECT_NE(chat_->Document()->BodyHtml().find("/shrug"), std::string::npos);
  EXPECT_EQ(program_->MainForm()->Effects().RecallList()[0], "/shrug");
  Type(U"/away");
  Key(kReturn);
  EXPECT_EQ(program_->MainForm()->Effects().RecallList()[0], "/away");
  EXPECT_EQ(program_->MainForm()->Effects().RecallList()[1], "/shrug");
  EXPECT_EQ(chat_->Document()->BodyHtml().find("/away"), std::string::npos);
}

TEST_F(CommandParserTest, EnterReappliesTheStoredZoom) {
  program_->Config().WriteSetting("Zoom", "150");
  Type(U"hi");
  Key(kReturn);
  EXPECT_EQ(p_.desktop_.RichEditOf(chat_->Input())->ZoomPercent(), 150);
}

TEST(CommandTableTest, TheListIsDerivedInItsFixedOrder) {
  // Completion and "/help" both follow this order, so it is the one people learn.
  EXPECT_EQ(CommandParser::ListedCommands(),
            ",about,activestatus,available,away,block,boss,brb,busy,clear,cool,customstatus,"
            "desktopfriends,dinner,displaypicture,qnmenu,qnoptions,food,hide,help,inbox,leet,lock,"
            "lunch,mail,none,reset,signout,status,options,offrecord,update,");
  EXPECT_EQ(CommandParser::ArgumentCommands(), ",customstatus,status,");
}

TEST(CommandTableTest, NamesAreUniqueAndPlacesRunWithoutGaps) {
  std::set<std::string_view> names;
  std::vector<int> places;
  for (const SlashCommand& command : CommandParser::Commands()) {
    EXPECT_TRUE(names.insert(command.name).second) << command.name;
    EXPECT_NE(command.run, nullptr) << command.name;
    for (char c : command.name) EXPECT_TRUE(c >= 'a' && c <= 'z') << command.name;
    if (command.listed_at > 0) places.push_back(command.listed_at);
    // A hidden command is never completed, so no blank could ever open its argument.
    if (command.takes_argument) {
      EXPECT_GT(command.listed_at, 0) << command.name;
    }
  }
  std::sort(places.begin(), places.end());
  for (size_t i = 0; i < places.size(); ++i) EXPECT_EQ(places[i], static_cast<int>(i + 1));
}

TEST_F(CommandParserTest, CommandsPostGoogleTalksOwnNumbers) {
  const struct {
    std::u32string line;
    std::vector<uint32_t> posted;
  } cases[] = {
      {U"/signout", {40002}},
      {U"/update", {40087}},
      {U"/inbox", {40088}},
      {U"/mail", {40089}},
      {U"/offrecord", {8010}},
      {U"/block", {8011}},
      {U"/call", {}},
      {U"/displaypicture", {10000}},
      // Last: Google Talk's settings window takes the front from the chat.
      {U"/options", {40003}},
  };
  for (const auto& c : cases) {
    client_.TakeCommands();
    Type(c.line);
    Key(kReturn);
    EXPECT_EQ(client_.TakeCommands(), c.posted) << std::string(c.line.begin(), c.line.end());
    EXPECT_EQ(Input(), "");  // swallowed, not sent
  }
}

TEST_F(CommandParserTest, HiddenCommandsAreRecognisedButNeverCompleted) {
  Type(U"/c");
  EXPECT_EQ(Input(), "/clear");  // never "/call" or "/customstate"
  Key(kReturn);
  p_.desktop_.SendMessage(chat_->Input(), platform::msg::kSetText, 0,
                          reinterpret_cast<platform::LParam>("/customstate Out to sea"));
  Key(kReturn);
  EXPECT_EQ(client_.Status(), "(Out to sea) Working");
  EXPECT_EQ(Input(), "");
}

TEST(PercentEncodeTest, EverythingButUnreservedBytesIsEncoded) {
  EXPECT_EQ(CommandParser::PercentEncode("fish&chips"), "fish%26chips");
  EXPECT_EQ(CommandParser::PercentEncode("c++#1%"), "c%2B%2B%231%25");
  EXPECT_EQ(CommandParser::PercentEncode("café"), "caf%C3%A9");
  EXPECT_EQ(CommandParser::PercentEncode("a-b_c.d~e"), "a-b_c.d~e");
}

class NoHookTest : public testing::QuillonFixture {
 protected:
  NoHookTest() : QuillonFixture("-nohook") {}
};

TEST_F(NoHookTest, NothingIsWatched) {
  Type(U"/a");
  EXPECT_EQ(Input(), "/a");
  EXPECT_EQ(program_->Chat().ChatWnd, 0u);
}

}  // namespace
}  // namespace quillon::gtalk
