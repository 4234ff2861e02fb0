// The multi-level task comparator: levels, directions and biases, category texts, failures,
// and the keyed sort checked against the plain comparison sort.
#include "TaskTreeChecks.h"
#include "tasks/STaskThreads.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace tasktree;

class STaskComparatorTest : public ::testing::Test {
protected:
  testsupport::ScopedTimeZone mZone{"America/New_York"};
};

TEST_F(STaskComparatorTest, LevelsDirectionsAndBiases) {
  TBroadcasterVector<STask> tasks;
  tasks.push_back(Line("01/05/2012", "1:00:00", "B"));  // 0
  tasks.push_back(Line("01/01/2012", "1:00:00", "a"));  // 1
  tasks.push_back(Line("03/01/2012", "1:00:00", "b"));  // 2
  tasks.push_back(Line("02/01/2012", "1:00:00", "A"));  // 3
  // Who code ascending, then date descending.
  C comparator = Levels(&tasks, {C::eWhoCode, C::eNotDate});
  EXPECT_TRUE(comparator(1, 0));  // a before B, case ignored
  EXPECT_FALSE(comparator(0, 1));
  EXPECT_TRUE(comparator(3, 1));  // same who code: the later date first
  EXPECT_TRUE(comparator(2, 0));
  // first, second, level (-1: all), bias, result; a bias it does not know (3, within the
  // enumeration's range) gives the full result.
  const std::tuple<std::uint32_t, std::uint32_t, std::int16_t, C::EBias, int> biased[] = {
      {1, 3, -1, C::eFull, 1}, {3, 1, -1, C::eFull, -1}, {3, 3, -1, C::eFull, 0},
      {3, 1, -1, C::eBreak, 1}, {3, 3, -1, C::eBreak, 0}, {3, 1, -1, static_cast<C::EBias>(3), -1},
      // One level alone: a and A belong to one group at level 0, not at level 1.
      {1, 3, 1, C::eFull, 1}, {1, 3, 1, C::eSort, 0}, {3, 1, 1, C::eSort, 1}};
  for (const auto & [first, second, level, bias, result] : biased)
    EXPECT_EQ(level < 0 ? comparator.BiasedCompare(first, second, bias) : comparator.BiasedCompare(first, second, level, bias),
              result) << first << " " << second << " " << level << " " << bias;
  EXPECT_FALSE(comparator(1, 3, 0));
  EXPECT_TRUE(comparator(1, 3, 1));
  // A level not in use compares equal.
  EXPECT_EQ(comparator.Compare(0, 1, 2), 0);
  EXPECT_EQ(comparator.Compare(0, 1, -1), 0);
  std::vector<std::uint32_t> order{0, 1, 2, 3};
  std::sort(order.begin(), order.end(), comparator);
  EXPECT_EQ(order, (std::vector<std::uint32_t>{3, 1, 2, 0}));
}

// Texts chosen to meet at the edges of the sort keys: equal first bytes, lengths 7 and 8,
// case variants, NUL and high bytes, empty fields.
const std::vector<std::string> kTexts = {
    "",         "a",        "A",        "ab",        "AB",          "abcdefg",      "ABCDEFG",
    "abcdefgh", "ABCDEFGH", "abcdefgi", "abcdefg\0", "abcdefgh\0",  "abcdefghij",   "ABCDEFGHIK",
    "review design", "Review Design call", "review desk", "\xe9t\xe9", "\xc9T\xc9", "_", "z",
    "10",       "9",        "100",      "X01",       "x01",         std::string("a\0b", 3)};

// Texts that fit the sort keys whole, so that no two are told apart by reading them.
std::vector<std::string> ShortTexts() {
  std::vector<std::string> texts;
  std::ranges::copy_if(kTexts, std::back_inserter(texts), [](const std::string & text) { return text.size() < 8; });
  return texts;
}

// Many short texts over a few letters in both cases, so that most differ and many fold alike.
std::vector<std::string> ManyShortTexts(std::mt19937 & ioRandom) {
  const std::string letters = "abAB\xe9\xc9z";
  std::vector<std::string> texts(2000);
  for (std::string & text : texts)
    for (auto length = 1 + ioRandom() % 6; length > 0; --length)
      text += letters[ioRandom() % letters.size()];
  return texts;
}

