// Sorting long lists by text fields whose values share long beginnings: the fast sort must
// give exactly the order of the plain comparison sort.
#include "tasks/STask.h"
#include "tasks/STaskComparator.h"

#include "vectors/TBroadcasterVector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

using C = STaskComparator;

// A text made of a few long, similar words: many texts share their first 7, 14, 21... bytes,
// some are beginnings of others, and letters differ only in case.
std::string SimilarText(std::mt19937 & ioRandom) {
  static const char * const kWords[] = {"planning", "Planning", "PLANNING", "plan", "planningx", "planninG ",
                                        "\xE9t\xE9", "a\x01" "b", "zz", ""};
  std::string text;
  const unsigned words = ioRandom() % 6;
  for (unsigned w = 0; w < words; ++w) {
    text += kWords[ioRandom() % std::size(kWords)];
  }
  if (ioRandom() % 7 == 0) {
    text.push_back('\0'); // a NUL byte in the middle or at the end
    text += kWords[ioRandom() % 3];
  }
  return text;
}

STask Make(const std::string & inWho, const std::string & inDescription, unsigned inDay) {
  const std::string line = "01/0" + std::to_string(1 + inDay % 9) + "/2012\t1:00:00\t" + inWho + "\t1\tX\t" + inDescription;
  return STask(SDateFormat(SDateFormat::eMDY), line.data(), static_cast<unsigned int>(line.size()));
}

} // namespace

TEST(STaskComparatorLongText, SortsLikeThePlainComparisonWithBreaks) {
  const std::vector<std::vector<C::EField>> plans = {
      {C::eDescription},
      {C::eNotDescription},
      {C::eWhoCode, C::eDescription},
      {C::eNotDescription, C::eNotWhoCode},
      {C::eDescription, C::eDate, C::eNotOrderInFile},
      {C::eDate, C::eNotWhoCode, C::eNotDescription},
  };
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::mt19937 random(seed);
    TBroadcasterVector<STask> tasks;
    const std::size_t count = 64 + random() % 3000;
    for (std::size_t i = 0; i < count; ++i) {
      tasks.push_back(Make(SimilarText(random), SimilarText(random), static_cast<unsigned>(random())));
    }
    for (const auto & plan : plans) {
      std::vector<C::EField> codes = plan;
      codes.resize(7, C::eNop);
      C comparator(codes[0], codes[1], codes[2], codes[3], codes[4], codes[5], codes[6],
                   static_cast<std::int16_t>(plan.size()));
      comparator.SetVector(&tasks);
      std::vector<std::uint32_t> input(count);
      std::iota(input.begin(), input.end(), 0);
      std::shuffle(input.begin(), input.end(), random);

      std::vector<std::uint32_t> expected = input;
      std::stable_sort(expected.begin(), expected.end(), comparator);
      std::vector<std::uint32_t> sorted = input;
      std::vector<std::uint8_t> breaks(sorted.size());
      comparator.Sort(sorted.data(), sorted.data() + sorted.size(), breaks.data());
      ASSERT_EQ(sorted, expected) << "seed " << seed << ", first code " << plan[0];
      for (std::size_t p = 1; p < sorted.size(); ++p) {
        int level = 0;
        while (level < comparator.Levels() &&
               comparator.Compare(sorted[p - 1], sorted[p], static_cast<std::int16_t>(level)) == 0) {
          ++level;
        }
        ASSERT_EQ(breaks[p], level) << "seed " << seed << " position " << p;
      }
    }
  }
}
