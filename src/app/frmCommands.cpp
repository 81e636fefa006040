#include "app/frmCommands.h"

#include "app/Quillon.h"

namespace quillon::app {

frmCommands::frmCommands(Quillon& program)
    : runtime::Form(program.Rt(), "frmCommands", "Command List") {
  Move(300, 150, 260, 360);
  Label1.SetCaption("Current List of Commands:");
  Command1.SetCaption("Close");
  Command1.on_click = [this] { Unload(); };
}

}  // namespace quillon::app
