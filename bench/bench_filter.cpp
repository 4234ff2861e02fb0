// Filtering a million realistic time entries with a four-condition expression into a
// new vector: the expression is prepared once, then evaluated per entry.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "syntax/SMathSyntax.h"
#include "syntax/SWildcardString.h"
#include "tasks/STask.h"
#include "tasks/STaskParallelFilter.h"
#include "tasks/STaskSyntaxFilter.h"
#include "tasks/STaskVector.h"
#include "tasks/STaskVectorMap.h"
#include "tasks/STaskVectorMapFilter.h"

namespace {

const char * const kExpression =
    "who = '*a*' AND duration > \"1:30\" OR date >= \"1/1/2012\" AND NOT code = \"X\"";

// One line: date in 2009-2013, h:mm:ss, a 2-3 letter who code in mixed case, a job
// number, a fee code A-L, a short description.
std::string MakeLine(std::mt19937 & random) {
  static const char * const words[] = {"Design", "review", "of", "client", "meeting", "call", "drafting",
                                       "site", "visit", "notes", "budget", "report", "travel", "email"};
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  char text[160];
  int length = std::snprintf(text, sizeof text, "%02d/%02d/%04d\t%d:%02d:%02d\t", pick(1, 12), pick(1, 28),
                             pick(2009, 2013), pick(0, 8), pick(0, 59), pick(0, 59));
  std::string line(text, static_cast<std::size_t>(length));
  const int letters = pick(2, 3);
  for (int i = 0; i < letters; ++i) {
    const char letter = static_cast<char>('a' + pick(0, 25));
    line += pick(0, 1) != 0 ? static_cast<char>(letter - 'a' + 'A') : letter;
  }
  length = std::snprintf(text, sizeof text, "\t%d-%03d\t%c\t", pick(1000, 9999), pick(0, 999),
                         static_cast<char>('A' + pick(0, 11)));
  line.append(text, static_cast<std::size_t>(length));
  const int count = pick(2, 6);
  for (int i = 0; i < count; ++i) {
    if (i > 0)
      line += ' ';
    line += words[pick(0, 13)];
  }
  return line;
}

struct Sheet {
  Sheet() : map(tasks) {}
  STaskVector tasks;
  STaskVectorMap map;
};

Sheet & MillionTasks() {
  static Sheet * sheet = [] {
    auto * built = new Sheet;
    std::mt19937 random(2012);
    built->tasks.reserve(1000000);
    for (int i = 0; i < 1000000; ++i) {
      const std::string line = MakeLine(random);
      built->tasks.push_back(STask(SDateFormat(SDateFormat::eMDY), line.data(), static_cast<unsigned int>(line.size())));
    }
    return built;
  }();
  return *sheet;
}

// Filters the million tasks into a new vector with inFilter(map, target) per iteration.
template <class Filter>
void FilterMillion(benchmark::State & state, Filter && inFilter) {
  Sheet & sheet = MillionTasks();
  SWildcardString::SetGlobalCaseSensitivity(SWildcardString::eNotCaseSensitive);
  std::size_t kept = 0;
  for (auto _ : state) {
    auto target = std::make_unique<STaskVector>();
    inFilter(sheet.map, *target);
    kept = target->size();
    state.PauseTiming(); // the new document's teardown is not part of filtering
    target.reset();
    state.ResumeTiming();
  }
  SWildcardString::SetGlobalCaseSensitivity(SWildcardString::eCaseSensitive);
  state.counters["kept"] = static_cast<double>(kept);
  state.SetItemsProcessed(state.iterations() * 1000000);
}

void BM_FilterMillionIntoNewVector(benchmark::State & state) {
  FilterMillion(state, [](const STaskVectorMap & inMap, STaskVector & outTarget) {
    SMathSyntax syntax;
    STaskSyntaxFilter filter(syntax, kExpression);
    STaskVectorMapFilter(inMap, outTarget, &filter)();
  });
}
BENCHMARK(BM_FilterMillionIntoNewVector)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same on the thread count in force (TALLY_THREADS, else the machine's cores).
void BM_FilterMillionIntoNewVectorThreaded(benchmark::State & state) {
  FilterMillion(state, [](const STaskVectorMap & inMap, STaskVector & outTarget) {
    STaskParallelFilter(inMap, outTarget, kExpression)();
  });
}
BENCHMARK(BM_FilterMillionIntoNewVectorThreaded)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_EvaluateMillion(benchmark::State & state) {
  Sheet & sheet = MillionTasks();
  SWildcardString::SetGlobalCaseSensitivity(SWildcardString::eNotCaseSensitive);
  for (auto _ : state) {
    SMathSyntax syntax;
    STaskSyntaxFilter filter(syntax, kExpression);
    std::size_t kept = 0;
    for (const STask & task : sheet.tasks)
      kept += filter(task) ? 1 : 0;
    benchmark::DoNotOptimize(kept);
  }
  SWildcardString::SetGlobalCaseSensitivity(SWildcardString::eCaseSensitive);
  state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_EvaluateMillion)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
