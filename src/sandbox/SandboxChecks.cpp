// The sandbox's checks: each "expect" statement compares what a person would see with what the
// scenario says, and on a mismatch tells both.
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/Quillon.h"
#include "platform/WindowSystem.h"
#include "runtime/Control.h"
#include "runtime/Form.h"
#include "sandbox/FormReference.h"
#include "sandbox/Sandbox.h"
#include "sandbox/Sha256.h"
#include "sim/RichEditBox.h"
#include "sim/SimHtmlDocument.h"

namespace quillon::sandbox {

using Outcome = Sandbox::Outcome;

namespace {

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

Outcome Equal(const std::string& expected, const std::string& actual) {
  if (expected == actual) return Outcome::Ok();
  return Outcome::Fail(Quoted(expected), Quoted(actual));
}

std::string YesNo(bool value) { return value ? "yes" : "no"; }

std::optional<platform::RegistryRoot> Root(const std::string& name) {
  if (name == "HKCU" || name == "HKEY_CURRENT_USER") return platform::RegistryRoot::kCurrentUser;
  if (name == "HKLM" || name == "HKEY_LOCAL_MACHINE") return platform::RegistryRoot::kLocalMachine;
  return std::nullopt;
}

// A value as a person reading the registry would see it.
std::string Shown(const platform::RegistryValue& value) {
  switch (value.type) {
    case platform::RegistryType::kString:
    case platform::RegistryType::kExpandString:
      return value.data;
    case platform::RegistryType::kDword:
      return std::to_string(value.AsDword());
    case platform::RegistryType::kMultiString: {
      std::string joined;
      for (const auto& part : value.AsMultiString()) joined += (joined.empty() ? "" : "|") + part;
      return joined;
    }
    default: {
      std::string hex;
      char piece[4];
      for (unsigned char c : value.data) {
        std::snprintf(piece, sizeof piece, "%02x", c);
        hex += piece;
      }
      return hex;
    }
  }
}

// The input box of the chat in front, or nullptr when no chat is open.
sim::RichEditBox* FrontInput(UserWorld& user) {
  standin::ChatSession* chat = user.FrontChat();
  return chat ? user.Desktop().RichEditOf(chat->Input()) : nullptr;
}

Outcome NoChat() { return Outcome::Fail("a chat in front", "no chat is open"); }

}  // namespace

Outcome Sandbox::CheckInput(const Statement& s, size_t from) {
  sim::RichEditBox* input = FrontInput(Current());
  if (!input) return NoChat();
  return Equal(s.At(from + 1), input->Text());
}

Outcome Sandbox::CheckInputBackground(const Statement& s, size_t from) {
  sim::RichEditBox* input = FrontInput(Current());
  if (!input) return NoChat();
  auto r = ParseNumber(s.At(from + 2)), g = ParseNumber(s.At(from + 3)),
       b = ParseNumber(s.At(from + 4));
  if (!r || !g || !b) return Outcome::Fail("expect input background R G B", s.source);
  platform::ColorRef c = input->Background();
  std::string actual = std::to_string(c & 0xFF) + " " + std::to_string((c >> 8) & 0xFF) + " " +
                       std::to_string((c >> 16) & 0xFF);
  std::string expected = s.At(from + 2) + " " + s.At(from + 3) + " " + s.At(from + 4);
  return expected == actual ? Outcome::Ok() : Outcome::Fail(expected, actual);
}

Outcome Sandbox::CheckInputZoom(const Statement& s, size_t from) {
  sim::RichEditBox* input = FrontInput(Current());
  if (!input) return NoChat();
  std::string actual = std::to_string(input->ZoomPercent());
  return s.At(from + 2) == actual ? Outcome::Ok() : Outcome::Fail(s.At(from + 2), actual);
}

Outcome Sandbox::CheckSelection(const Statement& s, size_t from) {
  sim::RichEditBox* input = FrontInput(Current());
  if (!input) return NoChat();
  std::string expected = s.At(from + 1) + " " + s.At(from + 2);
  std::string actual =
      std::to_string(input->SelectionStart()) + " " + std::to_string(input->SelectionEnd());
  return expected == actual ? Outcome::Ok() : Outcome::Fail(expected, actual);
}

Outcome Sandbox::CheckReadonly(const Statement& s, size_t from) {
  sim::RichEditBox* input = FrontInput(Current());
  if (!input) return NoChat();
  std::string actual = YesNo(input->ReadOnly());
  return s.At(from + 1) == actual ? Outcome::Ok() : Outcome::Fail(s.At(from + 1), actual);
}

Outcome Sandbox::CheckStatusOneOf(const Statement& s, size_t from) {
  UserWorld& user = Current();
  if (!user.GTalk().Running())
    return Outcome::Fail("one of the texts", "Google Talk is not running");
  std::string actual = user.GTalk().Status();
  std::string choices;
  for (size_t i = from + 3; i < s.Size(); ++i) {
    if (s.At(i) == actual) return Outcome::Ok();
    choices += (choices.empty() ? "" : " | ") + Quoted(s.At(i));
  }
  return Outcome::Fail("one of " + choices, Quoted(actual));
}

Outcome Sandbox::CheckStatus(const Statement& s, size_t from) {
  UserWorld& user = Current();
  if (!user.GTalk().Running())
    return Outcome::Fail(Quoted(s.At(from + 1)), "Google Talk is not running");
  return Equal(s.At(from + 1), user.GTalk().Status());
}

Outcome Sandbox::CheckSetting(const Statement& s, size_t from) {
  return CheckRegistry(s, from, true);
}

Outcome Sandbox::CheckRegistryValue(const Statement& s, size_t from) {
  return CheckRegistry(s, from, false);
}

Outcome Sandbox::CheckClipboard(const Statement& s, size_t from) {
  return Equal(s.At(from + 1), Current().Shell().GetClipboardText().value_or(""));
}

Outcome Sandbox::CheckGTalk(const Statement& s, size_t from) {
  std::vector<uint32_t> commands = Current().GTalk().TakeCommands();
  std::string actual;
  for (uint32_t id : commands) actual += (actual.empty() ? "" : " ") + std::to_string(id);
  if (actual.empty()) actual = "no command";
  if (s.Is(from + 1, "quiet") && s.Size() == from + 2) {
    return commands.empty() ? Outcome::Ok() : Outcome::Fail("no command", actual);
  }
  auto id = s.Size() == from + 3 ? ParseNumber(s.At(from + 2)) : std::nullopt;
  if (!id) return Outcome::Fail("expect gtalk received N", s.source);
  for (uint32_t got : commands) {
    if (got == static_cast<uint32_t>(*id)) return Outcome::Ok();
  }
  return Outcome::Fail("command " + s.At(from + 2), actual);
}

Outcome Sandbox::CheckOpened(const Statement& s, size_t from) {
  UserWorld& user = Current();
  bool contains = s.Is(from + 1, "contains");
  if (s.Size() != from + (contains ? 3 : 2))
    return Outcome::Fail("expect opened [contains] \"TEXT\"", s.source);
  const std::string& wanted = s.At(s.Size() - 1);
  const auto& opened = user.Shell().Opened();
  size_t& seen = opened_checked_[user.Name()];
  std::string actual;
  bool found = false;
  for (size_t i = seen; i < opened.size(); ++i) {
    actual += (actual.empty() ? "" : ", ") + Quoted(opened[i]);
    if (contains ? opened[i].find(wanted) != std::string::npos : opened[i] == wanted) found = true;
  }
  seen = opened.size();
  if (found) return Outcome::Ok();
  return Outcome::Fail((contains ? "something containing " : "") + Quoted(wanted),
                       actual.empty() ? "nothing opened" : actual);
}

Outcome Sandbox::CheckHistory(const Statement& s, size_t from) {
  UserWorld& user = Current();
  size_t at = from + 1;
  standin::ChatSession* chat = user.GTalk().LastActivated();
  std::string which = "the chat last activated";
  if (s.Is(at, "of")) {
    which = "the chat of " + Quoted(s.At(at + 1));
    chat = user.GTalk().Chat(s.At(at + 1));
    at += 2;
  }
  if (!chat || !chat->Document()) return Outcome::Fail(which, "no such chat is open");
  auto document = chat->Document();
  if (s.Is(from, "view")) {
    if (s.Size() != at + 2 || !(s.Is(at, "bgcolor") || s.Is(at, "fgcolor"))) {
      return Outcome::Fail("expect view [of \"NAME\"] bgcolor|fgcolor \"#rrggbb\"", s.source);
    }
    return Equal(s.At(at + 1), s.Is(at, "bgcolor") ? document->BgColor() : document->FgColor());
  }
  std::string html = document->BodyHtml();
  if (s.Is(at, "contains") && s.Size() == at + 2) {
    if (html.find(s.At(at + 1)) != std::string::npos) return Outcome::Ok();
    return Outcome::Fail("history containing " + Quoted(s.At(at + 1)), Quoted(html));
  }
  if (s.Is(at, "lacks") && s.Size() == at + 2) {
    if (html.find(s.At(at + 1)) == std::string::npos) return Outcome::Ok();
    return Outcome::Fail("history without " + Quoted(s.At(at + 1)), Quoted(html));
  }
  if (s.Size() == at + 1 && s.words[at].quoted) return Equal(s.At(at), html);
  return Outcome::Fail("expect history [of \"NAME\"] contains|lacks \"TEXT\" | \"TEXT\"", s.source);
}

Outcome Sandbox::CheckWindow(const Statement& s, size_t from) {
  sim::SimDesktop& desktop = Current().Desktop();
  size_t at = from + 1;
  if (at >= s.Size() || !s.words[at].quoted) {
    return Outcome::Fail("expect window \"CLASS\" [\"TITLE\"] STATE", s.source);
  }
  std::string cls = s.At(at++);
  std::optional<std::string> title;
  if (at < s.Size() && s.words[at].quoted) title = s.At(at++);
  std::string state = s.At(at++);
  std::optional<int> alpha, x, y;
  if (state == "alpha") {
    alpha = ParseNumber(s.At(at++));
    if (!alpha) return Outcome::Fail("expect window ... alpha N", s.source);
  } else if (state == "at") {
    x = ParseNumber(s.At(at++));
    y = ParseNumber(s.At(at++));
    if (!x || !y) return Outcome::Fail("expect window ... at X Y", s.source);
  }
  if (at != s.Size() || state.empty())
    return Outcome::Fail("expect window \"CLASS\" [\"TITLE\"] STATE", s.source);
  std::string name = Quoted(cls) + (title ? " " + Quoted(*title) : "");
  // What was expected, with the numbers the state carries, for the failure's first line.
  std::string wanted = state;
  if (alpha) wanted += " " + std::to_string(*alpha);
  if (x && y) wanted += " " + std::to_string(*x) + " " + std::to_string(*y);
  platform::Hwnd window = desktop.FindWindowEx(0, 0, cls, title);
  if (!window) {
    // A child window counts too, when no top-level window matches.
    for (platform::Hwnd top : desktop.TopLevelWindows()) {
      desktop.EnumChildWindows(top, [&](platform::Hwnd child) {
        if (desktop.GetClassName(child) == cls && (!title || desktop.TitleOf(child) == *title)) {
          window = child;
          return false;
        }
        return true;
      });
      if (window) break;
    }
  }
  if (state == "absent") {
    return window ? Outcome::Fail(name + " absent", "it is present") : Outcome::Ok();
  }
  if (!window) return Outcome::Fail(name + " " + wanted, "no such window");
  auto is = [&](bool holds, const std::string& otherwise) {
    return holds ? Outcome::Ok() : Outcome::Fail(name + " " + wanted, otherwise);
  };
  if (state == "present") return Outcome::Ok();
  if (state == "visible") return is(desktop.IsWindowVisible(window), "it is hidden");
  if (state == "hidden") return is(!desktop.IsWindowVisible(window), "it is visible");
  if (state == "topmost") return is(desktop.IsTopMost(window), "it is not top-most");
  if (state == "not-topmost") return is(!desktop.IsTopMost(window), "it is top-most");
  auto layered = desktop.GetLayeredAlpha(window);
  if (state == "opaque") {
    return is(!layered || *layered == 255, "its alpha is " + std::to_string(layered.value_or(255)));
  }
  if (state == "alpha") {
    return is(layered && *layered == *alpha,
              layered ? "its alpha is " + std::to_string(*layered) : "it is opaque");
  }
  if (state == "at") {
    platform::Rect r = desktop.GetWindowRect(window);
    return is(r.left == *x && r.top == *y,
              "it is at " + std::to_string(r.left) + " " + std::to_string(r.top));
  }
  return Outcome::Fail("present|absent|visible|hidden|topmost|not-topmost|opaque|alpha N|at X Y",
                       state);
}

Outcome Sandbox::CheckRegistry(const Statement& s, size_t from, bool setting) {
  platform::Registry& registry = Current().Registry();
  platform::RegistryRoot root = platform::RegistryRoot::kCurrentUser;
  std::string key;
  size_t at = from + 1;
  if (setting) {
    key = "Software\\Quillon\\" + s.At(at++);
  } else {
    auto parsed = Root(s.At(at++));
    if (!parsed) return Outcome::Fail("expect registry HKCU|HKLM \"KEY\" NAME ...", s.source);
    root = *parsed;
    key = s.At(at++);
  }
  std::string name = s.At(at++);
  if (at + 1 != s.Size())
    return Outcome::Fail("a value to compare with, present or missing", s.source);
  auto value = registry.GetValue(root, key, name);
  std::string where = key + "\\" + name;
  if (s.Is(at, "missing")) {
    return value ? Outcome::Fail(where + " missing", Quoted(Shown(*value))) : Outcome::Ok();
  }
  if (s.Is(at, "present"))
    return value ? Outcome::Ok() : Outcome::Fail(where + " present", "missing");
  if (!value) return Outcome::Fail(Quoted(s.At(at)), where + " is missing");
  return Equal(s.At(at), Shown(*value));
}

Outcome Sandbox::CheckDialog(const Statement& s, size_t from) {
  sim::SimDialogs& dialogs = Current().Dialogs();
  if (s.Is(from, "no")) {
    if (s.Size() != from + 2) return Outcome::Fail("expect no dialog", s.source);
    std::string actual;
    while (auto shown = dialogs.TakeUnchecked())
      actual += (actual.empty() ? "" : ", ") + Quoted(shown->text);
    if (const sim::SimDialogs::Shown* open = dialogs.Waiting()) {
      actual += (actual.empty() ? "" : ", ") + Quoted(open->text) + " (open)";
    }
    return actual.empty() ? Outcome::Ok() : Outcome::Fail("no dialog", actual);
  }
  bool contains = s.Is(from + 1, "contains");
  size_t at = from + (contains ? 2 : 1);
  std::string text = s.At(at++);
  std::optional<std::string> title;
  if (!contains && s.Is(at, "title") && at + 1 < s.Size()) {
    title = s.At(at + 1);
    at += 2;
  }
  std::optional<std::string> folder;
  if (!contains && s.Is(at, "folder") && at + 1 < s.Size()) {
    folder = s.At(at + 1);
    at += 2;
  }
  if (at != s.Size()) {
    return Outcome::Fail("expect dialog [contains] \"TEXT\" [title \"TITLE\"] [folder \"PATH\"]",
                         s.source);
  }
  // Answered dialogs first, in the order they came; then the one open now, waiting for the
  // person (at the prompt or on a page).
  auto shown = dialogs.TakeUnchecked();
  if (!shown) {
    if (const sim::SimDialogs::Shown* open = dialogs.CheckWaiting()) shown = *open;
  }
  if (!shown)
    return Outcome::Fail((contains ? "a dialog containing " : "a dialog ") + Quoted(text),
                         "no dialog");
  if (contains ? shown->text.find(text) == std::string::npos : shown->text != text) {
    return Outcome::Fail((contains ? "a dialog containing " : "a dialog ") + Quoted(text),
                         Quoted(shown->text));
  }
  if (title && *title != shown->title)
    return Outcome::Fail("title " + Quoted(*title), Quoted(shown->title));
  if (folder) {
    // The folder a file dialog opened in, inside the program folder unless absolute.
    std::filesystem::path wanted = Current().ResolvePath(*folder).lexically_normal();
    std::filesystem::path opened = std::filesystem::path(shown->folder).lexically_normal();
    if (shown->folder.empty() || wanted != opened) {
      return Outcome::Fail("a dialog opened in " + Quoted(wanted.string()),
                           shown->folder.empty() ? "no folder given" : Quoted(opened.string()));
    }
  }
  return Outcome::Ok();
}

Outcome Sandbox::CheckFile(const Statement& s, size_t from) {
  std::filesystem::path path = Current().ResolvePath(s.At(from + 1));
  bool exists = std::filesystem::is_regular_file(path);
  if (s.Is(from + 2, "missing") && s.Size() == from + 3) {
    return exists ? Outcome::Fail(path.string() + " missing", "it exists") : Outcome::Ok();
  }
  if (!exists) return Outcome::Fail("the file " + path.string(), "it is missing");
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  if (s.Is(from + 2, "sha256") && s.Size() == from + 4)
    return Equal(s.At(from + 3), Sha256Hex(buffer.str()));
  if (s.Size() == from + 3) return Equal(s.At(from + 2), buffer.str());
  return Outcome::Fail("expect file \"PATH\" \"TEXT\"|sha256 \"HEX\"|missing", s.source);
}

Outcome Sandbox::CheckMenu(const Statement& s, size_t from) {
  if (s.Size() != from + 3) return Outcome::Fail("expect menu \"PATH\" STATE", s.source);
  const auto* menu = Current().Dialogs().OpenMenu();
  const std::string& state = s.At(from + 2);
  if (!menu) return Outcome::Fail("an open menu", "no menu is open");
  const platform::PopupMenuItem* item = sim::SimDialogs::FindItem(*menu, s.At(from + 1));
  std::string name = Quoted(s.At(from + 1)) + " " + state;
  // Hidden items are not in the menu a person sees.
  if (state == "absent" || state == "hidden") {
    return item ? Outcome::Fail(name, "it is shown") : Outcome::Ok();
  }
  if (!item) return Outcome::Fail(name, "the menu has no such item");
  if (state == "visible") return Outcome::Ok();
  if (state == "enabled") return item->enabled ? Outcome::Ok() : Outcome::Fail(name, "disabled");
  if (state == "disabled") return !item->enabled ? Outcome::Ok() : Outcome::Fail(name, "enabled");
  if (state == "checked") return item->checked ? Outcome::Ok() : Outcome::Fail(name, "unchecked");
  if (state == "unchecked") return !item->checked ? Outcome::Ok() : Outcome::Fail(name, "checked");
  return Outcome::Fail("enabled|disabled|checked|unchecked|visible|hidden|absent", state);
}

Outcome Sandbox::CheckTray(const Statement& s, size_t from) {
  if (!s.Is(from + 1, "icon") || s.Size() != from + 3) {
    return Outcome::Fail("expect tray icon own|boss|plain", s.source);
  }
  UserWorld& user = Current();
  auto icon = user.Shell().IconOf(user.GTalk().MainWindow(), standin::GoogleTalk::kTrayIconId);
  if (!icon)
    return Outcome::Fail(s.At(from + 2), "Google Talk has no icon in the notification area");
  std::string actual = icon->icon == standin::GoogleTalk::kOwnIcon ? "own" : "another icon";
  const std::string& wanted = s.At(from + 2);
  if (wanted == "boss" || wanted == "plain") {
    std::optional<platform::IconHandle> expected = user.QuillonIcon(wanted);
    if (expected && icon->icon == *expected) return Outcome::Ok();
  } else if (wanted == "own" && actual == "own") {
    return Outcome::Ok();
  }
  if (auto boss = user.QuillonIcon("boss"); boss && icon->icon == *boss) actual = "boss";
  if (auto plain = user.QuillonIcon("plain"); plain && icon->icon == *plain) actual = "plain";
  return Outcome::Fail(wanted, actual);
}

void Sandbox::Dump() {
  UserWorld& user = Current();
  sim::SimDesktop& desktop = user.Desktop();
  std::ostream& out = std::cout;
  out << "user " << user.Name() << ", time " << loop_.Now() << " ms\n";
  out << "windows (front first):\n";
  std::function<void(platform::Hwnd, int)> show = [&](platform::Hwnd window, int depth) {
    platform::Rect r = desktop.GetWindowRect(window);
    out << std::string(2 + 2 * depth, ' ') << Quoted(desktop.GetClassName(window)) << " "
        << Quoted(desktop.TitleOf(window))
        << (desktop.IsWindowVisible(window) ? " visible" : " hidden") << " at " << r.left << ","
        << r.top << " " << r.Width() << "x" << r.Height()
        << (window == desktop.GetForegroundWindow() ? " (front)" : "") << "\n";
    for (platform::Hwnd child : desktop.ChildrenOf(window)) show(child, depth + 1);
  };
  for (platform::Hwnd top : desktop.TopLevelWindows()) show(top, 0);
  if (user.GTalk().Running()) {
    out << "status: " << Quoted(user.GTalk().Status()) << "\n";
  } else {
    out << "Google Talk is not running\n";
  }
  if (standin::ChatSession* chat = user.FrontChat()) {
    out << "chat " << Quoted(chat->Contact()) << " input: " << Quoted(chat->InputText()) << "\n";
    if (auto document = chat->Document())
      out << "history: " << Quoted(document->BodyHtml()) << "\n";
  }
  if (const auto* menu = user.Dialogs().OpenMenu()) {
    out << "open menu:\n";
    std::function<void(const std::vector<platform::PopupMenuItem>&, int)> items =
        [&](const std::vector<platform::PopupMenuItem>& level, int depth) {
          for (const auto& item : level) {
            out << std::string(2 + 2 * depth, ' ') << sim::SimDialogs::PlainCaption(item.caption)
                << (item.enabled ? "" : " (disabled)") << (item.checked ? " (checked)" : "")
                << "\n";
            items(item.children, depth + 1);
          }
        };
    items(*menu, 0);
  }
  for (const auto& shown : user.Dialogs().AllShown()) {
    out << "dialog " << Quoted(shown.title) << ": " << Quoted(shown.text) << " -> " << shown.outcome
        << "\n";
  }
  if (const auto* open = user.Dialogs().Waiting()) {
    out << "open dialog " << Quoted(open->title) << ": " << Quoted(open->text)
        << " (waits for an answer)\n";
  }
  user.DumpProgram(out);
}

}  // namespace quillon::sandbox

