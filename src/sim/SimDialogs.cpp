#include "sim/SimDialogs.h"

#include <cstdio>
#include <utility>

namespace quillon::sim {

using platform::DialogResult;

std::optional<SimDialogs::Answer> SimDialogs::NextAnswer(Shown::Kind kind, std::string_view text,
                                                         std::string_view title, uint32_t flags,
                                                         std::string_view folder) {
  answered_was_checked_ = false;
  if (!answers_.empty()) {
    Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  if (!answer_wait_) return std::nullopt;
  // The dialog stays open while the wait runs; dialogs that the events run meanwhile open on top
  // of it and take the person's answers first, as the one in front would.
  waiting_.push_back(std::make_unique<OpenDialog>(
      OpenDialog{Shown{kind, std::string(text), std::string(title), flags, "", std::string(folder)},
                 std::nullopt}));
  OpenDialog* mine = waiting_.back().get();
  answer_wait_(mine->dialog, [mine] { return mine->answer.has_value(); });
  std::optional<Answer> answer = std::move(mine->answer);
  answered_was_checked_ = mine->checked;
  std::erase_if(waiting_, [mine](const std::unique_ptr<OpenDialog>& w) { return w.get() == mine; });
  return answer;
}

bool SimDialogs::QueueAnswer(Answer answer) {
  for (auto it = waiting_.rbegin(); it != waiting_.rend(); ++it) {
    if ((*it)->answer) continue;
    (*it)->answer = std::move(answer);
    return true;
  }
  answers_.push_back(std::move(answer));
  return false;
}

const SimDialogs::Shown* SimDialogs::Waiting() const {
  for (auto it = waiting_.rbegin(); it != waiting_.rend(); ++it) {
    if (!(*it)->answer) return &(*it)->dialog;
  }
  return nullptr;
}

DialogResult SimDialogs::MessageBox(std::string_view text, std::string_view title, uint32_t flags) {
  uint32_t buttons = flags & 0xF;
  bool yes_no = buttons == platform::mb::kYesNo || buttons == platform::mb::kYesNoCancel;
  bool has_cancel = buttons == platform::mb::kOkCancel || buttons == platform::mb::kYesNoCancel;
  DialogResult result = yes_no ? DialogResult::kYes : DialogResult::kOk;
  std::optional<Answer> answer = NextAnswer(Shown::Kind::kMessageBox, text, title, flags);
  if (answer) {
    switch (answer->kind) {
      case Answer::Kind::kYes:
        result = yes_no ? DialogResult::kYes : DialogResult::kOk;
        break;
      case Answer::Kind::kNo:
        result = yes_no ? DialogResult::kNo : DialogResult::kOk;
        break;
      case Answer::Kind::kCancel:
        // A box without Cancel is closed with its last button, as Escape would.
        result = has_cancel ? DialogResult::kCancel
                 : yes_no   ? DialogResult::kNo
                            : DialogResult::kOk;
        break;
      default:
        break;
    }
  }
  const char* names[] = {"", "ok", "cancel", "", "", "", "yes", "no"};
  Record(Shown{Shown::Kind::kMessageBox, std::string(text), std::string(title), flags,
                         names[static_cast<int>(result)], ""});
  return result;
}

std::optional<std::string> SimDialogs::InputBox(std::string_view prompt, std::string_view title,
                                                std::string_view initial) {
  std::optional<std::string> result;
  std::optional<Answer> answer = NextAnswer(Shown::Kind::kInputBox, prompt, title);
  if (answer && answer->kind == Answer::Kind::kText) result = answer->text;
  if (answer && (answer->kind == Answer::Kind::kOk || answer->kind == Answer::Kind::kYes)) {
    result = std::string(initial);
  }
  Shown shown{Shown::Kind::kInputBox, std::string(prompt), std::string(title), 0,
              result ? "ok \"" + *result + "\"" : "cancel", ""};
  Record(std::move(shown));
  return result;
}

std::optional<std::string> SimDialogs::OpenFile(std::string_view title,
                                                const std::vector<platform::FileFilter>&,
                                                std::string_view initial_folder) {
  std::optional<std::string> result;
  std::optional<Answer> answer = NextAnswer(Shown::Kind::kOpenFile, "", title, 0, initial_folder);
  if (answer && (answer->kind == Answer::Kind::kFile || answer->kind == Answer::Kind::kText)) {
    result = answer->text;
  }
  Record(Shown{Shown::Kind::kOpenFile, "", std::string(title), 0,
                         result ? "file \"" + *result + "\"" : "cancel",
                         std::string(initial_folder)});
  return result;
}

std::optional<std::string> SimDialogs::SaveFile(std::string_view title, std::string_view,
                                                const std::vector<platform::FileFilter>&,
                                                std::string_view initial_folder) {
  std::optional<std::string> result;
  std::optional<Answer> answer = NextAnswer(Shown::Kind::kSaveFile, "", title, 0, initial_folder);
  if (answer && (answer->kind == Answer::Kind::kFile || answer->kind == Answer::Kind::kText)) {
    result = answer->text;
  }
  Record(Shown{Shown::Kind::kSaveFile, "", std::string(title), 0,
                         result ? "file \"" + *result + "\"" : "cancel",
                         std::string(initial_folder)});
  return result;
}

std::optional<platform::ColorRef> SimDialogs::ChooseColor(platform::ColorRef) {
  std::optional<platform::ColorRef> result;
  std::optional<Answer> answer = NextAnswer(Shown::Kind::kColor, "", "Color");
  if (answer && answer->kind == Answer::Kind::kColor) result = answer->color;
  char outcome[32] = "cancel";
  if (result) {
    std::snprintf(outcome, sizeof outcome, "color %u %u %u", *result & 0xFF, (*result >> 8) & 0xFF,
                  (*result >> 16) & 0xFF);
  }
  Record(Shown{Shown::Kind::kColor, "", "Color", 0, outcome, ""});
  return result;
}

uint32_t SimDialogs::TrackPopupMenu(platform::Hwnd,
                                    const std::vector<platform::PopupMenuItem>& items,
                                    platform::Point where) {
  if (open_menu_) return 0;  // one popup menu at a time, as the menu loop allows
  open_menu_ = items;
  menu_place_ = where;
  menu_choice_.reset();
  if (modal_runner_) modal_runner_([this] { return !open_menu_.has_value(); });
  open_menu_.reset();
  uint32_t choice = menu_choice_.value_or(0);
  menu_choice_.reset();
  return choice;
}

const std::vector<platform::PopupMenuItem>* SimDialogs::OpenMenu() const {
  return open_menu_ ? &*open_menu_ : nullptr;
}

std::string SimDialogs::PlainCaption(std::string_view caption) {
  std::string plain;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        plain += '&';
        ++i;
      }
      continue;
    }
    plain += caption[i];
  }
  return plain;
}

