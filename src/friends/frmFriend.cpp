#include "friends/frmFriend.h"

#include <array>
#include <cmath>
#include <memory>
#include <optional>

#include "friends/FriendCommands.h"
#include "friends/FriendSnap.h"
#include "friends/Gradient.h"
#include "gtalk/GTalkWindows.h"
#include "platform/Files.h"
#include "platform/OpenedFile.h"
#include "runtime/ProgramError.h"
#include "runtime/Runtime.h"
#include "text/Utf8.h"

namespace quillon::friends {

namespace {

constexpr int kLabelCharacterPixels = 10;  // Arial 12 bold, an average letter
constexpr int kLabelHeightPixels = 20;     // a line of it with its leading
constexpr int kTextHeightPixels = 22;

int ToPixels(int twips, int twips_per_pixel) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / twips_per_pixel));
}

// The picture formats a window can show, told by their first bytes.
bool IsPicture(std::string_view bytes) {
  return bytes.starts_with("BM") || bytes.starts_with("GIF8") ||
         bytes.starts_with("\xFF\xD8\xFF") || bytes.starts_with(std::string_view("\0\0\1\0", 4));
}

}  // namespace

frmFriend::frmFriend(runtime::Runtime& rt, services::SettingsStore& settings,
                     services::ErrorReports& reports, gtalk::GTalkWindows& gtalk,
                     std::function<void(frmFriend&)> show_menu)
    : runtime::Form(rt, "frmFriend", kTitle),
      settings_(settings),
      reports_(reports),
      gtalk_(gtalk),
      show_menu_(std::move(show_menu)) {
  // No system frame: the whole window is the friend's surface, with a border of its own (Box).
  SetTitleBar(false);
  Move(0, 0, ToPixels(kDesignWidth, TwipsX()), ToPixels(kHeight, TwipsY()));
  Label1.SetCaption("Friend");
  SizeLabelToText();
  Text1.SetText("Text1");
  Text1.SetVisible(false);
  Label1.on_mouse_move = [this](int button, int shift, int x, int y) {
    Form_MouseMove(button, shift, x, y);
  };
  Label1.on_mouse_up = [this](int button, int shift, int x, int y) {
    Form_MouseUp(button, shift, x, y);
  };
  Text1.on_key_down = [this](int& key_code, int shift) { Text1_KeyDown(key_code, shift); };
  Text1.on_change = [this] { Text1_Change(); };
}

frmFriend::~frmFriend() = default;

FriendSettings frmFriend::Settings() const { return FriendSettings(settings_, Label1.Caption()); }

int frmFriend::TwipsX() const { return Rt().Windows().TwipsPerPixelX(); }
int frmFriend::TwipsY() const { return Rt().Windows().TwipsPerPixelY(); }

int frmFriend::Left() const { return Bounds().left * TwipsX(); }
int frmFriend::Top() const { return Bounds().top * TwipsY(); }
int frmFriend::Width() const { return Bounds().Width() * TwipsX(); }
int frmFriend::Height() const { return Bounds().Height() * TwipsY(); }

void frmFriend::SetLeft(int twips) {
  platform::Rect r = Bounds();
  Move(ToPixels(twips, TwipsX()), r.top, r.Width(), r.Height());
}

void frmFriend::SetTop(int twips) {
  platform::Rect r = Bounds();
  Move(r.left, ToPixels(twips, TwipsY()), r.Width(), r.Height());
}

void frmFriend::SetWidth(int twips) {
  platform::Rect r = Bounds();
  int width = ToPixels(twips, TwipsX());
  Move(r.left, r.top, width, r.Height());
  // A new width reaches Form_Resize through the window's WM_SIZE; the same width sends none.
  if (Loaded() && width == r.Width()) Form_Resize();
}

void frmFriend::Form_Load() {
  try {
    MoveStuff();
  } catch (const std::exception& e) {
    reports_.ReportError("Form_Load", this, e);
  }
}

platform::LResult frmFriend::Handle(uint32_t message, platform::WParam wparam,
                                    platform::LParam lparam) {
  if (message == platform::msg::kSize) {
    Form_Resize();
    return 0;
  }
  return runtime::Form::Handle(message, wparam, lparam);
}

void frmFriend::Form_Resize() {
  if (!Loaded()) return;
  platform::Rect r = Bounds();
  if (r.Width() < kMinimumWidthPixels) {
    // Moving to the minimum width resizes (and so redraws) the window once more from inside here.
    Move(r.left, r.top, kMinimumWidthPixels, r.Height());
  }
  MoveStuff();
  refreshGradient();
  refreshName();
  refreshBorder();
}

void frmFriend::SizeLabelToText() {
  int characters = static_cast<int>(text::DecodeUtf8(Label1.Caption()).size());
  platform::Rect r = Label1.Bounds();
  Label1.Move(r.left, r.top, characters * kLabelCharacterPixels + 2, kLabelHeightPixels);
}

void frmFriend::CentreLabel() {
  platform::Rect label = Label1.Bounds();
  int label_width = label.Width() * TwipsX();
  int label_height = label.Height() * TwipsY();
  Label1.Move(ToPixels(Width() / 2 - label_width / 2, TwipsX()),
              ToPixels(Height() / 2 - label_height / 2, TwipsY()), label.Width(), label.Height());
}

