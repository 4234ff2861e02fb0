// Randomized time sheets against an independent model of what tally must print: group
// totals and counts, sort order, filter results and the grand total.
#include "cli/CliFixture.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <tuple>

namespace clitest {
namespace {

struct ModelEntry {
  int mYear, mMonth, mDay;
  std::uint64_t mSeconds;
  std::string mLine; // as written to the file (no line break)
  std::string mWho, mJob;
};

std::string Upper(std::string inText) {
  for (char & c : inText)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return inText;
}

std::vector<ModelEntry> RandomSheet(std::mt19937 & ioRandom, int inCount) {
  static const char * const kWho[] = {"ab", "AB", "Ab", "cd", "CD", "ef", "x"};
  static const char * const kJob[] = {"1", "2", "10", "j"};
  std::vector<ModelEntry> entries;
  auto pick = [&](int inCount) { return static_cast<int>(ioRandom() % static_cast<unsigned>(inCount)); };
  for (int i = 0; i < inCount; ++i) {
    ModelEntry entry;
    entry.mYear = 2010 + pick(4);
    entry.mMonth = 1 + pick(12);
    entry.mDay = 1 + pick(28);
    const int quarters = pick(60);
    entry.mSeconds = static_cast<std::uint64_t>(quarters) * 900;
    const unsigned hours = static_cast<unsigned>(quarters / 4), minutes = static_cast<unsigned>(quarters % 4 * 15);
    char duration[32];
    switch (pick(4)) {
    case 0: std::snprintf(duration, sizeof duration, "%u:%02u:00", hours, minutes); break;
    case 1: std::snprintf(duration, sizeof duration, "%u:%02u", hours, minutes); break;
    case 2: std::snprintf(duration, sizeof duration, "%u.%02u", hours, minutes * 100 / 60); break;
    default:
      // Minutes alone, past 59.
      std::snprintf(duration, sizeof duration, "0:%u", hours * 60 + minutes);
      break;
    }
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", entry.mMonth, entry.mDay, entry.mYear);
    entry.mWho = kWho[pick(7)];
    entry.mJob = kJob[pick(4)];
    entry.mLine = std::string(date) + "\t" + duration + "\t" + entry.mWho + "\t" + entry.mJob + "\tC\tnote " +
                  std::to_string(i) + (pick(10) == 0 ? "\twith a tab" : "");
    entries.push_back(entry);
  }
  return entries;
}

std::string Hms(std::uint64_t inSeconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%02llu:%02llu:%02llu", static_cast<unsigned long long>(inSeconds / 3600),
                static_cast<unsigned long long>(inSeconds / 60 % 60), static_cast<unsigned long long>(inSeconds % 60));
  return text;
}

TEST(CliRandomTest, GroupsSortsFiltersAndTotalsAgreeWithAModel) {
  testsupport::TempDir folder;
  std::mt19937 random(20240607);
  for (int round = 0; round < 12; ++round) {
    const int count = round == 0 ? 0 : static_cast<int>(random() % 150);
    const std::vector<ModelEntry> entries = RandomSheet(random, count);
    std::string sheet;
    for (const ModelEntry & entry : entries)
      sheet += entry.mLine + "\n";
    const std::string file = folder.file("sheet" + std::to_string(round) + ".txt");
    testsupport::WriteFileBytes(file, sheet);
    SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(count) + " entries");

    // Groups by who code (without case) and job: the heading is the first spelling in the
    // file, groups come in ascending order of the upper-cased text.
    struct Total {
      std::string mHeading;
      std::uint64_t mSeconds = 0, mCount = 0;
    };
    std::map<std::string, Total> byWho;
    std::map<std::pair<std::string, std::string>, Total> byWhoJob;
    std::uint64_t total = 0;
    for (const ModelEntry & entry : entries) {
      Total & who = byWho[Upper(entry.mWho)];
      Total & job = byWhoJob[{Upper(entry.mWho), Upper(entry.mJob)}];
      if (who.mCount == 0)
        who.mHeading = entry.mWho;
      if (job.mCount == 0)
        job.mHeading = entry.mJob;
      who.mSeconds += entry.mSeconds;
      job.mSeconds += entry.mSeconds;
      ++who.mCount;
      ++job.mCount;
      total += entry.mSeconds;
    }
    // Grouped by who and job, a who group's heading is its first entry in job order.
    std::map<std::string, std::string> whoHeadingByJob;
    for (const auto & [pair, job] : byWhoJob)
      if (!whoHeadingByJob.count(pair.first))
        for (const ModelEntry & entry : entries)
          if (Upper(entry.mWho) == pair.first && Upper(entry.mJob) == pair.second) {
            whoHeadingByJob[pair.first] = entry.mWho;
            break;
          }
    std::string csv = "level,heading,seconds,entries\r\n";
    std::string tsv;
    for (const auto & [key, who] : byWho) {
      csv += "0," + who.mHeading + "," + std::to_string(who.mSeconds) + "," + std::to_string(who.mCount) + "\r\n";
      tsv += "0\t" + whoHeadingByJob[key] + "\t" + std::to_string(who.mSeconds) + "\t" + std::to_string(who.mCount) +
             "\n";
      for (const auto & [pair, job] : byWhoJob)
        if (pair.first == key)
          tsv += "1\t" + job.mHeading + "\t" + std::to_string(job.mSeconds) + "\t" + std::to_string(job.mCount) + "\n";
    }
    TallyResult result = RunTally({"show", "--group", "who", "--format", "csv", file});
    EXPECT_EQ(result.mStatus, 0);
    EXPECT_EQ(result.mOut, csv);
    result = RunTally({"show", "--group", "who,job", "--summary", "--format", "tsv", file});
    EXPECT_EQ(result.mOut, tsv);

    // Sorted by duration, latest date first among equal durations, then file order.
    std::vector<std::size_t> order(entries.size());
    for (std::size_t i = 0; i < order.size(); ++i)
      order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      const ModelEntry & x = entries[a];
      const ModelEntry & y = entries[b];
      if (x.mSeconds != y.mSeconds)
        return x.mSeconds < y.mSeconds;
      return std::tie(y.mYear, y.mMonth, y.mDay) < std::tie(x.mYear, x.mMonth, x.mDay);
    });
    std::string sorted;
    for (const std::size_t i : order)
      sorted += entries[i].mLine + "\n";
    result = RunTally({"show", "--sort", "duration,-date", "--format", "tsv", file});
    EXPECT_EQ(result.mOut, sorted);

    // A filter on duration and who code.
    const std::uint64_t limit = 900 * (random() % 60);
    std::string matching;
    for (const ModelEntry & entry : entries)
      if (entry.mSeconds >= limit && Upper(entry.mWho) != "AB")
        matching += entry.mLine + "\n";
    result = RunTally({"show", "--filter", "duration >= " + std::to_string(limit) + " AND who <> 'ab'", "--format", "tsv",
                  file});
    EXPECT_EQ(result.mStatus, 0);
    EXPECT_EQ(result.mOut, matching);

    // The closing line of the text listing.
    result = RunTally({"show", file});
    const std::string footer = "Duration: " + Hms(total) + "  Entry Count: " + std::to_string(entries.size()) + "\n";
    ASSERT_GE(result.mOut.size(), footer.size());
    EXPECT_EQ(result.mOut.substr(result.mOut.size() - footer.size()), footer);
  }
}

} // namespace
} // namespace clitest
