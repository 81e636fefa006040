#pragma once
// A chat-view pass of a running program, wired as its main form wires its own.
#include <string_view>

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "chatview/ChatViewPass.h"

namespace quillon::chatview {

inline ChatViewPass PassOf(app::Quillon& program) {
  app::frmMain& form = *program.MainForm();
  return ChatViewPass(program.Rt(), program.Config(), program.Reporter(), form, form.tmrIEDOM,
                      [&program](std::string_view address) { program.ShowReceiveWindow(address); });
}

}  // namespace quillon::chatview
