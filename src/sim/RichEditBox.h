#pragma once
// The rich edit box ("RichEdit20W") as the program uses it: text, caret and selection, typed
// characters (with Backspace), replacing the selection, the read-only option, zoom and the
// background colour. Plain "Edit" boxes share the behaviour; they simply never get the rich edit
// messages.
#include <string>

#include "sim/WindowBehaviour.h"

namespace quillon::sim {

class RichEditBox : public WindowBehaviour {
 public:
  platform::LResult Handle(SimDesktop& desktop, platform::Hwnd window, uint32_t message,
                           platform::WParam wparam, platform::LParam lparam) override;

  const std::string& Text() const { return utf8_; }
  void SetText(std::string_view utf8);
  int SelectionStart() const { return std::min(anchor_, caret_); }
  int SelectionEnd() const { return std::max(anchor_, caret_); }
  void Select(int start, int end);
  bool ReadOnly() const { return (options_ & platform::kEcoReadOnly) != 0; }
  // Zoom in percent (100 when off).
  int ZoomPercent() const;
  platform::ColorRef Background() const { return background_; }
  bool BackgroundIsSystem() const { return background_is_system_; }

 private:
  void ReplaceSelection(std::u32string_view with);
  void TypeCode(uint32_t code);
  void MoveCaret(uint32_t virtual_key);
  int Clamp(int position) const;

  // Kept in both forms: positions count characters, while the window's text is read as bytes on
  // every typed character.
  std::u32string text_;
  std::string utf8_;
  int anchor_ = 0;
  int caret_ = 0;
  uint32_t options_ = 0;
  int zoom_numerator_ = 0;
  int zoom_denominator_ = 0;
  platform::ColorRef background_ = platform::Rgb(255, 255, 255);
  bool background_is_system_ = true;
};

}  // namespace quillon::sim
