#pragma once
// Where a dropped friend window ends up: held inside the screen, then snapped to the edges of the
// other friend windows. All in twips.
#include <vector>

#include "platform/Window.h"

namespace quillon::friends {

class FriendSnap {
 public:
  // Moves `window` (keeping its size) so that it lies on the screen: top and left edges first,
  // then bottom and right, so a window larger than the screen ends at its bottom right corner.
  static platform::Rect KeepOnScreen(platform::Rect window, int screen_width, int screen_height);
  // Applies the snapping rules against one other window after another. `sx` and `sy` are the
  // snap distances. Each axis snaps on its own: an edge lines up with another window's edge even
  // when the two are far apart on the other axis.
  static platform::Rect Snap(platform::Rect window, const std::vector<platform::Rect>& others,
                             int sx, int sy);
};

}  // namespace quillon::friends
