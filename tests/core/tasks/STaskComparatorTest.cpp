// The multi-level task comparator: levels, directions and biases, category texts, failures,
// and the keyed sort checked against the plain comparison sort.
#include "tasks/STask.h"
#include "tasks/STaskComparator.h"

#include "vectors/TBroadcasterVector.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using C = STaskComparator;

STask Make(const std::string & inLine) {
  return STask(SDateFormat::eMDY, inLine.data(), static_cast<unsigned int>(inLine.size()));
}

// date, duration, who, job, fee, description
STask Line(const std::string & inDate, const std::string & inDuration, const std::string & inWho,
           const std::string & inJob = "1", const std::string & inFee = "A", const std::string & inDescription = "d") {
  return Make(inDate + "\t" + inDuration + "\t" + inWho + "\t" + inJob + "\t" + inFee + "\t" + inDescription);
}

C Levels(const TBroadcasterVector<STask> * inVector, std::vector<C::EField> inCodes) {
  inCodes.resize(7, C::eNop);
  C comparator(inCodes[0], inCodes[1], inCodes[2], inCodes[3], inCodes[4], inCodes[5], inCodes[6],
               static_cast<std::int16_t>(std::count_if(inCodes.begin(), inCodes.end(), [](C::EField f) { return f != 0; })));
  comparator.SetVector(inVector);
  return comparator;
}

class STaskComparatorTest : public ::testing::Test {
protected:
  testsupport::ScopedTimeZone mZone{"America/New_York"};
};

TEST_F(STaskComparatorTest, ConstructionAndLevels) {
  TBroadcasterVector<STask> tasks;
  C none;
  EXPECT_EQ(none.Levels(), 0);
  EXPECT_EQ(none.Vector(), nullptr);
  C over(&tasks);
  EXPECT_EQ(over.Levels(), 0);
  EXPECT_EQ(over.Vector(), &tasks);
  C one(&tasks, C::eNotJobNumber);
  EXPECT_EQ(one.Levels(), 1);
  EXPECT_EQ(one.Field(0), C::eNotJobNumber);
  C seven(C::eDate, C::eDuration, C::eWhoCode, C::eJobNumber, C::eTimeCode, C::eDescription, C::eOrderInFile, 3);
  EXPECT_EQ(seven.Levels(), 3);
  EXPECT_EQ(seven.Vector(), nullptr);
  EXPECT_EQ(seven.Field(6), C::eOrderInFile);
  // Initialize replaces the codes, not the level count.
  seven.Initialize(C::eNotDate, C::eNop, C::eNop, C::eNop, C::eNop, C::eNop, C::eNop);
  EXPECT_EQ(seven.Levels(), 3);
  EXPECT_EQ(seven.Field(0), C::eNotDate);
  EXPECT_EQ(seven.Field(1), C::eNop);
  // The level count stays within what the seven codes can serve.
  C tooMany(C::eDate, C::eNop, C::eNop, C::eNop, C::eNop, C::eNop, C::eNop, 12);
  EXPECT_EQ(tooMany.Levels(), 7);
  C negative(C::eDate, C::eNop, C::eNop, C::eNop, C::eNop, C::eNop, C::eNop, -1);
  EXPECT_EQ(negative.Levels(), 0);
  EXPECT_EQ(tooMany.Field(7), C::eNop);
  EXPECT_EQ(tooMany.Field(-1), C::eNop);
}

