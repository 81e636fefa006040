#include "friends/FriendRecords.h"

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "friends/FriendSettings.h"
#include "friends/FriendSnap.h"
#include "friends/frmFriend.h"
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

FriendRecords::FriendRecords(app::Quillon& program, app::frmMain& form)
    : program_(program), form_(form) {}

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
    if (form_.currentFriend == window.get()) form_.currentFriend = nullptr;
    return true;
  });
}

void FriendRecords::FoundFriend(const std::string& name) {
  Collect();
  windows_.push_back(std::make_unique<frmFriend>(program_, form_));
  frmFriend& window = *windows_.back();
  try {
    window.Load();
    window.Label1.SetCaption(name);
    FriendSettings settings = window.Settings();
    window.SetWidth(settings.Short("Width", FriendSettings::kDefaultWidth));
    window.SetLeft(settings.Short("Left", 0));
    window.SetTop(settings.Short("Top", 0));
    window.MoveStuff();
    ui::Transparency::SetAlwaysOnTopMode(program_, window.hWnd(), settings.Flag("AOT", true));
    auto& windows = program_.Rt().Windows();
    platform::Rect place{window.Left(), window.Top(), window.Left() + window.Width(),
                         window.Top() + window.Height()};
    place = FriendSnap::KeepOnScreen(place, windows.ScreenWidth() * windows.TwipsPerPixelX(),
                                     windows.ScreenHeight() * windows.TwipsPerPixelY());
    window.SetLeft(place.left);
    window.SetTop(place.top);
    window.Show();
    ui::Transparency::Transparent(program_, window.hWnd(),
                                  settings.Short("Transparency", FriendSettings::kOpaque));
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("FoundFriend", &window, e);
  }
}

void FriendRecords::mnuDesktopFriend_Click() {
  try {
    std::string title = program_.GTalk().GetText(program_.Chat().ChatWnd);
    std::string name = NameFromChatTitle(title);
    // Without a chat there is nobody to add; an empty name would be stored as the Friends key's
    // own default value.
    if (name.find_first_not_of(' ') == std::string::npos) return;
    FriendSettings settings(program_.Config(), name);
    std::optional<double> record = FriendSettings::ParseNumber(settings.Record());
    if (!record || *record != 1) {
      settings.SetRecord(FriendSettings::kFriend);
      form_.FoundFriend(name);
      program_.Rt().MsgBox(name + " has been added as a friend.");
    } else {
      program_.Rt().MsgBox(name + " is already a desktop friend!");
    }
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("mnuDesktopFriend_Click", &form_, e);
  }
}

}  // namespace quillon::friends
