#include "transfer/TransferNotice.h"

#include "app/Quillon.h"

namespace quillon::transfer {

void SendTransferNotice(app::Quillon& program, platform::Hwnd input, std::string_view text) {
  platform::Hwnd& transfer_input = program.Chat().TransferInput;
  const platform::Hwnd kept = transfer_input;
  if (input != 0) transfer_input = input;
  program.GTalk().SendNotice(text);
  transfer_input = kept;
}

}  // namespace quillon::transfer