TEST_F(STaskComparatorTest, ZeroLevelsFindEverythingEqual) {
  TBroadcasterVector<STask> tasks;
  tasks.push_back(Line("01/01/2012", "1:00:00", "a"));
  tasks.push_back(Line("01/02/2013", "2:00:00", "b"));
  C comparator(&tasks);
  EXPECT_FALSE(comparator(0, 1));
  EXPECT_FALSE(comparator(1, 0));
  EXPECT_FALSE(comparator(0, 1, 0));
  EXPECT_EQ(comparator.BiasedCompare(0, 1, C::eFull), 0);
  EXPECT_EQ(comparator.BiasedCompare(0, 1, C::eBreak), 0);
  EXPECT_EQ(comparator.BiasedCompare(0, 1, C::eSort), 0);
  EXPECT_EQ(comparator.Compare(0, 1, 0), 0);
}

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
  EXPECT_EQ(comparator.BiasedCompare(1, 3, C::eFull), 1);
  EXPECT_EQ(comparator.BiasedCompare(3, 1, C::eFull), -1);
  EXPECT_EQ(comparator.BiasedCompare(3, 3, C::eFull), 0);
  EXPECT_EQ(comparator.BiasedCompare(3, 1, C::eBreak), 1);
  EXPECT_EQ(comparator.BiasedCompare(3, 3, C::eBreak), 0);
  // An unknown bias gives the full result.
  EXPECT_EQ(comparator.BiasedCompare(3, 1, static_cast<C::EBias>(9)), -1);
  // One level alone: a and A belong to one group at level 0, not at level 1.
  EXPECT_FALSE(comparator(1, 3, 0));
  EXPECT_TRUE(comparator(1, 3, 1));
  EXPECT_EQ(comparator.BiasedCompare(1, 3, 1, C::eFull), 1);
  EXPECT_EQ(comparator.BiasedCompare(1, 3, 1, C::eSort), 0);
  EXPECT_EQ(comparator.BiasedCompare(3, 1, 1, C::eSort), 1);
  // A level not in use compares equal.
  EXPECT_EQ(comparator.Compare(0, 1, 2), 0);
  EXPECT_EQ(comparator.Compare(0, 1, -1), 0);
  std::vector<std::uint32_t> order{0, 1, 2, 3};
  std::sort(order.begin(), order.end(), comparator);
  EXPECT_EQ(order, (std::vector<std::uint32_t>{3, 1, 2, 0}));
}

TEST_F(STaskComparatorTest, OrderInFileAndTextNumbers) {
  TBroadcasterVector<STask> tasks;
  for (const char * job : {"x", "x", "10", "x", "x", "9"}) {
    tasks.push_back(Line("01/01/2012", "1:00", "w", job));
  }
  C ascending(&tasks, C::eOrderInFile);
  EXPECT_TRUE(ascending(2, 5));
  EXPECT_FALSE(ascending(5, 2));
  EXPECT_EQ(ascending.Compare(3, 3, 0), 0);
  C descending(&tasks, C::eNotOrderInFile);
  EXPECT_TRUE(descending(5, 2));
  EXPECT_FALSE(descending(2, 5));
  // Job numbers are text: 10 sorts before 9.
  C jobs(&tasks, C::eJobNumber);
  EXPECT_TRUE(jobs(2, 5));
  EXPECT_EQ(jobs.Compare(5, 2, 0), 1);
  // An unknown code (-8 is the only one the code type can hold) compares equal.
  C unknown(C(static_cast<C::EField>(-8), C::eNop, C::eNop, C::eNop, C::eNop, C::eNop, C::eNop, 1));
  unknown.SetVector(&tasks);
  EXPECT_EQ(unknown.Compare(2, 5, 0), 0);
}

