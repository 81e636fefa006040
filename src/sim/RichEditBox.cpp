#include "sim/RichEditBox.h"

#include <algorithm>
#include <cstring>

#include "sim/SimDesktop.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

namespace quillon::sim {

using platform::LParam;
using platform::LResult;
using platform::WParam;
namespace msg = platform::msg;

void RichEditBox::SetText(std::string_view utf8) {
  text_ = text::DecodeUtf8(utf8);
  utf8_ = text::EncodeUtf8(text_);
  // The caret goes to the end of the new text, so a person who goes on typing after the program
  // filled the box (a recalled line, a shortcut) continues the line.
  anchor_ = caret_ = static_cast<int>(text_.size());
}

int RichEditBox::Clamp(int position) const {
  return std::clamp(position, 0, static_cast<int>(text_.size()));
}

void RichEditBox::Select(int start, int end) {
  // The selection messages' conventions: a start of -1 removes the selection (the caret stays at
  // its end); an end of -1, or past the text, means the end of the text.
  if (start < 0) {
    anchor_ = caret_ = SelectionEnd();
    return;
  }
  if (end < 0 || end > static_cast<int>(text_.size())) end = static_cast<int>(text_.size());
  anchor_ = Clamp(start);
  caret_ = Clamp(end);
}

int RichEditBox::ZoomPercent() const {
  if (zoom_numerator_ == 0 || zoom_denominator_ == 0) return 100;
  return zoom_numerator_ * 100 / zoom_denominator_;
}

void RichEditBox::ReplaceSelection(std::u32string_view with) {
  int start = SelectionStart();
  text_.replace(start, SelectionEnd() - start, with);
  utf8_ = text::EncodeUtf8(text_);
  anchor_ = caret_ = start + static_cast<int>(with.size());
}

void RichEditBox::TypeCode(uint32_t code) {
  if (ReadOnly()) return;  // a read-only box ignores the keyboard, not the program
  if (code == platform::vk::kBack) {
    if (SelectionStart() == SelectionEnd()) {
      if (caret_ == 0) return;
      anchor_ = caret_ - 1;
    }
    ReplaceSelection(U"");
    return;
  }
  if (code == '\r') {
    ReplaceSelection(U"\r");
    return;
  }
  if (code < 0x20 && code != '\t') return;  // other control characters type nothing
  char32_t character = text::CodePointOfCharCode(code);
  ReplaceSelection(std::u32string_view(&character, 1));
}

void RichEditBox::MoveCaret(uint32_t virtual_key) {
  int position = caret_;
  switch (virtual_key) {
    case platform::vk::kLeft:
      position = SelectionStart() != SelectionEnd() ? SelectionStart() : caret_ - 1;
      break;
    case platform::vk::kRight:
      position = SelectionStart() != SelectionEnd() ? SelectionEnd() : caret_ + 1;
      break;
    case platform::vk::kHome:
      position = 0;
      break;
    case platform::vk::kEnd:
      position = static_cast<int>(text_.size());
      break;
    default:
      return;
  }
  anchor_ = caret_ = Clamp(position);
}

LResult RichEditBox::Handle(SimDesktop& desktop, platform::Hwnd window, uint32_t message,
                            WParam wparam, LParam lparam) {
  switch (message) {
    case msg::kSetText:
      SetText(lparam ? reinterpret_cast<const char*>(lparam) : "");
      desktop.SetTitle(window, Text());
      return 1;
    case msg::kGetTextLength:
      return static_cast<LResult>(utf8_.size());
    case msg::kGetText:
      return SimDesktop::CopyText(utf8_, wparam, lparam);
    case msg::kChar:
      TypeCode(static_cast<uint32_t>(wparam));
      desktop.SetTitle(window, Text());
      return 0;
    case msg::kKeyDown:
      MoveCaret(static_cast<uint32_t>(wparam));
      return 0;
    case msg::kEmGetSel: {
      auto start = static_cast<uint32_t>(SelectionStart());
      auto end = static_cast<uint32_t>(SelectionEnd());
      if (wparam) *reinterpret_cast<uint32_t*>(wparam) = start;
      if (lparam) *reinterpret_cast<uint32_t*>(lparam) = end;
      return static_cast<LResult>((start & 0xFFFF) | ((end & 0xFFFF) << 16));
    }
    case msg::kEmSetSel:
      Select(static_cast<int>(static_cast<int32_t>(wparam)),
             static_cast<int>(static_cast<int32_t>(lparam)));
      return 0;
    case msg::kEmExGetSel:
      if (lparam) {
        auto* range = reinterpret_cast<platform::CharRange*>(lparam);
        range->min = SelectionStart();
        range->max = SelectionEnd();
      }
      return 0;
    case msg::kEmExSetSel:
      if (lparam) {
        auto* range = reinterpret_cast<const platform::CharRange*>(lparam);
        Select(range->min, range->max);
      }
      return SelectionEnd();
    case msg::kEmReplaceSel:
      ReplaceSelection(text::DecodeUtf8(lparam ? reinterpret_cast<const char*>(lparam) : ""));
      desktop.SetTitle(window, Text());
      return 0;
    case msg::kEmSetReadOnly:
      options_ =
          wparam ? (options_ | platform::kEcoReadOnly) : (options_ & ~platform::kEcoReadOnly);
      return 1;
    case msg::kEmSetOptions: {
      auto bits = static_cast<uint32_t>(lparam);
      switch (wparam) {
        case platform::kEcoOpSet:
          options_ = bits;
          break;
        case platform::kEcoOpOr:
          options_ |= bits;
          break;
        case platform::kEcoOpAnd:
          options_ &= bits;
          break;
        case platform::kEcoOpXor:
          options_ ^= bits;
          break;
        default:
          break;
      }
      return options_;
    }
    case msg::kEmGetOptions:
      return options_;
    case msg::kEmSetZoom: {
      int numerator = static_cast<int>(wparam);
      int denominator = static_cast<int>(lparam);
      if (numerator == 0 && denominator == 0) {
        zoom_numerator_ = zoom_denominator_ = 0;
        return 1;
      }
      // A rich edit box takes ratios between 1/64 and 64 only.
      if (numerator <= 0 || denominator <= 0 || numerator > 64 * denominator ||
          denominator > 64 * numerator) {
        return 0;
      }
      zoom_numerator_ = numerator;
      zoom_denominator_ = denominator;
      return 1;
    }
    case msg::kEmGetZoom:
      if (wparam) *reinterpret_cast<int*>(wparam) = zoom_numerator_;
      if (lparam) *reinterpret_cast<int*>(lparam) = zoom_denominator_;
      return 1;
    case msg::kEmSetBkgndColor: {
      platform::ColorRef previous = background_;
      background_is_system_ = wparam != 0;
      background_ =
          background_is_system_ ? desktop.GetSysColor(5) : static_cast<platform::ColorRef>(lparam);
      return previous;
    }
    default:
      return desktop.DefWindowProc(window, message, wparam, lparam);
  }
}

}  // namespace quillon::sim
