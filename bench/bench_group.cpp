// Sorting and grouping a million-entry time sheet: sorting the full index by one and three
// levels, grouping by one and three levels, appending to a grouped sheet and replacing one
// entry of it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "trees/TTree.h"
#include "trees/TVectorPopulator.h"
#include "tasks/STask.h"
#include "tasks/STaskComparator.h"
#include "tasks/STaskGroup.h"
#include "tasks/STaskVector.h"
#include "tasks/STaskVectorMap.h"

namespace {

using C = STaskComparator;
using Tree = TTree<STask, STaskGroup>;
using Populator = TVectorPopulator<STask, STaskGroup, C>;

constexpr std::size_t kEntries = 1000000;
constexpr std::size_t kAppended = 100000;

// The lines of a realistic time sheet: from the shared generator when it is there, else made here.
std::vector<std::string> MakeLines(std::size_t inCount, unsigned inSeed) {
  std::vector<std::string> lines;
  std::string generator = "/work/shared/tools/gen-timesheet";
#ifdef TALLY_GEN_TIMESHEET
  generator = TALLY_GEN_TIMESHEET;
#endif
  struct stat info;
  if (stat(generator.c_str(), &info) != 0) {
    generator = "/work/shared/tools/gen-timesheet";
  }
  if (stat(generator.c_str(), &info) == 0) {
    const std::string file = "/tmp/tally_bench_group_" + std::to_string(inCount) + "_" + std::to_string(inSeed) + ".txt";
    if (stat(file.c_str(), &info) != 0) {
      const std::string command = "python3 " + generator + " " + std::to_string(inCount) +
                                  " --seed " + std::to_string(inSeed) + " --break lf -o " + file;
      if (std::system(command.c_str()) != 0) {
        std::remove(file.c_str());
      }
    }
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      lines.push_back(line);
    }
    if (lines.size() == inCount) {
      return lines;
    }
    lines.clear();
  }
  std::mt19937 random(inSeed);
  auto below = [&](int inLimit) { return std::uniform_int_distribution<int>(0, inLimit - 1)(random); };
  std::vector<std::string> who;
  for (int i = 0; i < 40; ++i) {
    std::string code;
    for (int n = 2 + below(2); n > 0; --n) {
      code += static_cast<char>((i % 7 == 0 ? 'a' : 'A') + below(26));
    }
    who.push_back(code);
  }
  const char * words[] = {"review", "design", "call", "meeting", "draft", "memo", "client", "site", "visit", "report"};
  char buffer[64];
  for (std::size_t i = 0; i < inCount; ++i) {
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d\t%d:%02d:00\t", 1 + below(12), 1 + below(28), 2009 + below(5),
                  below(10), below(4) * 15);
    std::string line = buffer;
    line += who[static_cast<std::size_t>(below(40))] + "\t" + std::to_string(1000 + below(300)) + "\t" +
            static_cast<char>('A' + below(12)) + "\t";
    for (int n = 2 + below(5); n > 0; --n) {
      line += words[below(10)];
      line += n > 1 ? " " : "";
    }
    lines.push_back(line);
  }
  return lines;
}

void Fill(STaskVector & ioTasks, const std::vector<std::string> & inLines) {
  for (const std::string & line : inLines) {
    ioTasks.push_back(STask(SDateFormat::eMDY, line.data(), static_cast<unsigned int>(line.size())));
  }
}

const std::vector<std::string> & Lines() {
  static const std::vector<std::string> lines = MakeLines(kEntries, 1);
  return lines;
}

const std::vector<std::string> & MoreLines() {
  static const std::vector<std::string> lines = MakeLines(kAppended, 2);
  return lines;
}

// One million tasks, read once.
STaskVector & Tasks() {
  static STaskVector * tasks = [] {
    auto * vector = new STaskVector;
    vector->reserve(kEntries + kAppended);
    Fill(*vector, Lines());
    return vector;
  }();
  return *tasks;
}

C Grouping(const STaskVector & inTasks, int inLevels) {
  C comparator(C::eWhoCode, C::eJobNumber, C::eDate, C::eNop, C::eNop, C::eNop, C::eNop,
               static_cast<std::int16_t>(inLevels));
  comparator.SetVector(&inTasks);
  return comparator;
}

// Sorting the flat list's index map, starting from file order or from another sort's order.
void BM_SortIndex(benchmark::State & state) {
  STaskVector & tasks = Tasks();
  STaskVectorMap map(tasks);
  const C comparator = Grouping(tasks, static_cast<int>(state.range(0)));
  const bool shuffled = state.range(1) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    map.Repopulate();
    if (shuffled) {
      std::shuffle(map.begin(), map.end(), std::mt19937(7));
    }
    state.ResumeTiming();
    const C copy(comparator);
    copy.Sort(map.data(), map.data() + map.size());
    benchmark::DoNotOptimize(map.data());
  }
}
BENCHMARK(BM_SortIndex)->ArgNames({"levels", "shuffled"})->Args({1, 0})->Args({3, 0})->Args({1, 1})->Args({3, 1})
    ->Unit(benchmark::kMillisecond)->Iterations(3);

