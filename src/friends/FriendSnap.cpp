#include "friends/FriendSnap.h"

namespace quillon::friends {

namespace {

platform::Rect At(const platform::Rect& window, int left, int top) {
  return {left, top, left + window.Width(), top + window.Height()};
}

}  // namespace

platform::Rect FriendSnap::KeepOnScreen(platform::Rect window, int screen_width,
                                        int screen_height) {
  if (window.top < 0) window = At(window, window.left, 0);
  if (window.left < 0) window = At(window, 0, window.top);
  if (window.bottom > screen_height)
    window = At(window, window.left, screen_height - window.Height());
  if (window.right > screen_width) window = At(window, screen_width - window.Width(), window.top);
  return window;
}

platform::Rect FriendSnap::Snap(platform::Rect my, const std::vector<platform::Rect>& others,
                                int sx, int sy) {
  const int width = my.Width();
  const int height = my.Height();
  auto set_left = [&](int left) { my = At(my, left, my.top); };
  auto set_top = [&](int top) { my = At(my, my.left, top); };
  for (const platform::Rect& o : others) {
    // Each rule reads the position the rules before it left.
    if (my.right <= o.left && my.right + sx >= o.left) set_left(o.left - width);
    if (my.left - sx <= o.right && my.left >= o.right) set_left(o.right);
    if (my.right - sx <= o.left && my.right >= o.left) set_left(o.left - width);
    if (my.left <= o.right && my.left + sx >= o.right) set_left(o.right);
    if (my.left - sx <= o.left && my.left >= o.left) set_left(o.left);
    if (my.left <= o.left && my.left + sx >= o.left) set_left(o.left);
    if (my.top - sy <= o.bottom && my.top >= o.bottom) set_top(o.bottom);
    if (my.bottom <= o.top && my.bottom + sy >= o.top) set_top(o.top - height);
    if (my.top <= o.bottom && my.top + sy >= o.bottom) set_top(o.bottom);
    if (my.bottom - sy <= o.top && my.bottom >= o.top) set_top(o.top - height);
    if (my.top - sy <= o.top && my.top >= o.top) set_top(o.top);
    if (my.top <= o.top && my.top + sy >= o.top) set_top(o.top);
  }
  return my;
}

}  // namespace quillon::friends
