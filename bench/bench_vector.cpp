// Appending to the task vector followed by two index maps: the cost must grow linearly.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "dates/SDateFormat.h"
#include "vectors/TBroadcasterVector.h"
#include "vectors/TVectorMap.h"
#include "tasks/STask.h"
#include "tasks/STaskVector.h"
#include "tasks/STaskVectorMap.h"

namespace {

std::vector<STask> SampleTasks() {
  std::vector<STask> tasks;
  for (int i = 0; i < 16; ++i) {
    const std::string line = "03/0" + std::to_string(1 + i % 9) + "/2012\t" + std::to_string(i % 8) +
                             ":30\tJD\t10" + std::to_string(i) + "\tA\tDesign review and notes, part " +
                             std::to_string(i);
    tasks.emplace_back(SDateFormat(SDateFormat::eMDY), line.data(), static_cast<unsigned int>(line.size()));
  }
  return tasks;
}

// Loading a time sheet: one push_back (one insert message) per task, heard by the vector's own
// total and two maps; includes destroying everything again.
void BM_TaskVectorPushBack(benchmark::State & state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const std::vector<STask> samples = SampleTasks();
  for (auto _ : state) {
    STaskVector vector;
    STaskVectorMap documentMap(vector);
    STaskVectorMap listMap(vector);
    for (std::size_t i = 0; i < count; ++i) {
      vector.push_back(samples[i % samples.size()]);
    }
    benchmark::DoNotOptimize(vector.GetDuration());
    benchmark::DoNotOptimize(listMap.size());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * count));
}
BENCHMARK(BM_TaskVectorPushBack)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The baseline: a plain standard vector of the same tasks, without messages or maps.
void BM_PlainVectorPushBack(benchmark::State & state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const std::vector<STask> samples = SampleTasks();
  for (auto _ : state) {
    std::vector<STask> vector;
    for (std::size_t i = 0; i < count; ++i) {
      vector.push_back(samples[i % samples.size()]);
    }
    benchmark::DoNotOptimize(vector.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * count));
}
BENCHMARK(BM_PlainVectorPushBack)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The same with the generic templates and a trivial element, to show the messaging overhead.
void BM_GenericPushBack(benchmark::State & state) {
  const auto count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TBroadcasterVector<int> vector;
    TVectorMap<int> first(vector, true);
    TVectorMap<int> second(vector, true);
    for (int i = 0; i < count; ++i) {
      vector.push_back(i);
    }
    benchmark::DoNotOptimize(second.size());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * count));
}
BENCHMARK(BM_GenericPushBack)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