namespace {

// The items along a menu path, outermost first; empty when the path names no item. A caption may
// itself hold a "/" ("Set / Change Picture"), so each level tries every caption that the rest of
// the path begins with, up to a "/" or the end.
std::vector<const platform::PopupMenuItem*> WalkPath(
    const std::vector<platform::PopupMenuItem>& level, std::string_view path) {
  for (const auto& item : level) {
    if (item.caption == "-") continue;
    std::string caption = SimDialogs::PlainCaption(item.caption);
    if (!path.starts_with(caption)) continue;
    std::string_view rest = path.substr(caption.size());
    if (rest.empty()) return {&item};
    if (rest.front() != '/') continue;
    std::vector<const platform::PopupMenuItem*> below = WalkPath(item.children, rest.substr(1));
    if (below.empty()) continue;
    below.insert(below.begin(), &item);
    return below;
  }
  return {};
}

}  // namespace

const platform::PopupMenuItem* SimDialogs::FindItem(
    const std::vector<platform::PopupMenuItem>& items, std::string_view path) {
  std::vector<const platform::PopupMenuItem*> chain = WalkPath(items, path);
  return chain.empty() ? nullptr : chain.back();
}

bool SimDialogs::ChooseMenuItem(std::string_view path, std::string* why) {
  auto fail = [&](const char* reason) {
    if (why) *why = reason;
    return false;
  };
  if (!open_menu_) return fail("no menu is open");
  std::vector<const platform::PopupMenuItem*> chain = WalkPath(*open_menu_, path);
  if (chain.empty()) return fail("the menu has no such item");
  // Every item on the way must be enabled, as a person could not open a greyed-out submenu.
  for (const platform::PopupMenuItem* item : chain) {
    if (!item->enabled) return fail("the item is disabled");
  }
  const platform::PopupMenuItem* item = chain.back();
  if (!item->children.empty()) return fail("the item opens a submenu");
  menu_choice_ = item->command;
  open_menu_.reset();
  return true;
}

void SimDialogs::DismissMenu() { open_menu_.reset(); }

const SimDialogs::Shown* SimDialogs::CheckWaiting() {
  for (auto it = waiting_.rbegin(); it != waiting_.rend(); ++it) {
    if ((*it)->answer) continue;
    (*it)->checked = true;
    return &(*it)->dialog;
  }
  return nullptr;
}

void SimDialogs::Record(Shown shown) {
  shown_.push_back(std::move(shown));
  if (std::exchange(answered_was_checked_, false) && checked_ + 1 == shown_.size()) ++checked_;
}

std::optional<SimDialogs::Shown> SimDialogs::TakeUnchecked() {
  if (checked_ >= shown_.size()) return std::nullopt;
  return shown_[checked_++];
}

}  // namespace quillon::sim
