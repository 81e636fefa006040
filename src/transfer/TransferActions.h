#pragma once
// What one call into a transfer machine (FileSender, FileReceiver) asks of the window that drives
// it. The machines do no I/O: the window owns the socket, the file, the timer and the labels, and
// carries out these actions in the order of the fields.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::transfer {

enum class TransferOutcome {
  kRunning,    // nothing final yet (also before the dialogue starts)
  kComplete,   // every byte has moved
  kBroken,     // the connection or a file failed, or the peer broke the protocol; status says why
  kCancelled,  // the user ended it
};

struct TransferProgress {
  uint64_t value = 0;
  // 0 for an empty file; a progress display that refuses an empty range should show it as full.
  uint64_t maximum = 0;
};

struct TransferActions {
  // Receiver: bytes to append to the output file. A view into the delivery just passed in, so it
  // lives as long as the caller's buffer.
  std::string_view write;
  // Bytes to send on the connection (Windows-1252 text or file data). A view into the machine,
  // valid until the next call to it. The sender wants each non-empty send reported back with
  // SendComplete once the socket has taken all of it.
  std::string_view send;
  std::optional<std::string> status;
  std::optional<TransferProgress> progress;
  // Receiver: ask the user where to save, offering this plain file name, then call SaveOpened or
  // SaveFailed (or Cancel when the user declines).
  std::optional<std::string> ask_save_name;
  // Close the connection once `send` has gone out.
  bool close = false;
  // The status names a failure of the file (it could not be read, opened or written), which the
  // window also reports as an error of its data handler.
  bool file_failed = false;
  // The state after this call; once it is no longer kRunning, close the file.
  TransferOutcome outcome = TransferOutcome::kRunning;
};

}  // namespace quillon::transfer
