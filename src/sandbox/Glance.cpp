#include "sandbox/Glance.h"

#include <algorithm>

#include "app/Quillon.h"
#include "runtime/Form.h"
#include "sandbox/UserWorld.h"
#include "text/Utf8.h"

namespace quillon::sandbox {
namespace {

// A text as the prompt shows it: quoted, line breaks visible, cut when long.
std::string Short(std::string_view text) {
  std::string out = "\"";
  size_t shown = 0;
  for (char c : text) {
    if (shown == Glance::kShownText) {
      out += "...";
      break;
    }
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
    // Count characters, not the continuation bytes of UTF-8.
    if (!text::IsUtf8Continuation(c)) ++shown;
  }
  return out + "\"";
}

std::string Answered(const sim::SimDialogs::Shown& shown) {
  switch (shown.kind) {
    case sim::SimDialogs::Shown::Kind::kMessageBox:
    case sim::SimDialogs::Shown::Kind::kInputBox:
      return "dialog " + Short(shown.text) + " -> " + shown.outcome;
    default:
      return "dialog " + Short(shown.title) + " -> " + shown.outcome;
  }
}

}  // namespace

Glance Glance::Of(UserWorld& user) {
  Glance glance;
  if (standin::ChatSession* chat = user.FrontChat()) {
    glance.chat_ = chat->Contact();
    glance.input_ = chat->InputText();
  }
  glance.gtalk_ = user.GTalk().Running();
  if (glance.gtalk_) glance.status_ = user.GTalk().Status();
  if (app::Quillon* quillon = user.CurrentQuillon()) {
    const char* states[] = {"not started", "waiting", "running", "ended"};
    glance.quillon_ = states[static_cast<int>(quillon->CurrentState())];
    for (runtime::Form* form : quillon->Rt().Forms()) {
      if (!form->Visible()) continue;
      glance.forms_.push_back(form->Name() +
                              (form->Key().empty() ? "" : "(\"" + form->Key() + "\")"));
    }
  }
  if (const auto* menu = user.Dialogs().OpenMenu()) {
    for (const auto& item : *menu) {
      if (item.caption == "-") continue;
      glance.menu_ +=
          (glance.menu_.empty() ? "" : " | ") + sim::SimDialogs::PlainCaption(item.caption);
    }
    if (glance.menu_.empty()) glance.menu_ = "(empty)";
  }
  glance.dialogs_ = user.Dialogs().AllShown().size();
  return glance;
}

std::string Glance::ChangesSince(const Glance& before, UserWorld& user) const {
  std::vector<std::string> parts;
  if (chat_ != before.chat_ && !chat_.empty()) {
    parts.push_back("chat " + Short(chat_) + " input " + Short(input_));
  } else if (input_ != before.input_ && !chat_.empty()) {
    parts.push_back("input " + Short(input_));
  }
  if (gtalk_ != before.gtalk_ && !gtalk_) {
    parts.push_back("Google Talk quit");
  } else if (status_ != before.status_ || gtalk_ != before.gtalk_) {
    parts.push_back("status " + Short(status_));
  }
  if (quillon_ != before.quillon_) parts.push_back("Quillon " + quillon_);
  for (const std::string& form : forms_) {
    if (std::find(before.forms_.begin(), before.forms_.end(), form) == before.forms_.end())
      parts.push_back(form + " shown");
  }
  for (const std::string& form : before.forms_) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
      parts.push_back(form + " closed");
  }
  if (menu_ != before.menu_) parts.push_back(menu_.empty() ? "menu closed" : "menu: " + menu_);
  const auto& shown = user.Dialogs().AllShown();
  for (size_t i = before.dialogs_; i < dialogs_ && i < shown.size(); ++i) {
    parts.push_back(Answered(shown[i]));
  }
  std::string line;
  for (const std::string& part : parts) line += (line.empty() ? "" : "; ") + part;
  return line;
}

}  // namespace quillon::sandbox
