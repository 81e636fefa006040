#include "runtime/HeldSocket.h"

#include "runtime/ProgramNetwork.h"

namespace quillon::runtime {

HeldSocket::~HeldSocket() { owner_.Forget(this); }

}  // namespace quillon::runtime
