#include "app/frmCommands.h"

#include "app/Quillon.h"

namespace quillon::app {

frmCommands::frmCommands(Quillon& program)
    : runtime::Form(program.Rt(), "frmCommands", "Command List") {
  Move(300, 150, 252, 366);
  Label1.Move(8, 8, 228, 20);
  List1.Move(8, 32, 228, 264);
  Command1.Move(156, 304, 80, 23);
  Label1.SetCaption("Current List of Commands:");
  Command1.SetCaption("Close");
  Command1.on_click = [this] { Unload(); };
}

}  // namespace quillon::app