namespace quillon::sandbox {

namespace {

struct Located {
  runtime::Form* form = nullptr;
  runtime::Control* control = nullptr;
  std::string problem;
};

Located Locate(UserWorld& user, std::string_view text, bool need_control) {
  Located found;
  auto reference = FormReference::Parse(text);
  if (!reference || (need_control && reference->control.empty())) {
    found.problem = "FORM.CONTROL, FORM.CONTROL(INDEX) or FORM(\"KEY\").CONTROL";
    return found;
  }
  app::Quillon* quillon = user.CurrentQuillon();
  if (!quillon) {
    found.problem = "Quillon has not been started";
    return found;
  }
  found.form = quillon->Rt().FindForm(reference->form, reference->key);
  if (!found.form) {
    found.problem = reference->form + " is not loaded";
    return found;
  }
  if (!reference->control.empty()) {
    found.control = found.form->FindControl(reference->control, reference->index);
    if (!found.control) found.problem = std::string(text) + " does not exist";
  }
  return found;
}

}  // namespace

Outcome Sandbox::DoControl(const Statement& s) {
  UserWorld& user = Current();
  const std::string& verb = s.At(0);
  Located target = Locate(user, s.At(1), verb != "close");
  if (!target.problem.empty()) return Outcome::Fail(s.At(1), target.problem);
  if (verb == "close" && s.Size() == 2) {
    if (target.control) return Outcome::Fail("close FORM", s.source);
    user.Desktop().SendMessage(target.form->hWnd(), platform::msg::kClose, 0, 0);
  } else if (verb == "click" && s.Size() == 2) {
    if (!target.control->Enabled()) return Outcome::Fail(s.At(1) + " enabled", "it is disabled");
    target.control->PersonClick();
  } else if (verb == "doubleclick" && s.Size() == 3) {
    target.control->PersonDoubleClick(s.At(2));
  } else if (verb == "set" && s.Size() == 3) {
    if (!target.control->PersonSet(s.At(2))) {
      return Outcome::Fail(s.At(1) + " set to " + s.At(2), "it takes no such value");
    }
  } else if (verb == "key" && s.Size() == 3) {
    std::optional<uint32_t> key;
    const std::string& name = s.At(2);
    if (name == "Enter") key = platform::vk::kReturn;
    if (name == "Backspace") key = platform::vk::kBack;
    if (name == "Escape") key = platform::vk::kEscape;
    if (name == "Tab") key = platform::vk::kTab;
    if (name == "Left") key = platform::vk::kLeft;
    if (name == "Right") key = platform::vk::kRight;
    if (name == "Home") key = platform::vk::kHome;
    if (name == "End") key = platform::vk::kEnd;
    if (!key) return Outcome::Fail("key FORM.CONTROL Enter|Backspace|...", s.source);
    target.control->PersonKey(*key);
  } else {
    return Outcome::Fail("click|doubleclick|set|key FORM.CONTROL ... | close FORM",
                         "unknown statement");
  }
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::CheckQuillon(const Statement& s, size_t from) {
  if (s.Size() != from + 2) return Outcome::Fail("expect quillon running|waiting|ended", s.source);
  app::Quillon* quillon = Current().CurrentQuillon();
  const char* states[] = {"not started", "waiting", "running", "ended"};
  std::string actual = quillon ? states[static_cast<int>(quillon->CurrentState())] : "not started";
  return s.At(from + 1) == actual ? Outcome::Ok() : Outcome::Fail(s.At(from + 1), actual);
}

Outcome Sandbox::CheckMishap(const Statement& s, size_t from) {
  UserWorld& user = Current();
  bool none = s.Is(from, "no");
  if (none ? s.Size() != from + 2 : !(s.Is(from + 1, "contains") && s.Size() == from + 3)) {
    return Outcome::Fail("expect mishap contains \"TEXT\" | expect no mishap", s.source);
  }
  const auto& started = user.Shell().Started();
  size_t& seen = mishap_checked_[user.Name()];
  std::vector<std::string> reports;
  for (size_t i = seen; i < started.size(); ++i) {
    std::string program = std::filesystem::path(started[i].program).filename().string();
    if (program == "mishap" && !started[i].arguments.empty()) {
      reports.push_back(started[i].arguments[0]);
    }
  }
  seen = started.size();
  std::string actual;
  for (const auto& report : reports) actual += (actual.empty() ? "" : ", ") + Quoted(report);
  if (none) return reports.empty() ? Outcome::Ok() : Outcome::Fail("no report", actual);
  for (const auto& report : reports) {
    if (report.find(s.At(from + 2)) != std::string::npos) return Outcome::Ok();
  }
  return Outcome::Fail("a report containing " + Quoted(s.At(from + 2)),
                       actual.empty() ? "no report" : actual);
}

Outcome Sandbox::CheckForm(const Statement& s, size_t from) {
  if (s.Size() != from + 3)
    return Outcome::Fail("expect form FORM visible|hidden|absent", s.source);
  Located found = Locate(Current(), s.At(from + 1), false);
  const std::string& state = s.At(from + 2);
  std::string actual = !found.form ? "absent" : found.form->Visible() ? "visible" : "hidden";
  if (state != "visible" && state != "hidden" && state != "absent") {
    return Outcome::Fail("visible|hidden|absent", state);
  }
  return state == actual ? Outcome::Ok() : Outcome::Fail(state, actual);
}

Outcome Sandbox::CheckControl(const Statement& s, size_t from) {
  if (s.Size() != from + 4) {
    return Outcome::Fail("expect control FORM.CONTROL PROPERTY \"TEXT\"", s.source);
  }
  Located found = Locate(Current(), s.At(from + 1), true);
  if (!found.problem.empty()) return Outcome::Fail(s.At(from + 1), found.problem);
  auto value = found.control->Property(s.At(from + 2));
  if (!value) return Outcome::Fail("a property " + s.At(from + 2), "the control has none");
  return Equal(s.At(from + 3), *value);
}

}  // namespace quillon::sandbox
