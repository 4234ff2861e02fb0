// Loading and saving a time sheet of a million entries through a task document with two
// listening maps, and the memory the loaded document takes.
#include <benchmark/benchmark.h>

#include "tasks/STaskDocument.h"
#include "tasks/STaskDocumentData.h"
#include "tasks/STaskFileStream.h"
#include "tasks/STaskFileStreamSettings.h"
#include "tasks/STaskVectorMap.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <unistd.h>

namespace {

class BenchDocument : public STaskDocument {
public:
  bool WantToClearMergeStream(STaskStream *) override { return false; }
};

std::filesystem::path & Folder() {
  static std::filesystem::path sFolder;
  return sFolder;
}

std::string SheetPath(long inCount) { return (Folder() / ("sheet-" + std::to_string(inCount) + ".txt")).string(); }

// Similar lines written here when the generator tool is not available.
void GenerateInProcess(long inCount, const std::string & inPath) {
  std::mt19937 random(1);
  std::ofstream out(inPath, std::ios::binary);
  static const char * const kWords[] = {"review", "design", "call", "meeting", "draft", "memo", "client", "site",
                                        "visit", "travel", "report", "analysis", "fix", "build", "test", "plan"};
  std::string line;
  for (long i = 0; i < inCount; ++i) {
    char head[64];
    const unsigned month = 1 + random() % 12, day = 1 + random() % 28, year = 2009 + random() % 5;
    const unsigned quarters = 1 + random() % 39;
    if (random() % 50 == 0)
      std::snprintf(head, sizeof head, "%u/%u/%02u\t", month, day, year % 100);
    else
      std::snprintf(head, sizeof head, "%02u/%02u/%04u\t", month, day, year);
    line = head;
    std::snprintf(head, sizeof head, "%u:%02u:00\tJD\t%u\t%c\t", quarters / 4, quarters % 4 * 15,
                  1000 + static_cast<unsigned>(random() % 9000), static_cast<char>('A' + random() % 12));
    line += head;
    for (unsigned w = 0, words = 2 + random() % 6; w < words; ++w)
      line += std::string(w ? " " : "") + kWords[random() % 16];
    line += "\r\n";
    out << line;
  }
}

void Generate(long inCount) {
  const std::string path = SheetPath(inCount);
  if (std::filesystem::exists(path))
    return;
  for (const std::string & tool : {std::string(TALLY_GEN_TIMESHEET), std::string("/work/shared/tools/gen-timesheet")}) {
    if (std::filesystem::exists(tool)) {
      const std::string command = "python3 '" + tool + "' " + std::to_string(inCount) + " -o '" + path + "'";
      if (std::system(command.c_str()) == 0 && std::filesystem::exists(path))
        return;
    }
  }
  GenerateInProcess(inCount, path);
}

// Gives the memory of the previous round back, so that each load starts as the first load
// of a fresh program would (glibc otherwise tidies a million freed blocks inside the next
// large allocation, that is, inside the timed load).
void ForgetPreviousRound() {
#ifdef __GLIBC__
  ::malloc_trim(0);
#endif
}

std::unique_ptr<STaskFileStream> Stream(const std::string & inPath) {
  return std::make_unique<STaskFileStream>(STaskFileStreamSettings(SFileSpec(inPath)), SDateFormat::eMDY);
}

void Prepare(BenchDocument & ioDocument, const std::string & inPath) {
  STaskDocumentData data(ioDocument);
  data.SetDateFormat(SDateFormat::eMDY);
  ioDocument.SetStream(Stream(inPath));
}

// Load into a document that has its own map and one more, as a view would.
void BM_Load(benchmark::State & state) {
  const std::string path = SheetPath(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    ForgetPreviousRound();
    {
      auto document = std::make_unique<BenchDocument>();
      STaskVectorMap view(STaskDocumentData(*document).GetData());
      Prepare(*document, path);
      state.ResumeTiming();
      document->Load();
      state.PauseTiming();
      benchmark::DoNotOptimize(view.size());
    }
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<long>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_Load)->Arg(250000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);

// Load a file whose dates are converted to the document's day-first order.
void BM_LoadConvertingDates(benchmark::State & state) {
  const std::string path = SheetPath(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    ForgetPreviousRound();
    {
      auto document = std::make_unique<BenchDocument>();
      STaskVectorMap view(STaskDocumentData(*document).GetData());
      Prepare(*document, path);
      STaskDocumentData(*document).SetDateFormat(SDateFormat::eDMY);
      state.ResumeTiming();
      document->Load();
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadConvertingDates)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Save the loaded document (temporary file, sync, rename) in the file's own date order
// and, second, from a day-first document (every date rewritten on the way out).
void BM_Save(benchmark::State & state) {
  const std::string source = SheetPath(state.range(0));
  const std::string path = (Folder() / "saved.txt").string();
  std::filesystem::copy_file(source, path, std::filesystem::copy_options::overwrite_existing);
  BenchDocument document;
  STaskVectorMap view(STaskDocumentData(document).GetData());
  Prepare(document, path);
  if (state.range(1) != 0)
    STaskDocumentData(document).SetDateFormat(SDateFormat::eDMY);
  document.Load();
  for (auto _ : state) {
    document.SetDirty();
    document.Save();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<long>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_Save)->Args({1000000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond)->Iterations(5);

long StatusKilobytes(const char * inField) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string field = std::string(inField) + ":";
  while (std::getline(status, line))
    if (line.compare(0, field.size(), field) == 0)
      return std::atol(line.c_str() + field.size());
  return -1;
}

// The memory one loaded document takes: its peak while loading and what stays resident.
void ReportMemory(long inCount) {
  const std::string path = SheetPath(inCount);
  const double fileMB = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  std::ofstream("/proc/self/clear_refs") << "5"; // resets the peak (VmHWM) where allowed
  const long before = StatusKilobytes("VmRSS");
  {
    BenchDocument document;
    STaskVectorMap view(STaskDocumentData(document).GetData());
    Prepare(document, path);
    document.Load();
    const long loaded = StatusKilobytes("VmRSS");
    const long peak = StatusKilobytes("VmHWM");
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("file: %ld entries, %.1f MB\n", inCount, fileMB);
    std::printf("resident after load: %.1f MB (%.2f x file)\n", (loaded - before) / 1e3,
                (loaded - before) / 1e3 / fileMB);
    std::printf("peak while loading:  %.1f MB (%.2f x file); process maxrss %.1f MB\n", (peak - before) / 1e3,
                (peak - before) / 1e3 / fileMB, usage.ru_maxrss / 1e3);
  }
}

} // namespace

int main(int argc, char ** argv) {
  char pattern[] = "/tmp/tally-bench-XXXXXX";
  if (::mkdtemp(pattern) == nullptr)
    return 1;
  Folder() = pattern;
  Generate(250000);
  Generate(1000000);
  ReportMemory(1000000);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Folder());
  return 0;
}
