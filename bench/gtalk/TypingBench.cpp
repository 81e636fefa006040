// The posted-character path: a character typed into a chat input that already holds 1 000
// characters, with the cool filter on. It covers the hook, the parser's read of the whole input,
// the filter setting's read, the filter and the box's own handling.
#include <benchmark/benchmark.h>

#include "app/Quillon.h"
#include "sim/RichEditBox.h"
#include "standin/GoogleTalk.h"
#include "support/TestPlatform.h"

namespace quillon {
namespace {

void BM_TypedCharacterWithCoolFilter(benchmark::State& state) {
  testing::TestPlatform p;
  standin::GoogleTalk client(p.desktop_, p.shell_, "me");
  client.SetContacts({"Alex"});
  client.Start();
  app::Quillon program(*p.platform_, p.loop_, p.Info());
  program.Main();
  p.loop_.ProcessPending();
  program.Config().WriteSetting("1337Filter", "CoolText");
  standin::ChatSession* chat = client.ActivateChat("Alex");
  p.loop_.ProcessPending();
  sim::RichEditBox* box = p.desktop_.RichEditOf(chat->Input());
  const std::string start(1000, 'x');
  int typed = 0;
  for (auto _ : state) {
    if (typed++ % 100 == 0) {
      state.PauseTiming();
      box->SetText(start);
      state.ResumeTiming();
    }
    p.desktop_.TypeCharacter(U'c');
    p.loop_.ProcessPending();
  }
  benchmark::DoNotOptimize(box->Text());
}
BENCHMARK(BM_TypedCharacterWithCoolFilter);

}  // namespace
}  // namespace quillon
