#pragma once
// One user's desktop as the page draws it: structure, never a picture. Every visible top-level
// window becomes an absolutely placed element at its rectangle (children nested in their parent's
// element), in z-order with the top-most band above; Quillon's forms show every control at the
// rectangle the control reports; the tray, the open popup menu and the dialog waiting for the
// person are parts of their own. Chat documents are handed out separately, for sandboxed frames.
//
// Built on the loop's thread, between events: it reads the desktop and the runtime's forms and
// calls nothing in the program.
#include <string>

#include "web/Publication.h"

namespace quillon::sandbox {
class UserWorld;
}

namespace quillon::web {

class DesktopModel {
 public:
  // `user` is the name the page's routes use for this desktop.
  static Publication::Desktop Build(sandbox::UserWorld& world, const std::string& user);
  // The chat document as its frame serves it: the program folder's pictures, which the document
  // names by their place on the disk, become the page's own route to that folder.
  static std::string FrameDocument(const std::string& body, const std::string& home,
                                   const std::string& user);
};

}  // namespace quillon::web