STask RandomTask(std::mt19937 & ioRandom, const std::vector<std::string> & inTexts = kTexts) {
  auto pick = [&](const std::vector<std::string> & inFrom) {
    return inFrom[std::uniform_int_distribution<std::size_t>(0, inFrom.size() - 1)(ioRandom)];
  };
  const int day = std::uniform_int_distribution<int>(1, 6)(ioRandom);
  const int minutes = std::uniform_int_distribution<int>(0, 5)(ioRandom) * 15;
  std::string line = "01/0" + std::to_string(day) + "/2012\t" + std::to_string(minutes / 60) + ":" +
                     (minutes % 60 < 10 ? "0" : "") + std::to_string(minutes % 60) + ":00\t";
  line += pick(inTexts) + "\t" + pick(inTexts) + "\t" + pick(inTexts) + "\t" + pick(inTexts);
  return Make(line);
}

C RandomComparator(std::mt19937 & ioRandom, const TBroadcasterVector<STask> * inVector) {
  const int levels = std::uniform_int_distribution<int>(0, 7)(ioRandom);
  std::vector<C::EField> codes;
  for (int level = 0; level < levels; ++level) {
    const int code = std::uniform_int_distribution<int>(0, 7)(ioRandom);
    codes.push_back(static_cast<C::EField>(ioRandom() % 2 ? -code : code));
  }
  return Levels(inVector, codes);
}

// The keyed sort orders exactly as the comparator does, keeps ties in list order, and reports
// the first level at which neighbours differ.
TEST_F(STaskComparatorTest, SortMatchesTheComparator) {
  const std::size_t threadedMinimum = STaskComparator::sThreadedSortMinimum;
  const std::size_t radixMinimum = STaskComparator::sRadixSortMinimum;
  const std::size_t rankedLimit = STaskComparator::sRankedKeyLimit;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    TBroadcasterVector<STask> tasks;
    // (Hundreds of texts: more than a thousand entries, so that a level has as many.)
    const bool manyTexts = seed % 32 == 6;
    const std::size_t count = manyTexts ? 3000 : (seed % 4 == 0 ? 50 : 300 + seed * 13);
    // Half the seeds sort one level, which goes by the key's bytes; a quarter of the others
    // join their levels' keys to sort by those bytes, some with short texts only (a few
    // sharp ones, or hundreds), which are ranked by their keys to join unless they may not be.
    const bool oneLevel = seed % 4 < 2;
    const bool joinLevels = !oneLevel && seed % 8 >= 6;
    const std::vector<std::string> texts =
        !joinLevels || seed % 2 != 0 ? kTexts : (manyTexts ? ManyShortTexts(random) : ShortTexts());
    for (std::size_t i = 0; i < count; ++i)
      tasks.push_back(RandomTask(random, texts));
    STaskComparator::sRadixSortMinimum = oneLevel || joinLevels ? 2 : std::size_t(1) << 30;
    STaskComparator::sRankedKeyLimit = seed % 16 >= 8 ? 4 : rankedLimit;
    const C comparator = oneLevel    ? Levels(&tasks, {static_cast<C::EField>(static_cast<int>(seed % 15) - 7)})
                         : manyTexts ? Levels(&tasks, {C::eNotDescription, C::eWhoCode, C::eDuration})
                                     : RandomComparator(random, &tasks);
    // Every other seed sorts on 2 to 4 threads.
    STaskThreads::SetCount(2 + seed % 3);
    STaskComparator::sThreadedSortMinimum = seed % 2 ? 2 : std::size_t(1) << 30;
    // The whole vector in order, shuffled, and a small subset.
    std::vector<std::uint32_t> all(count);
    std::iota(all.begin(), all.end(), 0);
    std::vector<std::uint32_t> shuffled = all;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    std::vector<std::uint32_t> subset(shuffled.begin(), shuffled.begin() + static_cast<std::ptrdiff_t>(count / 10));
    for (const std::vector<std::uint32_t> & input : {all, shuffled, subset}) {
      std::vector<std::uint32_t> expected = input;
      std::stable_sort(expected.begin(), expected.end(), comparator);
      std::vector<std::uint32_t> sorted = input;
      std::vector<std::uint8_t> breaks(sorted.size());
      comparator.Sort(sorted.data(), sorted.data() + sorted.size(), breaks.data());
      ASSERT_EQ(sorted, expected) << "seed " << seed;
      for (std::size_t p = 1; p < sorted.size(); ++p) {
        int level = 0;
        while (level < comparator.Levels() && comparator.Compare(sorted[p - 1], sorted[p], static_cast<std::int16_t>(level)) == 0) {
          ++level;
        }
        ASSERT_EQ(breaks[p], level) << "seed " << seed << " position " << p;
      }
      if (!breaks.empty()) {
        EXPECT_EQ(breaks[0], 0);
      }
    }
  }
  STaskThreads::SetCount(0);
  STaskComparator::sThreadedSortMinimum = threadedMinimum;
  STaskComparator::sRadixSortMinimum = radixMinimum;
  STaskComparator::sRankedKeyLimit = rankedLimit;
}

} // namespace
