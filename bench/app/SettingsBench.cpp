// Reading a setting that exists, as the chat view does a dozen times every 50 ms and the typing
// path once per character.
#include <benchmark/benchmark.h>

#include "app/ErrorReporter.h"
#include "app/Settings.h"
#include "support/TestPlatform.h"

namespace quillon {
namespace {

void BM_ReadSettingExisting(benchmark::State& state) {
  testing::TestPlatform p;
  runtime::Runtime rt(*p.platform_, p.loop_, p.Info());
  app::ErrorReporter reporter(rt);
  app::Settings settings(*p.registry_, reporter);
  settings.WriteSetting("1337Filter", "CoolText");
  for (auto _ : state) {
    benchmark::DoNotOptimize(settings.ReadSetting("1337Filter", ""));
  }
}
BENCHMARK(BM_ReadSettingExisting);

}  // namespace
}  // namespace quillon
