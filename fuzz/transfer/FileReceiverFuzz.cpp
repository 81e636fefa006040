// A hostile sender: any bytes, cut anywhere, with any timing. The receiver must write no more than
// the announced size, only from the bytes it was given, and offer only plain file names.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "transfer/FileReceiver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quillon::transfer::FileReceiver receiver;
  int64_t now = 0;
  uint64_t written = 0;
  size_t at = 0;
  receiver.Connect(now);
  while (at < size) {
    const uint8_t op = data[at++];
    quillon::transfer::TransferActions actions;
    switch (op % 7) {
      case 0:
      case 1:
      case 2: {
        const size_t count = std::min<size_t>(op / 7 + 1, size - at);
        const std::string_view delivery(reinterpret_cast<const char*>(data + at), count);
        at += count;
        actions = receiver.Receive(delivery, now);
        if (!actions.write.empty() &&
            (actions.write.data() < delivery.data() ||
             actions.write.data() + actions.write.size() > delivery.data() + delivery.size())) {
          std::abort();
        }
        break;
      }
      case 3:
        actions = receiver.SaveOpened(now);
        break;
      case 4:
        now += op;
        actions = receiver.Tick(now);
        break;
      case 5:
        actions = receiver.Connected(now);
        break;
      default:
        actions = op & 0x80 ? receiver.Closed() : receiver.WriteFailed();
        break;
    }
    written += actions.write.size();
    if (written > receiver.FileSize()) std::abort();
    if (actions.ask_save_name) {
      const std::string& name = *actions.ask_save_name;
      if (name.empty() || name.size() > 255 || name == "." || name == "..") std::abort();
      for (unsigned char c : name) {
        if (c < 0x20 || c == '/' || c == '\\' || c == ':') std::abort();
      }
    }
  }
  return 0;
}
