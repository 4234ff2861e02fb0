// Reading a million time sheet lines into tasks, as a file load does.
#include "dates/SDateParseCache.h"
#include "tasks/STask.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kLines = 1000000;

// Realistic lines: mostly full month/day/year dates in 2009 to 2013, some short forms,
// durations as h:mm:ss, h:mm or decimal hours.
struct Lines {
  std::string bytes;
  std::vector<std::size_t> starts; // kLines + 1 offsets

  Lines() {
    std::mt19937 random(2013);
    auto number = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const char * who[] = {"JD", "AB", "MK", "TS", "RW", "LP", "CH", "EV"};
    const char * fee[] = {"REG", "OT", "TRV", "ADM", "NB"};
    const char * words[] = {"Meeting with", "Drafted", "Reviewed", "Call about", "Revised",
                            "Research on", "Filed", "Prepared"};
    const char * topics[] = {"the contract", "quarterly report", "client estimate",
                             "site plan", "budget", "invoice batch", "proposal"};
    char line[256];
    bytes.reserve(kLines * 64);
    starts.reserve(kLines + 1);
    for (std::size_t i = 0; i < kLines; ++i) {
      starts.push_back(bytes.size());
      const int year = number(2009, 2013), month = number(1, 12), day = number(1, 28);
      char date[16];
      if (number(0, 9) < 8)
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", month, day, year);
      else
        std::snprintf(date, sizeof date, "%d/%d/%d", month, day, year % 100);
      char duration[16];
      switch (number(0, 2)) {
      case 0: std::snprintf(duration, sizeof duration, "%d:%02d:%02d", number(0, 9), number(0, 59), number(0, 59)); break;
      case 1: std::snprintf(duration, sizeof duration, "%d:%02d", number(0, 9), number(0, 59)); break;
      default: std::snprintf(duration, sizeof duration, "%d.%d", number(0, 9), number(0, 99)); break;
      }
      const int length = std::snprintf(line, sizeof line, "%s\t%s\t%s\t%d\t%s\t%s %s", date,
                                       duration, who[number(0, 7)], number(1000, 9999),
                                       fee[number(0, 4)], words[number(0, 7)], topics[number(0, 6)]);
      bytes.append(line, static_cast<std::size_t>(length));
    }
    starts.push_back(bytes.size());
  }
};

const Lines & TheLines() {
  static const Lines lines;
  return lines;
}

void Parse(benchmark::State & state, bool withCache) {
  const Lines & lines = TheLines();
  for (auto _ : state) {
    std::vector<STask> tasks;
    tasks.reserve(kLines);
    {
      std::unique_ptr<SDateParseCache> scope;
      if (withCache)
        scope = std::make_unique<SDateParseCache>();
      for (std::size_t i = 0; i < kLines; ++i)
        tasks.emplace_back(SDateFormat::eMDY, lines.bytes.data() + lines.starts[i],
                           static_cast<unsigned int>(lines.starts[i + 1] - lines.starts[i]));
    }
    benchmark::DoNotOptimize(tasks.data());
    state.PauseTiming();
    tasks = std::vector<STask>();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kLines));
}

void BM_ParseMillionLines(benchmark::State & state) {
  Parse(state, true);
}
BENCHMARK(BM_ParseMillionLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ParseMillionLinesWithoutCache(benchmark::State & state) {
  Parse(state, false);
}
BENCHMARK(BM_ParseMillionLinesWithoutCache)->Unit(benchmark::kMillisecond)->Iterations(1);

// The floor: copying each line into a string of its own, as any in-memory line must be.
void BM_CopyMillionLines(benchmark::State & state) {
  const Lines & lines = TheLines();
  for (auto _ : state) {
    std::vector<std::string> copies;
    copies.reserve(kLines);
    for (std::size_t i = 0; i < kLines; ++i)
      copies.emplace_back(lines.bytes.data() + lines.starts[i], lines.starts[i + 1] - lines.starts[i]);
    benchmark::DoNotOptimize(copies.data());
    state.PauseTiming();
    copies = std::vector<std::string>();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kLines));
}
BENCHMARK(BM_CopyMillionLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char ** argv) {
  setenv("TZ", "America/New_York", 1);
  tzset();
  TheLines();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
