#include "friends/FriendRecords.h"

#include "friends/FriendSettings.h"
#include "friends/FriendSnap.h"
#include "friends/frmFriend.h"
#include "gtalk/GTalkWindows.h"
#include "runtime/Runtime.h"
#include "text/Strings.h"
#include "ui/Transparency.h"

namespace quillon::friends {

namespace {

// `text` cut before the first occurrence of `part`, letter case ignored.
std::string CutBefore(std::string text, std::string_view part) {
  size_t at = text::AsciiLower(text).find(text::AsciiLower(part));
  if (at != std::string::npos) text.erase(at);
  return text;
}

}  // namespace

FriendRecords::FriendRecords(runtime::Runtime& rt, services::SettingsStore& settings,
                             services::ErrorReports& reports, services::ChatState& chat,
                             gtalk::GTalkWindows& gtalk, runtime::Form& form,
                             std::function<void(frmFriend&)> show_menu)
    : rt_(rt),
      settings_(settings),
      reports_(reports),
      chat_(chat),
      gtalk_(gtalk),
      form_(form),
      show_menu_(std::move(show_menu)) {}

FriendRecords::~FriendRecords() = default;

std::string FriendRecords::NameFromChatTitle(std::string_view title) {
  std::string name = CutBefore(std::string(title), "is typing");
  name = CutBefore(name, "has entered text");
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return CutBefore(name, kMailSuffix);
}

std::optional<std::string> FriendRecords::NameFromFound(std::string_view searched_key,
                                                        std::string_view found_key, int32_t found) {
  constexpr int32_t kValueData = 2;
  std::string prefix = text::AsciiLower(searched_key) + "\\";
  if (found != kValueData || found_key.size() <= prefix.size() ||
      text::AsciiLower(found_key.substr(0, prefix.size())) != prefix) {
    return std::nullopt;
  }
  return std::string(found_key.substr(prefix.size()));
}

std::vector<frmFriend*> FriendRecords::Windows() const {
  std::vector<frmFriend*> open;
  for (const auto& window : windows_) {
    if (window->Loaded()) open.push_back(window.get());
  }
  return open;
}

void FriendRecords::Collect() {
  std::erase_if(windows_, [this](const std::unique_ptr<frmFriend>& window) {
    if (window->Loaded()) return false;
    if (currentFriend == window.get()) currentFriend = nullptr;
    return true;
  });
}

void FriendRecords::FoundFriend(const std::string& name) {
  Collect();
  windows_.push_back(std::make_unique<frmFriend>(rt_, settings_, reports_, gtalk_, show_menu_));
  frmFriend& window = *windows_.back();
  try {
    window.Load();
    window.Label1.SetCaption(name);
    FriendSettings settings = window.Settings();
    window.SetWidth(settings.Short("Width", FriendSettings::kDefaultWidth));
    window.SetLeft(settings.Short("Left", 0));
    window.SetTop(settings.Short("Top", 0));
    window.MoveStuff();
    ui::Transparency(rt_, reports_).SetAlwaysOnTopMode(window.hWnd(), settings.Flag("AOT", true));
    auto& windows = rt_.Windows();
    platform::Rect place{window.Left(), window.Top(), window.Left() + window.Width(),
                         window.Top() + window.Height()};
    place = FriendSnap::KeepOnScreen(place, windows.ScreenWidth() * windows.TwipsPerPixelX(),
                                     windows.ScreenHeight() * windows.TwipsPerPixelY());
    window.SetLeft(place.left);
    window.SetTop(place.top);
    window.Show();
    ui::Transparency(rt_, reports_)
        .Transparent(window.hWnd(), settings.Short("Transparency", FriendSettings::kOpaque));
  } catch (const std::exception& e) {
    reports_.ReportError("FoundFriend", &window, e);
  }
}

void FriendRecords::mnuDesktopFriend_Click() {
  try {
    std::string title = gtalk_.GetText(chat_.ChatWnd);
    std::string name = NameFromChatTitle(title);
    // Without a chat there is nobody to add; an empty name would be stored as the Friends key's
    // own default value.
    if (name.find_first_not_of(' ') == std::string::npos) return;
    FriendSettings settings(settings_, name);
    std::optional<double> record = FriendSettings::ParseNumber(settings.Record());
    if (!record || *record != 1) {
      settings.SetRecord(FriendSettings::kFriend);
      FoundFriend(name);
      rt_.MsgBox(name + " has been added as a friend.");
    } else {
      rt_.MsgBox(name + " is already a desktop friend!");
    }
  } catch (const std::exception& e) {
    reports_.ReportError("mnuDesktopFriend_Click", &form_, e);
  }
}

}  // namespace quillon::friends