void frmFriend::MoveStuff() {
  try {
    CentreLabel();
    int text_height = kTextHeightPixels * TwipsY();
    Text1.Move(0, ToPixels(Height() / 2 - text_height / 2, TwipsY()), ToPixels(Width(), TwipsX()),
               kTextHeightPixels);
    // Showing the label again ends a rename in progress without storing it.
    Text1.SetVisible(false);
    Label1.SetVisible(true);
    // The border is drawn last, above the name.
    Box.Move(0, 0, ToPixels(Width(), TwipsX()), ToPixels(Height(), TwipsY()));
  } catch (const std::exception& e) {
    reports_.ReportError("MoveStuff", this, e);
  }
}

void frmFriend::refreshGradient() {
  try {
    lines_.clear();
    FriendSettings settings = Settings();
    if (settings.Read("UseBackpicture", "0") == "1") {
      std::string path = settings.Read("Backpicture", "");
      platform::Files& files = Rt().Files();
      if (!path.empty() && files.Exists(path)) {
        // A picture that is there but cannot be read is as invalid as a damaged one. The kind of
        // picture shows in its first bytes, so only those are read, however large the file.
        platform::FileProblem problem = platform::FileProblem::kNone;
        std::unique_ptr<platform::OpenedFile> file = files.Open(path, problem);
        std::array<char, 4> head{};
        std::optional<size_t> got = file ? file->ReadAt(0, head) : std::nullopt;
        if (!got || !IsPicture(std::string_view(head.data(), *got))) {
          throw runtime::ProgramError(481, "Quillon", "Invalid picture");
        }
        picture_ = runtime::Picture{path, Rt().NewPictureHandle()};
        return;
      }
    }
    std::optional<long long> color1 = settings.Color("Color1", FriendSettings::kDefaultColor1);
    std::optional<long long> color2 = settings.Color("Color2", FriendSettings::kDefaultColor2);
    if (!color1 || !color2) throw runtime::ProgramError(13, "Quillon", "Type mismatch");
    bool across = settings.Read("Direction", "1") != "1";
    // The surface counts twips: one line per twip down (or across) the window.
    int n = across ? Width() : Height();
    lines_ = Gradient::Lines(static_cast<platform::ColorRef>(*color1),
                             static_cast<platform::ColorRef>(*color2), n);
  } catch (const std::exception& e) {
    reports_.ReportError("refreshGradient", this, e);
  }
}

void frmFriend::refreshName() {
  try {
    if (auto color = Settings().Color("NameColor", "0")) {
      name_color_ = static_cast<platform::ColorRef>(*color);
    }
  } catch (const std::exception& e) {
    reports_.ReportError("refreshName", this, e);
  }
}

void frmFriend::refreshBorder() {
  try {
    if (auto shown = FriendSettings::ParseFlag(Settings().Read("Border", "True"))) {
      Box.SetVisible(*shown);
    }
  } catch (const std::exception& e) {
    reports_.ReportError("refreshBorder", this, e);
  }
}

void frmFriend::DoUnload() {
  Settings().SetRecord(FriendSettings::kRemoved);
  Unload();
}

void frmFriend::HookItNow() {
  try {
    gtalk_.DragForm(hWnd(), platform::ht::kCaption);
    if (!Loaded()) return;
    auto& windows = Rt().Windows();
    const int tx = TwipsX(), ty = TwipsY();
    platform::Rect my{Left(), Top(), Left() + Width(), Top() + Height()};
    my = FriendSnap::KeepOnScreen(my, windows.ScreenWidth() * tx, windows.ScreenHeight() * ty);
    std::vector<platform::Rect> others;
    std::string friend_class = windows.GetClassName(hWnd());
    for (platform::Hwnd other = windows.FindWindowEx(0, 0, friend_class, kTitle); other;
         other = windows.FindWindowEx(0, other, friend_class, kTitle)) {
      if (other == hWnd()) continue;
      platform::Rect r = windows.GetWindowRect(other);
      others.push_back({r.left * tx, r.top * ty, r.right * tx, r.bottom * ty});
    }
    my = FriendSnap::Snap(my, others, kSnapPixels * tx, kSnapPixels * ty);
    platform::Rect r = Bounds();
    Move(ToPixels(my.left, tx), ToPixels(my.top, ty), r.Width(), r.Height());
    FriendSettings settings = Settings();
    settings.Write("Top", Top());
    settings.Write("Left", Left());
  } catch (const std::exception& e) {
    reports_.ReportError("Button1_MouseDown", this, e);
  }
}

void frmFriend::Form_MouseMove(int button, int, int, int) {
  if (button == runtime::kLeftButton) HookItNow();
}

void frmFriend::Form_MouseUp(int button, int, int, int) { ButtonAction(button); }

void frmFriend::ButtonAction(int button) {
  switch (button) {
    case runtime::kRightButton:
      show_menu_(*this);
      break;
    case runtime::kLeftButton:
      gtalk_.Search(Label1.Caption());
      break;
    case runtime::kMiddleButton:
      HookItNow();
      break;
    default:
      break;
  }
}

void frmFriend::Text1_KeyDown(int& key_code, int) {
  if (key_code != platform::vk::kReturn) return;
  std::string new_name = Text1.Text();
  if (new_name.find_first_not_of(' ') == std::string::npos) {
    // A friend without a name would be stored as the Friends key's own default value and come
    // back nameless at every start: the rename is given up instead.
    Text1.SetVisible(false);
    Label1.SetVisible(true);
    return;
  }
  Settings().SetRecord(FriendSettings::kRenamed);
  Label1.SetCaption(new_name);
  SizeLabelToText();
  CentreLabel();
  Text1.SetVisible(false);
  Label1.SetVisible(true);
  Settings().SetRecord(FriendSettings::kFriend);
}

void frmFriend::Text1_Change() {
  if (Text1.Text() == kCloseText) Unload();
}

}  // namespace quillon::friends
