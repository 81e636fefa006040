#pragma once
// The menu command identifiers of Google Talk that the program posts (WM_COMMAND, the identifier
// in wParam, lParam 0). They are Google Talk's own numbers, so they never change here.
#include <cstdint>

namespace quillon::gtalk::command_id {

// Posted to Google Talk's main window.
inline constexpr uint32_t kSignOut = 40002;
inline constexpr uint32_t kOptions = 40003;
inline constexpr uint32_t kHide = 40004;
inline constexpr uint32_t kUpdate = 40087;
inline constexpr uint32_t kInbox = 40088;
inline constexpr uint32_t kMail = 40089;

// Posted to the status area: opens the display picture chooser.
inline constexpr uint32_t kDisplayPicture = 10000;

// Posted to a chat window.
inline constexpr uint32_t kOffTheRecord = 8010;
inline constexpr uint32_t kBlock = 8011;

}  // namespace quillon::gtalk::command_id
