#pragma once
// The end of a transfer dialogue, as both machines (FileSender, FileReceiver) keep it: each has
// running states of its own and the three final states kComplete, kBroken and kCancelled, which
// stand for the outcome; and the user's cancel ends everything but a complete transfer and closes
// the connection.
//
// `Machine` names its state `state_` and offers Begin() (a fresh call's actions), OnCancel()
// (what else a cancel forgets) and Finish() (what every call ends with), reachable from here.
#include "transfer/TransferActions.h"

namespace quillon::transfer {

template <typename Machine>
class TransferMachine {
 public:
  TransferOutcome Outcome() const {
    using State = typename Machine::State;
    switch (static_cast<const Machine&>(*this).state_) {
      case State::kComplete:
        return TransferOutcome::kComplete;
      case State::kBroken:
        return TransferOutcome::kBroken;
      case State::kCancelled:
        return TransferOutcome::kCancelled;
      default:
        return TransferOutcome::kRunning;
    }
  }

  TransferActions Cancel() {
    using State = typename Machine::State;
    Machine& machine = static_cast<Machine&>(*this);
    TransferActions actions = machine.Begin();
    if (machine.state_ != State::kComplete) machine.state_ = State::kCancelled;
    machine.OnCancel();
    actions.close = true;
    return machine.Finish(actions);
  }
};

}  // namespace quillon::transfer
