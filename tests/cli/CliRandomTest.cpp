// Randomized time sheets against an independent model of what tally must print: group
// totals and counts, sort order, filter results and the grand total.
#include "cli/TallyRunner.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <tuple>

namespace clitest {
namespace {

struct ModelEntry {
  int mYear, mMonth, mDay;
  std::uint64_t mSeconds;
  std::string mLine, mWho, mJob; // the line as written (no line break), and two of its fields
};

std::string Upper(std::string inText) {
  std::transform(inText.begin(), inText.end(), inText.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
  return inText;
}

std::string Two(unsigned inNumber) { return (inNumber < 10 ? "0" : "") + std::to_string(inNumber); }

std::vector<ModelEntry> RandomSheet(std::mt19937 & ioRandom, int inCount) {
  static const char * const kWho[] = {"ab", "AB", "Ab", "cd", "CD", "ef", "x"};
  static const char * const kJob[] = {"1", "2", "10", "j"};
  auto pick = [&](unsigned inLimit) { return static_cast<unsigned>(ioRandom() % inLimit); };
  std::vector<ModelEntry> entries;
  for (int i = 0; i < inCount; ++i) {
    const unsigned quarters = pick(60), hours = quarters / 4, minutes = quarters % 4 * 15;
    ModelEntry entry{2010 + static_cast<int>(pick(4)), 1 + static_cast<int>(pick(12)), 1 + static_cast<int>(pick(28)),
                     quarters * 900ull, "", kWho[pick(7)], kJob[pick(4)]};
    // h:mm:ss, h:mm, decimal hours, or minutes alone past 59.
    const std::string durations[] = {std::to_string(hours) + ":" + Two(minutes) + ":00", std::to_string(hours) + ":" + Two(minutes),
                                     std::to_string(hours) + "." + Two(minutes * 100 / 60), "0:" + std::to_string(quarters * 15)};
    entry.mLine = Two(static_cast<unsigned>(entry.mMonth)) + "/" + Two(static_cast<unsigned>(entry.mDay)) + "/" +
                  std::to_string(entry.mYear) + "\t" + durations[pick(4)] + "\t" + entry.mWho + "\t" + entry.mJob +
                  "\tC\tnote " + std::to_string(i) + (pick(10) == 0 ? "\twith a tab" : "");
    entries.push_back(entry);
  }
  return entries;
}

TEST(CliRandomTest, GroupsSortsFiltersAndTotalsAgreeWithAModel) {
  const testsupport::ScopedTimeZone zone("America/New_York");
  testsupport::TempDir folder;
  std::mt19937 random(20240607);
  for (int round = 0; round < 12; ++round) {
    const std::vector<ModelEntry> entries = RandomSheet(random, round == 0 ? 0 : static_cast<int>(random() % 150));
    std::string sheet;
    for (const ModelEntry & entry : entries)
      sheet += entry.mLine + "\n";
    const std::string file = folder.file("sheet.txt");
    testsupport::WriteFileBytes(file, sheet);
    SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(entries.size()) + " entries");

    // Groups by who code, without case: the heading is the first spelling in the
    // file, groups come in ascending order of the upper-cased text.
    struct Total {
      std::string mHeading;
      std::uint64_t mSeconds = 0, mCount = 0;
    };
    std::map<std::string, Total> byWho;
    std::uint64_t total = 0;
    for (const ModelEntry & entry : entries) {
      Total & group = byWho[Upper(entry.mWho)];
      if (group.mCount++ == 0)
        group.mHeading = entry.mWho;
      group.mSeconds += entry.mSeconds;
      total += entry.mSeconds;
    }
    std::string csv = "level,heading,seconds,entries\r\n";
    for (const auto & [key, who] : byWho)
      csv += "0," + who.mHeading + "," + std::to_string(who.mSeconds) + "," + std::to_string(who.mCount) + "\r\n";
    EXPECT_EQ(RunInProcess({"show", "--group", "who", "--format", "csv", file}).mOut, csv);

    // Sorted by duration, latest date first among equal durations, then file order.
    std::vector<ModelEntry> sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(), [](const ModelEntry & x, const ModelEntry & y) {
      return std::tie(x.mSeconds, y.mYear, y.mMonth, y.mDay) < std::tie(y.mSeconds, x.mYear, x.mMonth, x.mDay);
    });
    std::string listing, matching;
    for (const ModelEntry & entry : sorted)
      listing += entry.mLine + "\n";
    EXPECT_EQ(RunInProcess({"show", "--sort", "duration,-date", "--format", "tsv", file}).mOut, listing);

    // A filter on duration and who code.
    const std::uint64_t limit = 900 * (random() % 60);
    for (const ModelEntry & entry : entries)
      if (entry.mSeconds >= limit && Upper(entry.mWho) != "AB")
        matching += entry.mLine + "\n";
    const std::string filter = "duration >= " + std::to_string(limit) + " AND who <> 'ab'";
    EXPECT_EQ(RunInProcess({"show", "--filter", filter, "--format", "tsv", file}).mOut, matching);

    // The closing line of the text listing.
    char footer[96];
    std::snprintf(footer, sizeof footer, "Duration: %02llu:%02llu:00  Entry Count: %zu\n",
                  static_cast<unsigned long long>(total / 3600), static_cast<unsigned long long>(total / 60 % 60),
                  entries.size());
    const std::string shown = RunInProcess({"show", file}).mOut;
    EXPECT_EQ(shown.substr(shown.size() - std::min(shown.size(), std::strlen(footer))), footer);
  }
}

} // namespace
} // namespace clitest
