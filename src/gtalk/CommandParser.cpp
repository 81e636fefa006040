#include "gtalk/CommandParser.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "gtalk/GTalkCommandIds.h"
#include "gtalk/GTalkWindows.h"
#include "gtalk/TextEffects.h"
#include "gtalk/TextFilter.h"
#include "runtime/Form.h"
#include "text/Utf8.h"
#include "runtime/Runtime.h"
#include "text/CodePage.h"
#include "text/Strings.h"
#include "text/Utf8.h"

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
  std::string text = gtalk_.GetText(chat_.ChatInput);
  if (text.empty() || text[0] != '/') {
    command_mode_ = false;
    argument_mode_ = false;
  } else if (!argument_mode_) {
    command_list_ = ListedCommands();
    arg_command_list_ = ArgumentCommands();
    command_mode_ = true;
  }
  if (wparam != platform::vk::kReturn) {
    if (!command_mode_) {
      wparam = effects_.FilterCode(static_cast<uint32_t>(wparam));
    } else {
      Complete(message, wparam);
    }
    return;
  }
  Enter(text, message, wparam);
}

void CommandParser::Complete(uint32_t& message, WParam& wparam) {
  auto& windows = rt_.Windows();
  platform::Hwnd input = chat_.ChatInput;
  uint32_t start = 0;
  windows.SendMessage(input, msg::kEmGetSel, reinterpret_cast<WParam>(&start), 0);
  std::u32string all = text::DecodeUtf8(TextFilter::PlainText(gtalk_.GetText(input)));
  std::u32string typed = all.substr(0, std::min<size_t>(start, all.size()));
  std::u32string before = typed;
  bool blank = wparam == ' ';
  if (!blank) typed += text::CodePointOfCharCode(static_cast<uint32_t>(wparam));
  if (typed.empty() || typed[0] != U'/') {
    command_mode_ = false;
    return;
  }
  std::string name = text::EncodeUtf8(typed.substr(1));
  if (!blank) {
    // The first command of the list that begins with what was typed.
    std::string list = text::AsciiLower(command_list_);
    size_t found = list.find("," + text::AsciiLower(name));
    size_t next = found == std::string::npos ? std::string::npos : list.find(',', found + 1);
    name = next == std::string::npos ? std::string()
                                     : command_list_.substr(found + 1, next - found - 1);
  }
  if (name.empty()) {
    Discard(message, wparam);
    return;
  }
  if (!blank) {
    gtalk_.SetText("/" + name, input, false);
    windows.SendMessage(input, msg::kEmSetSel, before.size() + 1, -1);
    Discard(message, wparam);
    return;
  }
  if (text::AsciiLower(arg_command_list_).find("," + text::AsciiLower(name) + ",") !=
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
  services::ChatState& state = chat_;
  state.RecallIndex = 0;
  int zoom = settings_.ReadNumber(services::NumberSettings::kZoom);
  rt_.Windows().SendMessage(state.ChatInput, msg::kEmSetZoom, static_cast<WParam>(zoom), 100);
  effects_.UpdateRecall(read);
  std::string line = !read.empty() && read[0] == '/' ? TextFilter::PlainText(read) : read;
  size_t blank = line.find(' ');
  // A command without a blank has no argument (not the whole line as its argument), so that
  // "/status" or "/customstatus" alone change nothing.
  std::string argument = blank == std::string::npos ? std::string() : line.substr(blank + 1);
  // The command word in lower case with the code page's letters, so "s:CAFÉ" searches for "café".
  std::string command = text::Cp1252Lower(line.substr(0, blank));
  if (RunCommand(command, argument)) {
    Discard(message, wparam);
    gtalk_.SetText("", state.ChatInput, false);
  }
}

void CommandParser::SetAwayTag(std::string tag) {
  chat_.StatusPrefix = std::move(tag);
  gtalk_.ApplyStatusPrefix(false, "");
}

// The command table, in the order Enter tries the names. Handlers are plain functions of the
// parser so that the table stays data; they reach the program through the parser.
const SlashCommand CommandParser::kCommands[] = {
    {"signout", 27, false,
     [](CommandParser& p, const std::string&) { p.gtalk_.SendCommand(command_id::kSignOut); }},
    {"available", 3, false,
     [](CommandParser& p, const std::string&) { p.gtalk_.ChangeStatus("Available"); }},
    {"away", 4, false, [](CommandParser& p, const std::string&) { p.SetAwayTag("Away"); }},
    {"brb", 7, false, [](CommandParser& p, const std::string&) { p.SetAwayTag("Brb"); }},
    {"food", 17, false, [](CommandParser& p, const std::string&) { p.SetAwayTag("Food"); }},
    {"dinner", 13, false, [](CommandParser& p, const std::string&) { p.SetAwayTag("Dinner"); }},
    {"lunch", 23, false, [](CommandParser& p, const std::string&) { p.SetAwayTag("Lunch"); }},
    {"busy", 8, false, [](CommandParser& p, const std::string&) { p.gtalk_.ChangeStatus("Busy"); }},
    {"reset", 26, false, [](CommandParser& p, const std::string&) { p.SetAwayTag(""); }},
    {"clear", 9, false, [](CommandParser& p, const std::string&) { p.form_.SetTag("clear"); }},
    // The older spelling, still recognised but never offered.
    {"customstate", 0, false,
     [](CommandParser& p, const std::string& argument) {
       if (!argument.empty()) p.SetAwayTag(argument);
     }},
    {"customstatus", 11, true,
     [](CommandParser& p, const std::string& argument) {
       if (!argument.empty()) p.SetAwayTag(argument);
     }},
    {"boss", 6, false,
     [](CommandParser& p, const std::string&) { p.targets_.vbBoss_HotkeyPressed(); }},
    {"qnmenu", 15, false,
     [](CommandParser& p, const std::string&) { p.targets_.picIcon_Click(1); }},
    {"qnoptions", 16, false,
     [](CommandParser& p, const std::string&) { p.targets_.ShowOptions(); }},
    {"about", 1, false, [](CommandParser& p, const std::string&) { p.targets_.ShowAbout(); }},
    {"orb", 0, false,
     [](CommandParser& p, const std::string&) { p.rt_.MsgBox("Easter EGG No. 1!"); }},
    {"lumo", 0, false,
     [](CommandParser& p, const std::string&) { p.rt_.MsgBox("Easter EGG No. 2!"); }},
    {"activestatus", 2, false,
     [](CommandParser& p, const std::string&) { p.targets_.OpenActiveStatus(); }},
    {"desktopfriends", 12, false,
     [](CommandParser& p, const std::string&) { p.targets_.CreateDesktopFriend(); }},
    // The lock hotkey toggles; the command always locks.
    {"lock", 22, false,
     [](CommandParser& p, const std::string&) {
       p.chat_.Locked = false;
       p.targets_.vbLock_HotkeyPressed();
     }},
    {"displaypicture", 14, false,
     [](CommandParser& p, const std::string&) { p.gtalk_.SendAvatarCommand(); }},
    {"status", 28, true,
     [](CommandParser& p, const std::string& argument) {
       GTalkWindows& gtalk = p.gtalk_;
       auto [area, edit_box] = gtalk.FindStatusBox();
       if (gtalk.GetText(edit_box) != argument) gtalk.ChangeStatus(argument);
     }},
    {"mail", 24, false,
     [](CommandParser& p, const std::string&) { p.gtalk_.SendCommand(command_id::kMail); }},
    {"leet", 21, false, [](CommandParser& p, const std::string&) { p.effects_.ApplyFilter(1); }},
    {"cool", 10, false, [](CommandParser& p, const std::string&) { p.effects_.ApplyFilter(2); }},
    {"none", 25, false, [](CommandParser& p, const std::string&) { p.effects_.ApplyFilter(0); }},
    {"inbox", 20, false,
     [](CommandParser& p, const std::string&) { p.gtalk_.SendCommand(command_id::kInbox); }},
    {"help", 19, false, [](CommandParser& p, const std::string&) { p.targets_.MsgCmdList(); }},
    // Recognised and swallowed: there is nothing to call.
    {"call", 0, false, [](CommandParser&, const std::string&) {}},
    {"options", 29, false,
     [](CommandParser& p, const std::string&) { p.gtalk_.SendCommand(command_id::kOptions); }},
    {"update", 31, false,
     [](CommandParser& p, const std::string&) { p.gtalk_.SendCommand(command_id::kUpdate); }},
    {"hide", 18, false,
     [](CommandParser& p, const std::string&) { p.gtalk_.SendCommand(command_id::kHide); }},
    {"block", 5, false,
     [](CommandParser& p, const std::string&) { p.gtalk_.SendChatCommand(command_id::kBlock); }},
    {"offrecord", 30, false,
     [](CommandParser& p,
        const std::string&) { p.gtalk_.SendChatCommand(command_id::kOffTheRecord); }},
};

std::span<const SlashCommand> CommandParser::Commands() { return kCommands; }

namespace {

// The names of `commands` that pass `keep`, in list order, each after a comma, with a comma after
// the last.
template <typename Keep>
std::string ListOf(std::span<const SlashCommand> commands, Keep keep) {
  std::vector<const SlashCommand*> listed;
  for (const SlashCommand& command : commands) {
    if (command.listed_at > 0 && keep(command)) listed.push_back(&command);
  }
  std::stable_sort(listed.begin(), listed.end(), [](const SlashCommand* a, const SlashCommand* b) {
    return a->listed_at < b->listed_at;
  });
  std::string list = ",";
  for (const SlashCommand* command : listed) list.append(command->name).append(",");
  return list;
}

}  // namespace

const std::string& CommandParser::ListedCommands() {
  static const std::string list = ListOf(kCommands, [](const SlashCommand&) { return true; });
  return list;
}

const std::string& CommandParser::ArgumentCommands() {
  static const std::string list =
      ListOf(kCommands, [](const SlashCommand& command) { return command.takes_argument; });
  return list;
}

bool CommandParser::RunCommand(const std::string& command, const std::string& argument) {
  if (command.size() > 1 && command[0] == '/') {
    std::string_view name = std::string_view(command).substr(1);
    for (const SlashCommand& row : kCommands) {
      if (row.name == name) {
        row.run(*this, argument);
        return true;
      }
    }
  }
  if (command.rfind("s:", 0) == 0) {
    // The word goes into the address encoded, so "&", "#", "+" or "%" search for themselves.
    rt_.Shell().Open(std::string(kSearchSite) + "/search?&q=" + PercentEncode(command.substr(2)));
  } else if (command.rfind("o:", 0) == 0) {
    std::string target = command.substr(2);
    rt_.MsgBox(target);
    rt_.Shell().Open(target);
  } else {
    return false;
  }
  return true;
}

}  // namespace quillon::gtalk
