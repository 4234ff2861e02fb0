// Appending to a broadcasting vector followed by two index maps: the cost must grow linearly.
#include <benchmark/benchmark.h>

#include <string>

#include "generic/TBroadcasterVector.h"
#include "generic/TVectorMap.h"

namespace {

void BM_PushBackWithTwoMaps(benchmark::State & state) {
  const auto count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TBroadcasterVector<std::string> vector;
    TVectorMap<std::string> first(vector, true);
    TVectorMap<std::string> second(vector, true);
    for (int i = 0; i < count; ++i) {
      vector.push_back(std::string("entry"));
    }
    benchmark::DoNotOptimize(second.size());
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_PushBackWithTwoMaps)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
