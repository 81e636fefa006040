#pragma once
// The measures every form is laid out with, shared by the forms themselves (which set their own
// and their controls' rectangles) and by whatever draws them. Nothing that draws a form invents
// geometry: it places what the form says, by these rules.
//
// - A form's Move is its outer window rectangle, in screen pixels at 96 dots per inch.
// - A form with a title bar (every form unless it says otherwise, see Form::HasTitleBar) has a
//   border of kBorderWidth on every side and a title bar of kTitleBarHeight below the top border,
//   so its client area starts at (kBorderWidth, kBorderWidth + kTitleBarHeight) inside the outer
//   rectangle. A form without a title bar has no system border at all: its client area is the
//   whole window (it draws its own border, if any).
// - A control's Move is relative to its form's client area. Every control's window is a child
//   of the form's window, also the controls that stand inside a frame: a frame only draws a box
//   with its caption around them and does not move them.
// - Text is a 12 px sans-serif font. CaptionWidth estimates the width of a caption; a caption
//   fits its control when the estimate plus the control's padding (kButtonPadding beside a
//   button's caption, kBoxPadding for the box of a check box or option button) is within the
//   control's width and the control is at least kControlHeight high (kButtonHeight for
//   buttons). Labels, check boxes and option buttons wrap their captions at blanks to further
//   lines of kLineHeight each, as CaptionLines counts them.
#include <string_view>

#include "platform/Window.h"

namespace quillon::runtime {

inline constexpr int kTitleBarHeight = 23;
inline constexpr int kBorderWidth = 4;
inline constexpr int kFontPixels = 12;
inline constexpr int kLineHeight = 16;
inline constexpr int kControlHeight = 20;
inline constexpr int kButtonHeight = 23;
inline constexpr int kButtonPadding = 16;
inline constexpr int kBoxPadding = 20;
// Space a frame's caption keeps from the frame's left edge, and the band at the top of a frame
// that its caption stands in: controls inside a frame start below it.
inline constexpr int kFrameCaptionInset = 8;
inline constexpr int kFrameCaptionBand = 18;

// The estimated width in pixels of `caption` drawn in the 12 px font: the widest of its lines
// (a line ends at "\n" or "\r\n"). A single "&" marks the access key and takes no room; "&&"
// shows one "&". The estimate leans wide, so that what fits here fits on the screen.
int CaptionWidth(std::string_view caption);

// How many lines `caption` takes when wrapped at blanks within `width` pixels; a word wider
// than the width is broken inside. An empty caption takes none.
int CaptionLines(std::string_view caption, int width);

// The height a caption of `lines` lines needs in a label, a check box or an option button.
constexpr int CaptionHeight(int lines) {
  return lines <= 1 ? kControlHeight : kControlHeight + (lines - 1) * kLineHeight;
}

// The client area of a form whose outer rectangle on the screen is `outer`, on the screen.
platform::Rect ClientArea(const platform::Rect& outer, bool title_bar);

}  // namespace quillon::runtime
