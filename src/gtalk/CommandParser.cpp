#include "gtalk/CommandParser.h"

#include <algorithm>
#include <cctype>

#include "app/MainMenus.h"
#include "app/Quillon.h"
#include "app/frmMain.h"
#include "gtalk/TextFilter.h"
#include "runtime/CodePage.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"

namespace quillon::gtalk {

using platform::LParam;
using platform::WParam;
namespace msg = platform::msg;

namespace {

void Discard(uint32_t& message, WParam& wparam) {
  message = 0;
  wparam = 0;
}

}  // namespace

std::string CommandParser::PercentEncode(std::string_view text) {
  std::string out;
  const char* hex = "0123456789ABCDEF";
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 0xF];
    }
  }
  return out;
}

void CommandParser::PostedMessage(uint32_t& message, WParam& wparam, LParam&) {
  if (message != msg::kChar) return;
  std::string text = program_.GTalk().GetText(program_.Chat().ChatInput);
  if (text.empty() || text[0] != '/') {
    command_mode_ = false;
    argument_mode_ = false;
  } else if (!argument_mode_) {
    command_list_ = kCommandList;
    arg_command_list_ = kArgCommandList;
    command_mode_ = true;
  }
  if (wparam != platform::vk::kReturn) {
    if (!command_mode_) {
      wparam = form_.Effects().FilterCode(static_cast<uint32_t>(wparam));
    } else {
      Complete(message, wparam);
    }
    return;
  }
  Enter(text, message, wparam);
}

void CommandParser::Complete(uint32_t& message, WParam& wparam) {
  auto& windows = program_.Rt().Windows();
  platform::Hwnd input = program_.Chat().ChatInput;
  uint32_t start = 0;
  windows.SendMessage(input, msg::kEmGetSel, reinterpret_cast<WParam>(&start), 0);
  std::u32string all = codepage::DecodeUtf8(TextFilter::PlainText(program_.GTalk().GetText(input)));
  std::u32string typed = all.substr(0, std::min<size_t>(start, all.size()));
  std::u32string before = typed;
  bool blank = wparam == ' ';
  if (!blank) typed += codepage::CodePointOfCharCode(static_cast<uint32_t>(wparam));
  if (typed.empty() || typed[0] != U'/') {
    command_mode_ = false;
    return;
  }
  std::string name = codepage::EncodeUtf8(typed.substr(1));
  if (!blank) {
    // The first command of the list that begins with what was typed.
    std::string list = runtime::AsciiLower(command_list_);
    size_t found = list.find("," + runtime::AsciiLower(name));
    size_t next = found == std::string::npos ? std::string::npos : list.find(',', found + 1);
    name = next == std::string::npos ? std::string()
                                     : command_list_.substr(found + 1, next - found - 1);
  }
  if (name.empty()) {
    Discard(message, wparam);
    return;
  }
  if (!blank) {
    program_.GTalk().SetText("/" + name, input, false);
    windows.SendMessage(input, msg::kEmSetSel, before.size() + 1, -1);
    Discard(message, wparam);
    return;
  }
  if (runtime::AsciiLower(arg_command_list_).find("," + runtime::AsciiLower(name) + ",") !=
      std::string::npos) {
    command_mode_ = false;
    argument_mode_ = true;  // the blank goes to the input; the argument is ordinary typing
  } else {
    Discard(message, wparam);
  }
}

void CommandParser::Enter(const std::string& read, uint32_t& message, WParam& wparam) {
  command_mode_ = false;
  argument_mode_ = false;
  ChatState& state = program_.Chat();
  state.RecallIndex = 0;
  int zoom = program_.Config().ReadNumber(app::NumberSettings::kZoom);
  program_.Rt().Windows().SendMessage(state.ChatInput, msg::kEmSetZoom, static_cast<WParam>(zoom),
                                      100);
  form_.Effects().UpdateRecall(read);
  std::string line = !read.empty() && read[0] == '/' ? TextFilter::PlainText(read) : read;
  size_t blank = line.find(' ');
  // A command without a blank has no argument (not the whole line as its argument), so that
  // "/status" or "/customstatus" alone change nothing.
  std::string argument = blank == std::string::npos ? std::string() : line.substr(blank + 1);
  // The command word in lower case with the code page's letters, so "s:CAFÉ" searches for "café".
  std::string command = codepage::Cp1252Lower(line.substr(0, blank));
  if (RunCommand(command, argument)) {
    Discard(message, wparam);
    program_.GTalk().SetText("", state.ChatInput, false);
  }
}

