#include "app/frmOptions.h"

#include "app/Quillon.h"

namespace quillon::app {

frmOptions::frmOptions(Quillon& program)
    : runtime::Form(program.Rt(), "frmOptions", "Options"), program_(program) {
  Move(200, 150, 420, 470);
}

}  // namespace quillon::app
