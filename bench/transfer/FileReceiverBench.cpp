// The receiver in its data phase, fed 8000-byte deliveries as the sender's blocks arrive. It hands
// back views into each delivery, so the file's bytes are copied only by whoever writes them.
#include <benchmark/benchmark.h>

#include <string>

#include "transfer/FileReceiver.h"

namespace quillon::transfer {
namespace {

void BM_ReceiverDataDeliveries(benchmark::State& state) {
  const std::string block(8000, 'x');
  FileReceiver receiver;
  receiver.Connect(0);
  receiver.Receive("flsz:9000000000000000000", 0);
  receiver.Receive("flnm:big.bin", 1000);
  receiver.Tick(2000);
  receiver.SaveOpened(2000);
  int64_t now = 2000;
  for (auto _ : state) {
    TransferActions actions = receiver.Receive(block, now);
    benchmark::DoNotOptimize(actions.write.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 8000);
}
BENCHMARK(BM_ReceiverDataDeliveries);

}  // namespace
}  // namespace quillon::transfer