// The same with the standard sort calling the comparator, for comparison.
void BM_SortIndexByComparisons(benchmark::State & state) {
  STaskVector & tasks = Tasks();
  STaskVectorMap map(tasks);
  const C comparator = Grouping(tasks, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    map.Repopulate();
    state.ResumeTiming();
    std::sort(map.begin(), map.end(), comparator);
    benchmark::DoNotOptimize(map.data());
  }
}
BENCHMARK(BM_SortIndexByComparisons)->ArgName("levels")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(1);

// Grouping the whole sheet: a full population.
void BM_Group(benchmark::State & state) {
  STaskVector & tasks = Tasks();
  Tree tree(tasks);
  Populator populator(&tree, tasks, C(&tasks));
  const C comparator = Grouping(tasks, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    populator.SetComparator(comparator);
    benchmark::DoNotOptimize(tree.Branches().data());
  }
  state.counters["branches"] = static_cast<double>(tree.Branches().size());
}
BENCHMARK(BM_Group)->ArgName("levels")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(3);

// Grouping 100,000 entries alone, the yardstick for appending them.
void BM_GroupAppendedAlone(benchmark::State & state) {
  STaskVector tasks;
  Fill(tasks, MoreLines());
  Tree tree(tasks);
  Populator populator(&tree, tasks, C(&tasks));
  const C comparator = Grouping(tasks, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    populator.SetComparator(comparator);
    benchmark::DoNotOptimize(tree.Branches().data());
  }
}
BENCHMARK(BM_GroupAppendedAlone)->ArgName("levels")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(5);

// Reading 100,000 entries into a vector that nobody groups, the cost of the appends themselves.
void BM_AppendUngrouped(benchmark::State & state) {
  STaskVector & tasks = Tasks();
  std::vector<STask> more;
  for (const std::string & line : MoreLines()) {
    more.emplace_back(SDateFormat::eMDY, line.data(), static_cast<unsigned int>(line.size()));
  }
  for (auto _ : state) {
    for (const STask & task : more) {
      tasks.push_back(task);
    }
    state.PauseTiming();
    tasks.erase(kEntries, tasks.size());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AppendUngrouped)->Unit(benchmark::kMillisecond)->Iterations(3);

// Appending 100,000 entries, one message each, to a grouped million-entry sheet.
void BM_AppendToGrouped(benchmark::State & state) {
  STaskVector & tasks = Tasks();
  std::vector<STask> more;
  for (const std::string & line : MoreLines()) {
    more.emplace_back(SDateFormat::eMDY, line.data(), static_cast<unsigned int>(line.size()));
  }
  Tree tree(tasks);
  Populator populator(&tree, tasks, C(&tasks));
  populator.SetComparator(Grouping(tasks, static_cast<int>(state.range(0))));
  for (auto _ : state) {
    for (const STask & task : more) {
      tasks.push_back(task);
    }
    state.PauseTiming();
    tasks.erase(kEntries, tasks.size());
    state.ResumeTiming();
  }
  state.counters["branches"] = static_cast<double>(tree.Branches().size());
}
BENCHMARK(BM_AppendToGrouped)->ArgName("levels")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(3);

// Replacing one entry of a grouped million-entry sheet, as an in-place edit does: by
// changing its duration (it stays in its group, or is merged again when alone in it) or its
// who code (it moves).
void BM_ReplaceOne(benchmark::State & state) {
  STaskVector & tasks = Tasks();
  Tree tree(tasks);
  Populator populator(&tree, tasks, C(&tasks));
  populator.SetComparator(Grouping(tasks, static_cast<int>(state.range(0))));
  const bool moveIt = state.range(1) != 0;
  std::mt19937 random(11);
  for (auto _ : state) {
    state.PauseTiming();
    const std::size_t index = std::uniform_int_distribution<std::size_t>(0, tasks.size() - 1)(random);
    TaskFields fields = tasks[index];
    std::string line = std::string(tasks[index].Subfield(STask::eDate)) + "\t" +
                       (moveIt ? std::string(tasks[index].Subfield(STask::eDuration)) : std::string("9:59:00")) + "\t" +
                       (moveIt ? std::string(tasks[(index + 1) % tasks.size()].Subfield(STask::eWhoCode))
                               : std::string(tasks[index].Subfield(STask::eWhoCode))) +
                       "\t" + fields.jobNumber + "\t" + fields.timeCode + "\t" + fields.description;
    const STask replacement(SDateFormat::eMDY, line.data(), static_cast<unsigned int>(line.size()));
    state.ResumeTiming();
    tasks.set(index, replacement);
  }
  state.counters["branches"] = static_cast<double>(tree.Branches().size());
}
BENCHMARK(BM_ReplaceOne)->ArgNames({"levels", "move"})->Args({1, 0})->Args({1, 1})->Args({3, 0})->Args({3, 1})
    ->Unit(benchmark::kMicrosecond)->Iterations(50);

} // namespace

BENCHMARK_MAIN();