void CommandParser::SetAwayTag(std::string tag) {
  program_.Chat().StatusPrefix = std::move(tag);
  program_.GTalk().ApplyStatusPrefix(false, "");
}

bool CommandParser::RunCommand(const std::string& command, const std::string& argument) {
  GTalkWindows& gtalk = program_.GTalk();
  if (command == "/signout") {
    gtalk.SendCommand(40002);
  } else if (command == "/available") {
    gtalk.ChangeStatus("Available");
  } else if (command == "/away") {
    SetAwayTag("Away");
  } else if (command == "/brb") {
    SetAwayTag("Brb");
  } else if (command == "/food") {
    SetAwayTag("Food");
  } else if (command == "/dinner") {
    SetAwayTag("Dinner");
  } else if (command == "/lunch") {
    SetAwayTag("Lunch");
  } else if (command == "/busy") {
    gtalk.ChangeStatus("Busy");
  } else if (command == "/reset") {
    SetAwayTag("");
  } else if (command == "/clear") {
    form_.SetTag("clear");
  } else if (command == "/customstate" || command == "/customstatus") {
    if (!argument.empty()) SetAwayTag(argument);
  } else if (command == "/boss") {
    form_.vbBoss_HotkeyPressed();
  } else if (command == "/qnmenu") {
    form_.picIcon_Click(1);
  } else if (command == "/qnoptions") {
    form_.Menus().mnuOptions_Click();
  } else if (command == "/about") {
    form_.Menus().mnuAbout_Click();
  } else if (command == "/orb") {
    program_.Rt().MsgBox("Easter EGG No. 1!");
  } else if (command == "/lumo") {
    program_.Rt().MsgBox("Easter EGG No. 2!");
  } else if (command == "/activestatus") {
    form_.Menus().mnuActive_Click();
  } else if (command == "/desktopfriends") {
    form_.Menus().mnuDesktopFriend_Click();
  } else if (command == "/lock") {
    program_.Chat().Locked = false;
    form_.vbLock_HotkeyPressed();
  } else if (command == "/displaypicture") {
    gtalk.SendAvatarCommand();
  } else if (command == "/status") {
    auto [area, edit_box] = gtalk.FindStatusBox();
    if (gtalk.GetText(edit_box) != argument) gtalk.ChangeStatus(argument);
  } else if (command == "/mail") {
    gtalk.SendCommand(40089);
  } else if (command == "/leet") {
    form_.ApplyFilter(1);
  } else if (command == "/cool") {
    form_.ApplyFilter(2);
  } else if (command == "/none") {
    form_.ApplyFilter(0);
  } else if (command == "/inbox") {
    gtalk.SendCommand(40088);
  } else if (command == "/help") {
    form_.MsgCmdList();
  } else if (command == "/call") {
    // Recognised and swallowed: there is nothing to call.
  } else if (command == "/options") {
    gtalk.SendCommand(40003);
  } else if (command == "/update") {
    gtalk.SendCommand(40087);
  } else if (command == "/hide") {
    gtalk.SendCommand(40004);
  } else if (command == "/block") {
    gtalk.SendChatCommand(8011);
  } else if (command == "/offrecord") {
    gtalk.SendChatCommand(8010);
  } else if (command.rfind("s:", 0) == 0) {
    // The word goes into the address encoded, so "&", "#", "+" or "%" search for themselves.
    program_.Rt().Shell().Open(std::string(kSearchSite) +
                               "/search?&q=" + PercentEncode(command.substr(2)));
  } else if (command.rfind("o:", 0) == 0) {
    std::string target = command.substr(2);
    program_.Rt().MsgBox(target);
    program_.Rt().Shell().Open(target);
  } else {
    return false;
  }
  return true;
}

}  // namespace quillon::gtalk
