// The statements of the scenario language in one table: what begins each, what runs it, and how
// `help` shows it. Execute and Check only walk the tables, so a new statement is one row here
// plus its handler, and `help` cannot forget it.
#include <string>
#include <string_view>
#include <vector>

#include "sandbox/Sandbox.h"

namespace quillon::sandbox {

using Outcome = Sandbox::Outcome;

namespace {

// Whether `word` is one of the "|"-separated `alternatives`.
bool OneOf(std::string_view alternatives, std::string_view word) {
  for (size_t start = 0;;) {
    size_t bar = alternatives.find('|', start);
    if (alternatives.substr(start, bar - start) == word) return true;
    if (bar == std::string_view::npos) return false;
    start = bar + 1;
  }
}

// A Quillon form's control ("frmMain.Command1"), written bare.
bool NamesAControl(const Statement& s) {
  return s.Size() >= 2 && !s.words[1].quoted && s.At(1).rfind("frm", 0) == 0;
}

}  // namespace

// Rows are tried in order; where several rows share a verb, the narrower one comes first.
const Sandbox::StatementKind Sandbox::kStatements[] = {
    {"user", [](const Statement& s) { return s.Size() == 2; }, &Sandbox::DoUser,
     "People and programs", "user NAME"},
    {"gtalk", nullptr, &Sandbox::DoGTalk, "People and programs",
     "gtalk start [status \"TEXT\"]\ngtalk contacts \"A\" \"B\" ...\ngtalk quit"},
    {"window", nullptr, &Sandbox::DoWindow, "People and programs",
     "window \"CLASS\" \"TITLE\" [in \"CLASS\" \"TITLE\"]"},
    {"quillon", nullptr, &Sandbox::DoQuillon, "Quillon", "quillon start [ARG ...]"},
    {"mishap", [](const Statement& s) { return s.Size() == 2 && s.Is(1, "real"); },
     &Sandbox::DoMishap, "Quillon", "mishap real (reports really start the report program)"},
    {"click|hover",
     [](const Statement& s) {
       return s.Size() == 2 && (s.Is(1, "chat-button") || s.Is(1, "main-button"));
     },
     &Sandbox::DoButton, "Quillon",
     "click chat-button\nclick main-button\nhover chat-button\nhover main-button"},
    {"click|doubleclick|set|close|key", NamesAControl, &Sandbox::DoControl, "Quillon",
     "click FORM.CONTROL\ndoubleclick FORM.CONTROL \"ITEM\"\nset FORM.CONTROL \"TEXT\"|N\n"
     "set FORM.CONTROL \"ITEM\" (a list box: the item is clicked)\nkey FORM.CONTROL NAME\n"
     "close FORM"},
    {"click|rightclick|middleclick|drag|resize",
     [](const Statement& s) { return s.Is(1, "friend"); }, &Sandbox::DoFriend, "Friends",
     "click|rightclick|middleclick friend \"NAME\"\ndrag friend \"NAME\" by DX DY\n"
     "resize friend \"NAME\" by DX (its menu's Resize Width, then its right edge dragged)"},
    {"drag", [](const Statement& s) { return s.Is(1, "window"); }, &Sandbox::DoDragWindow, "Hands",
     "drag window \"CLASS\" \"TITLE\" by DX DY (by its title bar)"},
    {"wait", nullptr, &Sandbox::DoWait, "Time", "wait DURATION (50ms, 3s, 1m)"},
    {"eventually", nullptr, &Sandbox::DoEventually, "Time", "eventually CHECK"},
    {"activate", nullptr, &Sandbox::DoActivate, "Hands",
     "activate chat \"NAME\"\nactivate main\nactivate other"},
    {"close", [](const Statement& s) { return s.Size() == 3 && s.Is(1, "chat"); },
     &Sandbox::DoCloseChat, "Hands", "close chat \"NAME\""},
    {"type", nullptr, &Sandbox::DoType, "Hands", "type \"TEXT\""},
    {"key", nullptr, &Sandbox::DoKey, "Hands",
     "key Enter|Backspace|Escape|Tab|Left|Right|Home|End"},
    {"select", nullptr, &Sandbox::DoSelect, "Hands", "select START END"},
    {"hotkey", nullptr, &Sandbox::DoHotkey, "Hands",
     "hotkey CHORD (Ctrl+Shift+B)\nhotkey hold CHORD (another program holds it)"},
    {"menu", [](const Statement& s) { return s.Size() == 2 && s.Is(1, "close"); },
     &Sandbox::DoMenuClose, "Hands", "menu close (a click elsewhere: the open menu closes)"},
    {"menu", nullptr, &Sandbox::DoMenu, "Hands", "menu \"PATH\""},
    {"mouse", nullptr, &Sandbox::DoMouse, "Hands",
     "mouse X Y (the pointer moves there on the screen; a popup menu opens at the pointer)"},
    {"answer", nullptr, &Sandbox::DoAnswer, "Dialogs",
     "answer ok|yes|no|cancel\nanswer \"TEXT\"\nanswer file \"PATH\"\nanswer color R G B\n"
     "(at this prompt a dialog with no answer given beforehand waits for one; in a file it takes "
     "its default: the first button, or cancel)"},
    {"receive", [](const Statement& s) { return s.Size() == 3; }, &Sandbox::DoReceive, "Outside",
     "receive \"NAME\" \"TEXT\""},
    {"typing",
     [](const Statement& s) { return s.Size() == 2 || (s.Size() == 3 && s.Is(2, "stop")); },
     &Sandbox::DoTyping, "Outside", "typing \"NAME\" [stop]"},
    {"file", nullptr, &Sandbox::DoFile, "Outside",
     "file \"PATH\" <<END\nfile \"PATH\" replace \"OLD\" \"NEW\" (OLD must stand in the file "
     "once)\nfile \"PATH\" from \"SOURCE\" (a copy of SOURCE, a path from the scenario file's "
     "folder)\nfile \"PATH\" vanish (the file is taken away)"},
    {"disk", [](const Statement& s) { return s.Size() == 2 && (s.Is(1, "full") || s.Is(1, "ok")); },
     &Sandbox::DoDisk, "Outside",
     "disk full (every byte Quillon writes is refused; files are still made and removed)\n"
     "disk ok"},
    {"folder", [](const Statement& s) { return s.Size() == 3 && s.Is(1, "readonly"); },
     &Sandbox::DoFolder, "Outside",
     "folder readonly \"PATH\" (files in it cannot be made or removed by Quillon)"},
    {"site", nullptr, &Sandbox::DoSite, "Outside",
     "site page \"/PATH\" \"BODY\"\nsite ip \"ADDRESS\"\nsite down\nsite up"},
    {"registry", nullptr, &Sandbox::DoRegistry, "Outside",
     "registry set ROOT \"KEY\" NAME \"TEXT\"\nregistry set-dword ROOT \"KEY\" NAME N\n"
     "registry delete ROOT \"KEY\" [NAME]"},
    // Its spellings are the checks' own, below.
    {"expect", nullptr, &Sandbox::DoExpect, "Checks", ""},
    {"dump", [](const Statement& s) { return s.Size() == 1; }, &Sandbox::DoDump, "Looking around",
     "dump"},
    {"help", [](const Statement& s) { return s.Size() == 1; }, &Sandbox::DoHelp, "Looking around",
     "help"},
};

const Sandbox::CheckKind Sandbox::kChecks[] = {
    {"input", [](const Statement& s, size_t from) { return s.Size() == from + 2; },
     &Sandbox::CheckInput, "input \"TEXT\""},
    {"input",
     [](const Statement& s, size_t from) {
       return s.Is(from + 1, "background") && s.Size() == from + 5;
     },
     &Sandbox::CheckInputBackground, "input background R G B"},
    {"input",
     [](const Statement& s, size_t from) { return s.Is(from + 1, "zoom") && s.Size() == from + 3; },
     &Sandbox::CheckInputZoom, "input zoom N"},
    {"selection", [](const Statement& s, size_t from) { return s.Size() == from + 3; },
     &Sandbox::CheckSelection, "selection START END"},
    {"readonly", [](const Statement& s, size_t from) { return s.Size() == from + 2; },
     &Sandbox::CheckReadonly, "readonly yes|no"},
    {"status",
     [](const Statement& s, size_t from) {
       return s.Size() > from + 3 && s.Is(from + 1, "one") && s.Is(from + 2, "of");
     },
     &Sandbox::CheckStatusOneOf, "status one of \"A\" \"B\" ..."},
    {"status", [](const Statement& s, size_t from) { return s.Size() == from + 2; },
     &Sandbox::CheckStatus, "status \"TEXT\""},
    {"history|view", nullptr, &Sandbox::CheckHistory,
     "history [of \"NAME\"] contains|lacks \"TEXT\"\nhistory [of \"NAME\"] \"TEXT\"\n"
     "view [of \"NAME\"] bgcolor|fgcolor \"#rrggbb\""},
    {"window", nullptr, &Sandbox::CheckWindow,
     "window \"CLASS\" [\"TITLE\"] present|absent|visible|hidden|topmost|not-topmost|opaque|"
     "alpha N|at X Y"},
    {"setting", nullptr, &Sandbox::CheckSetting, "setting SECTION NAME \"TEXT\"|missing"},
    {"registry", nullptr, &Sandbox::CheckRegistryValue,
     "registry ROOT \"KEY\" NAME \"TEXT\"|present|missing"},
    {"dialog", nullptr, &Sandbox::CheckDialog,
     "dialog \"TEXT\" [title \"TITLE\"] [folder \"PATH\"]\ndialog contains \"TEXT\""},
    {"no", [](const Statement& s, size_t from) { return s.Is(from + 1, "dialog"); },
     &Sandbox::CheckDialog, "no dialog"},
    {"menu",
     [](const Statement& s, size_t from) { return s.Is(from + 1, "at") && s.Size() == from + 4; },
     &Sandbox::CheckMenuAt, "menu at X Y (where the open popup menu stands on the screen)"},
    {"menu", nullptr, &Sandbox::CheckMenu,
     "menu \"PATH\" enabled|disabled|checked|unchecked|visible|hidden|absent"},
    {"file", nullptr, &Sandbox::CheckFile, "file \"PATH\" \"TEXT\"|sha256 \"HEX\"|missing"},
    {"tray", nullptr, &Sandbox::CheckTray, "tray icon own|boss|plain"},
    {"friend", nullptr, &Sandbox::CheckFriend,
     "friend \"NAME\" present|absent|visible|hidden|topmost|not-topmost|opaque|alpha N\n"
     "friend \"NAME\" at X Y|width N|border yes|no|line I R G B|picture \"PATH\"|picture none\n"
     "friend \"NAME\" namecolor R G B"},
    {"quillon", nullptr, &Sandbox::CheckQuillon, "quillon running|waiting|ended"},
    {"mishap", nullptr, &Sandbox::CheckMishap, "mishap contains \"TEXT\""},
    {"no", [](const Statement& s, size_t from) { return s.Is(from + 1, "mishap"); },
     &Sandbox::CheckMishap, "no mishap"},
    {"form", nullptr, &Sandbox::CheckForm, "form FORM visible|hidden|absent"},
    {"control", nullptr, &Sandbox::CheckControl, "control FORM.CONTROL PROPERTY \"TEXT\""},
    {"clipboard", [](const Statement& s, size_t from) { return s.Size() == from + 2; },
     &Sandbox::CheckClipboard, "clipboard \"TEXT\""},
    {"gtalk",
     [](const Statement& s, size_t from) {
       return s.Is(from + 1, "quiet") || s.Is(from + 1, "received");
     },
     &Sandbox::CheckGTalk, "gtalk received N\ngtalk quiet"},
    {"opened", nullptr, &Sandbox::CheckOpened, "opened [contains] \"TEXT\""},
};

std::span<const Sandbox::StatementKind> Sandbox::Statements() { return kStatements; }

std::span<const Sandbox::CheckKind> Sandbox::Checks() { return kChecks; }

Outcome Sandbox::Execute(const Statement& s) {
  if (s.words.empty() || s.words[0].quoted)
    return Outcome::Fail("a statement", "unknown statement");
  for (const StatementKind& kind : kStatements) {
    if (OneOf(kind.verbs, s.At(0)) && (!kind.fits || kind.fits(s))) return (this->*kind.run)(s);
  }
  return Outcome::Fail("a statement of the scenario language", "unknown statement");
}

Outcome Sandbox::Check(const Statement& s, size_t from) {
  for (const CheckKind& kind : kChecks) {
    if (OneOf(kind.subjects, s.At(from)) && (!kind.fits || kind.fits(s, from))) {
      return (this->*kind.run)(s, from);
    }
  }
  return Outcome::Fail("a check of the scenario language", "unknown statement");
}

namespace {

constexpr size_t kHelpWidth = 100;

// Lays out one heading's spellings: "Heading: a | b | c", broken before a spelling that would
// pass the width (and between words, for a spelling too long for any line), continued indented.
void AddWrapped(std::string& out, std::string_view heading,
                const std::vector<std::string>& entries) {
  std::string line = std::string(heading) + ":";
  bool fresh = true;  // no spelling on the line yet
  auto flush = [&] {
    out += line + "\n";
    line = " ";
    fresh = true;
  };
  for (const std::string& entry : entries) {
    std::string separator = fresh ? " " : " | ";
    if (!fresh && line.size() + separator.size() + entry.size() > kHelpWidth) {
      flush();
      separator = " ";
    }
    if (line.size() + separator.size() + entry.size() <= kHelpWidth) {
      line += separator + entry;
      fresh = false;
      continue;
    }
    // Too long for a line of its own: word by word.
    line += separator.substr(0, separator.size() - 1);
    for (size_t start = 0; start < entry.size();) {
      size_t blank = entry.find(' ', start);
      std::string word = entry.substr(start, blank == std::string::npos ? blank : blank - start);
      if (!fresh && line.size() + 1 + word.size() > kHelpWidth) flush();
      line += " " + word;
      fresh = false;
      start = blank == std::string::npos ? entry.size() : blank + 1;
    }
  }
  out += line + "\n";
}

// Each line of `text` is one spelling.
void AddLines(std::vector<std::string>& entries, std::string_view text, std::string_view prefix) {
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
    entries.push_back(std::string(prefix) + std::string(line));
    start = end == std::string_view::npos ? text.size() : end + 1;
  }
}

}  // namespace

std::string Sandbox::HelpText() {
  std::vector<std::string_view> headings;
  for (const StatementKind& kind : kStatements) {
    bool seen = false;
    for (std::string_view heading : headings) seen = seen || heading == kind.group;
    if (!seen) headings.push_back(kind.group);
  }
  std::string out;
  for (std::string_view heading : headings) {
    std::vector<std::string> entries;
    for (const StatementKind& kind : kStatements) {
      if (kind.group != heading) continue;
      AddLines(entries, kind.help, "");
      // The row of "expect" shows the checks, each written after it.
      if (kind.verbs == "expect") {
        for (const CheckKind& check : kChecks) AddLines(entries, check.help, "expect ");
      }
    }
    AddWrapped(out, heading, entries);
  }
  return out;
}

}  // namespace quillon::sandbox
