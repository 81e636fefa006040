// A hostile receiver: any bytes, in any order with connections, send reports, ticks and closes.
// The sender must never read outside the file, never send more of it than it has, and never hand
// over more than its window at once.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "transfer/FileSender.h"
#include "transfer/Protocol.h"

namespace {

class FixedSource : public quillon::transfer::FileSource {
 public:
  explicit FixedSource(uint64_t size) : size_(size) {}
  std::optional<size_t> Read(uint64_t offset, std::span<char> buffer) override {
    if (offset + buffer.size() > size_) std::abort();
    std::memset(buffer.data(), 'x', buffer.size());
    return buffer.size();
  }

 private:
  uint64_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using quillon::transfer::FileSender;
  if (size < 2) return 0;
  // Sizes reach past the window, so that data goes out in several sends.
  const uint64_t file_size = (static_cast<uint64_t>(data[0]) << 8 | data[1]) * 97;
  FixedSource source(file_size);
  FileSender sender(source, file_size, "name");
  int64_t now = 0;
  size_t at = 2;
  while (at < size) {
    const uint8_t op = data[at++];
    quillon::transfer::TransferActions actions;
    switch (op % 6) {
      case 0:
        actions = sender.Accept(now);
        break;
      case 1:
      case 2: {
        const size_t count = std::min<size_t>(op / 6, size - at);
        actions =
            sender.Receive(std::string_view(reinterpret_cast<const char*>(data + at), count), now);
        at += count;
        break;
      }
      case 3:
        actions = sender.SendComplete(now);
        break;
      case 4:
        now += op * 10;
        actions = sender.Tick(now);
        break;
      default:
        actions = op & 0x80 ? sender.Closed() : sender.Cancel();
        break;
    }
    // A send carries at most a name message and a window of data, or the closing message.
    if (actions.send.size() > FileSender::kWindowBytes + 64) std::abort();
  }
  return 0;
}