TEST_F(STaskComparatorTest, Category) {
  TBroadcasterVector<STask> tasks;
  tasks.push_back(Line("12/25/12", "1:30:00", "Abc", "J-7", "F", "two words\twith tab"));
  const STask & task = tasks[0];
  C comparator = Levels(&tasks, {C::eNotDuration, C::eDate, C::eWhoCode, C::eNotJobNumber, C::eTimeCode,
                                 C::eDescription, C::eOrderInFile});
  EXPECT_EQ(comparator.Category(0, &task), "1:30:00");
  EXPECT_EQ(comparator.Category(1, &task), "12/25/2012"); // the date as the line now holds it
  EXPECT_EQ(comparator.Category(2, &task), "Abc");
  EXPECT_EQ(comparator.Category(3, &task), "J-7");
  EXPECT_EQ(comparator.Category(4, &task), "F");
  EXPECT_EQ(comparator.Category(5, &task), "two words\twith tab");
  EXPECT_EQ(comparator.Category(6, &task), "");
  EXPECT_EQ(comparator.Category(7, &task), "");
  EXPECT_EQ(comparator.Category(-1, &task), "");
  EXPECT_EQ(comparator.Category(0, nullptr), "");
  // A level beyond the count in use gives nothing, whatever its code.
  C one(&tasks, C::eWhoCode);
  EXPECT_EQ(one.Category(0, &task), "Abc");
  EXPECT_EQ(one.Category(1, &task), "");
  C nop = Levels(&tasks, {});
  EXPECT_EQ(nop.Category(0, &task), "");
}

TEST_F(STaskComparatorTest, Failures) {
  TBroadcasterVector<STask> tasks;
  tasks.push_back(Line("01/01/2012", "1:00", "a"));
  tasks.push_back(Line("01/02/2012", "1:00", "b"));
  const std::string message = "TMultiLevelComparator not initialized with vector before invocation.";
  auto expectUnbound = [&](auto && inCall) {
    try {
      inCall();
      ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error & e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
  };
  C unbound(C::eWhoCode, C::eNop, C::eNop, C::eNop, C::eNop, C::eNop, C::eNop, 1);
  expectUnbound([&] { unbound.BiasedCompare(0, 1, C::eFull); });
  expectUnbound([&] { unbound.BiasedCompare(0, 1, 0, C::eBreak); });
  expectUnbound([&] { (void)unbound(0, 1); });
  expectUnbound([&] { (void)unbound(0, 1, 0); });
  expectUnbound([&] { (void)unbound.Compare(0, 1, 0); });
  // Even a comparator without levels must be bound first.
  C nothing;
  expectUnbound([&] { nothing.BiasedCompare(0, 1, C::eSort); });
  std::vector<std::uint32_t> list{1, 0};
  expectUnbound([&] { nothing.Sort(list.data(), list.data() + list.size()); });
  std::vector<std::uint32_t> large(100, 0);
  expectUnbound([&] { unbound.Sort(large.data(), large.data() + large.size()); });

  // An index beyond the vector.
  unbound.SetVector(&tasks);
  try {
    unbound.BiasedCompare(0, 2, C::eFull);
    ADD_FAILURE() << "no exception";
  } catch (const std::out_of_range & e) {
    EXPECT_EQ(std::string(e.what()), "vector::at index out of range");
  }
  EXPECT_THROW(unbound.Compare(7, 0, 0), std::out_of_range);
  // Order in file reads the tasks as well.
  C order(&tasks, C::eOrderInFile);
  EXPECT_THROW(order.Compare(0, 2, 0), std::out_of_range);
  // The keyed sort checks indices too.
  std::vector<std::uint32_t> beyond(100);
  std::iota(beyond.begin(), beyond.end(), 0);
  EXPECT_THROW(unbound.Sort(beyond.data(), beyond.data() + beyond.size()), std::out_of_range);
}

// Texts chosen to meet at the edges of the sort keys: equal first bytes, lengths 7 and 8,
// case variants, NUL and high bytes, empty fields.
const std::vector<std::string> kTexts = {
    "",         "a",        "A",        "ab",        "AB",          "abcdefg",      "ABCDEFG",
    "abcdefgh", "ABCDEFGH", "abcdefgi", "abcdefg\0", "abcdefgh\0",  "abcdefghij",   "ABCDEFGHIK",
    "review design", "Review Design call", "review desk", "\xe9t\xe9", "\xc9T\xc9", "_", "z",
    "10",       "9",        "100",      "X01",       "x01",         std::string("a\0b", 3)};

STask RandomTask(std::mt19937 & ioRandom) {
  auto pick = [&](const std::vector<std::string> & inFrom) {
    return inFrom[std::uniform_int_distribution<std::size_t>(0, inFrom.size() - 1)(ioRandom)];
  };
  const int day = std::uniform_int_distribution<int>(1, 6)(ioRandom);
  const int minutes = std::uniform_int_distribution<int>(0, 5)(ioRandom) * 15;
  std::string line = "01/0" + std::to_string(day) + "/2012\t" + std::to_string(minutes / 60) + ":" +
                     (minutes % 60 < 10 ? "0" : "") + std::to_string(minutes % 60) + ":00\t";
  line += pick(kTexts) + "\t" + pick(kTexts) + "\t" + pick(kTexts) + "\t" + pick(kTexts);
  return Make(line);
}

C RandomComparator(std::mt19937 & ioRandom, const TBroadcasterVector<STask> * inVector) {
  const int levels = std::uniform_int_distribution<int>(0, 7)(ioRandom);
  std::vector<C::EField> codes;
  for (int level = 0; level < levels; ++level) {
    int code = std::uniform_int_distribution<int>(0, 7)(ioRandom);
    if (ioRandom() % 2) {
      code = -code;
    }
    codes.push_back(static_cast<C::EField>(code));
  }
  codes.resize(7, C::eNop);
  C comparator(codes[0], codes[1], codes[2], codes[3], codes[4], codes[5], codes[6], static_cast<std::int16_t>(levels));
  comparator.SetVector(inVector);
  return comparator;
}

// The keyed sort orders exactly as the comparator does, keeps ties in list order, and reports
// the first level at which neighbours differ.
TEST_F(STaskComparatorTest, SortMatchesTheComparator) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    TBroadcasterVector<STask> tasks;
    const std::size_t count = seed % 4 == 0 ? 50 : 300 + seed * 13;
    for (std::size_t i = 0; i < count; ++i) {
      tasks.push_back(RandomTask(random));
    }
    const C comparator = RandomComparator(random, &tasks);
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
}

