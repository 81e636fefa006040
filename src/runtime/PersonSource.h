#pragma once
// The person at the keyboard, as the event loop sees them: a source of actions (a scenario, or
// the interactive prompt) that the loop asks for the next action whenever the program waits for
// the person, at the top level or inside a modal wait.

namespace quillon::runtime {

// What the program is waiting in when it asks for the person's next action.
enum class ModalKind {
  kTopLevel,   // nothing modal is open
  kForm,       // a form shown modally: every action reaches the desktop as usual
  kPopupMenu,  // a popup menu is open: choosing an item or looking keeps it; anything else
               // dismisses it first
};

enum class PersonAction {
  kTaken,     // an action ran
  kDeclined,  // the next action does not belong to this modal wait (which should end); it was
              // not consumed and will be offered again to the wait below
  kGone,      // the person has nothing more to do
};

class PersonSource {
 public:
  virtual ~PersonSource() = default;
  virtual PersonAction TakeAction(ModalKind waiting_in) = 0;
  // Inside a busy wait under a real clock, each time the wait has run what was due and would
  // sleep: runs the person's next action if it has come already, without waiting for one, as the
  // mouse and keys reach a program that processes its events in a loop. True when one ran.
  virtual bool TakeReadyAction() { return false; }
};

}  // namespace quillon::runtime
