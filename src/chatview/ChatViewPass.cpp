#include "chatview/ChatViewPass.h"

#include <array>
#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

#include "chatview/MarkupRules.h"
#include "runtime/Form.h"
#include "runtime/Runtime.h"
#include "runtime/ScopedValue.h"
#include "runtime/Timer.h"
#include "services/ProgramFolder.h"
#include "text/Strings.h"

namespace quillon::chatview {
namespace {

// The eight switches that decide whether the pass has anything to do at all.
constexpr std::array<std::string_view, 8> kFeatureSwitches = {
    "CustomImages", "Smileys",  "FileNotifs", "BU",
    "Underline",    "MainBack", "ChatBack",   "ChangeFont"};
constexpr size_t kCustomImages = 0;
constexpr size_t kSmileys = 1;
constexpr size_t kFileNotifs = 2;
constexpr size_t kUnderline = 4;
constexpr size_t kMainBack = 5;
constexpr size_t kChangeFont = 7;
// In the order the pass replaces them.
constexpr std::array<std::string_view, 7> kSmileyCodes = {":(", ";)", ":)", ":x", ":D", ":O", ":P"};

// A setting read as a number; nothing when it is not one (so it counts neither as 0 nor as 1).
std::optional<double> Number(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The browser reports "#rrggbb" for the "RRGGBB" it was given.
bool SameColor(std::string_view reported, std::string_view stored) {
  if (!reported.empty() && reported.front() == '#') reported.remove_prefix(1);
  if (!stored.empty() && stored.front() == '#') stored.remove_prefix(1);
  return text::EqualsAsciiNoCase(reported, stored);
}

// A step that fails is reported under the pass's name, and the pass goes on with the next one:
// one broken rule must not leave the rest of the chat unrewritten.
template <typename Body>
void Step(services::ErrorReports& reports, const runtime::Form& form, Body&& body) {
  try {
    body();
  } catch (const std::exception& e) {
    reports.ReportError("RewriteChatView", &form, e);
  }
}

}  // namespace

ChatViewPass::ChatViewPass(runtime::Runtime& rt, services::SettingsStore& settings,
                           services::ErrorReports& reports, runtime::Form& form,
                           const runtime::Timer& tmrIEDOM,
                           std::function<void(std::string_view)> open_receive)
    : rt_(rt),
      settings_(settings),
      reports_(reports),
      form_(form),
      tmrIEDOM_(tmrIEDOM),
      dom_(rt.Windows(), rt.Accessibility()),
      invitations_(settings, std::move(open_receive)) {}

void ChatViewPass::RewriteChatView(platform::Hwnd chat_window) {
  if (running_) return;
  const runtime::ScopedValue<bool> running(running_, true);

  auto setting = [&](std::string_view name, std::string_view default_value) {
    return settings_.ReadSetting(name, default_value);
  };

  // Every switch is read, so each missing one is stored with its default.
  std::array<std::string, kFeatureSwitches.size()> switches;
  bool all_off = true;
  for (size_t i = 0; i < kFeatureSwitches.size(); ++i) {
    switches[i] = setting(kFeatureSwitches[i], "0");
    if (Number(switches[i]) != 0.0) all_off = false;
  }
  if (all_off) return;
  if (rt_.Windows().GetClassName(chat_window) != "Chat View") return;
  auto& windows = rt_.Windows();
  const platform::Hwnd host = windows.FindWindowEx(chat_window, 0, "AtlAxWin71", std::nullopt);
  const platform::Hwnd browser =
      host ? windows.FindWindowEx(host, 0, GetIEDom::kBrowserClass, std::nullopt) : 0;
  if (browser == 0) return;
  ChatDocument = dom_.DocumentFromWindow(browser);
  // Held for the whole pass: a chat window closing meanwhile leaves its document an empty shell.
  const std::shared_ptr<platform::HtmlDocument> document = ChatDocument;
  if (!document) return;

  Step(reports_, form_, [&] {
    if (Number(switches[kMainBack]) == 1.0) {
      const std::string color = setting("MainBackColor", "FFFFFF");
      if (!SameColor(document->BgColor(), color)) document->SetBgColor(color);
    }
  });
  Step(reports_, form_, [&] {
    if (Number(switches[kChangeFont]) == 1.0) {
      const std::string color = setting("FontColor", "000000");
      if (!SameColor(document->FgColor(), color)) document->SetFgColor(color);
    }
  });

  ChatMarkup = document->BodyHtml();

  if (form_.Tag() == "clear") {
    quiet_.reset();
    Step(reports_, form_, [&] { Clear(); });
    return;
  }

  // The picture step's clock moves on every pass, whether or not the rules run.
  bool pictures_due = false;
  Step(reports_, form_, [&] {
    if (switches[kCustomImages] != "1") return;
    const auto interval = static_cast<int32_t>(tmrIEDOM_.Interval());
    if (ImageTimer <= std::numeric_limits<int32_t>::max() - interval) ImageTimer += interval;
    if (settings_.ReadNumber(services::NumberSettings::kImageInterval) > ImageTimer) return;
    ImageTimer = 0;
    pictures_due = true;
  });

  // The switches the rules depend on; the program folder of the smiley pictures does not change.
  std::string rule_switches;
  for (size_t i : {kUnderline, kSmileys, kFileNotifs, kCustomImages}) {
    rule_switches += switches[i];
    rule_switches += '\n';
  }
  if (!pictures_due && quiet_ && quiet_->switches == rule_switches &&
      quiet_->markup == ChatMarkup) {
    ChatMarkup.clear();
    Step(reports_, form_, [&] { WaitForDocument(); });
    return;
  }
  const std::string markup_as_read = ChatMarkup;

  Step(reports_, form_, [&] {
    if (switches[kUnderline] != "1") return;
    MarkupRules::ReplaceTagPair(ChatMarkup, "[U]", "<U>", "[/U]", "</U>");
    MarkupRules::ReplaceTagPair(ChatMarkup, "[CODE]", "<CODE>", "[/CODE]", "</CODE>");
  });

  const size_t tail_start = MarkupRules::TailStart(ChatMarkup);
  const std::string head = ChatMarkup.substr(0, tail_start);
  ChatMarkup.erase(0, tail_start);

  // Invitations before smileys: an invitation tag goes from the view whole, and its payload may
  // hold letters the chat view took for an emoticon ("BD"), which the step reads back from the
  // emoticon span but not from a picture.
  Step(reports_, form_, [&] {
    if (switches[kFileNotifs] == "1") invitations_.Run(ChatMarkup);
  });
  Step(reports_, form_, [&] {
    if (switches[kSmileys] != "1") return;
    const std::string folder = services::AddSlash(rt_.Info().folder);
    MarkupRules::ReplaceSmileys(ChatMarkup, kSmileyCodes, folder);
  });
  Step(reports_, form_, [&] {
    if (!pictures_due) return;
    MarkupRules::ReplaceCustomPictures(ChatMarkup, [this] { rt_.DoEvents(); });
  });

  ChatMarkup.insert(0, head);

  if (ChatMarkup == markup_as_read) {
    // The rules had nothing to do here: until this markup or their switches change, they will
    // have nothing to do again.
    quiet_ = Quiet{markup_as_read, std::move(rule_switches)};
  } else {
    quiet_.reset();
  }

  Step(reports_, form_, [&] {
    if (ChatMarkup == markup_as_read) return;
    // Anything that changed the conversation since it was read (a message arriving, whatever its
    // length) makes the result stale: writing it would lose the change. The next pass starts
    // again from the new markup.
    if (document->BodyHtml() != markup_as_read) {
      ChatMarkup.clear();
      return;
    }
    document->SetBodyHtml(ChatMarkup);
    ChatMarkup.clear();
  });

  Step(reports_, form_, [&] { WaitForDocument(); });
}

void ChatViewPass::Clear() {
  form_.SetTag("");
  const std::shared_ptr<platform::HtmlDocument> document = ChatDocument;
  ChatMarkup.clear();
  document->SetBodyHtml(MarkupRules::ClearedMarkup(document->BodyHtml()));
  platform::Shell& shell = rt_.Shell();
  shell.SetClipboardText("");
  shell.SetClipboardText(document->LocationHref());
}

void ChatViewPass::WaitForDocument() {
  const std::shared_ptr<platform::HtmlDocument> document = ChatDocument;
  if (!document) return;
  runtime::EventLoop& loop = rt_.Loop();
  const uint64_t start = loop.Now();
  while (document->ReadyState() == "loading") {
    // A view that never finishes loading must not hold the program in this loop.
    if (loop.Now() - start >= kReadyWaitMs) return;
    if (!loop.ProcessPending()) loop.Pause(10);
  }
}

}  // namespace quillon::chatview