// A level's key orders tasks as the comparison does wherever it claims to decide.
TEST_F(STaskComparatorTest, LevelKeysAgreeWithComparisons) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 random(seed);
    TBroadcasterVector<STask> tasks;
    for (int i = 0; i < 60; ++i) {
      tasks.push_back(RandomTask(random));
    }
    const C comparator = RandomComparator(random, &tasks);
    for (std::int16_t level = -1; level <= comparator.Levels(); ++level) {
      const int code = comparator.Field(level) < 0 ? -comparator.Field(level) : comparator.Field(level);
      std::uint64_t probe = 0;
      bool probeExact = false;
      const bool keyed = comparator.LevelKey(tasks[0], level, probe, probeExact);
      // Keys exist for the levels in use, except order in file.
      EXPECT_EQ(keyed, level >= 0 && level < comparator.Levels() && code != C::eOrderInFile) << "seed " << seed;
      if (!keyed) {
        continue;
      }
      for (std::uint32_t a = 0; a < tasks.size(); ++a) {
        for (std::uint32_t b = 0; b < tasks.size(); ++b) {
          std::uint64_t left = 0, right = 0;
          bool leftExact = false, rightExact = false;
          ASSERT_TRUE(comparator.LevelKey(tasks[a], level, left, leftExact));
          ASSERT_TRUE(comparator.LevelKey(tasks[b], level, right, rightExact));
          const int order = comparator.Compare(a, b, level);
          if (left != right) {
            ASSERT_EQ(order, left < right ? -1 : 1) << "seed " << seed << " level " << level << " " << a << "/" << b;
          } else {
            ASSERT_EQ(leftExact, rightExact);
            if (leftExact) {
              ASSERT_EQ(order, 0) << "seed " << seed << " level " << level << " " << a << "/" << b;
            }
          }
        }
      }
    }
  }
}

} // namespace
