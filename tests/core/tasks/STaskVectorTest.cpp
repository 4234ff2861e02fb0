// The task vector's duration total through every change, beyond 32 bits too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "dates/SDateFormat.h"
#include "support/TestSupport.h"
#include "tasks/STask.h"
#include "tasks/STaskVector.h"
#include "tasks/STaskVectorMap.h"

namespace {

// A task of the given duration in minutes, told apart by its description.
STask Task(unsigned inMinutes, const std::string & inDescription = "work") {
  const std::string line = "03/04/2012\t" + std::to_string(inMinutes / 60) + ":" + (inMinutes % 60 < 10 ? "0" : "") +
                           std::to_string(inMinutes % 60) + "\tJD\t1001\tA\t" + inDescription;
  return STask(SDateFormat(SDateFormat::eMDY), line.data(), static_cast<unsigned int>(line.size()));
}

unsigned long Sum(const STaskVector & inVector) {
  std::uint64_t sum = 0;
  for (const STask & task : inVector)
    sum += static_cast<unsigned long>(task.GetDuration());
  return static_cast<unsigned long>(std::min<std::uint64_t>(sum, UINT32_MAX));
}

unsigned long Total(const STaskVector & inVector) { return static_cast<unsigned long>(inVector.GetDuration()); }

class STaskVectorTest : public ::testing::Test {
protected:
  testsupport::ScopedTimeZone mZone{"America/New_York"};
};

TEST_F(STaskVectorTest, RandomizedTotalsEqualTheRecomputedSum) {
  for (unsigned seed = 1; seed <= 10; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    STaskVector vector;
    STaskVectorMap map(vector);
    auto task = [&] { return Task(random() % 1000); };
    for (int step = 0; step < 300; ++step) {
      const auto size = static_cast<unsigned>(vector.size());
      switch (random() % 8) {
      case 0:
      case 1: vector.push_back(task()); break;
      case 2: vector.insert(random() % (size + 1), task()); break;
      case 3:
        if (size > 0)
          vector.set(random() % size, task());
        break;
      case 4:
        if (!map.empty())
          map.set(static_cast<unsigned>(random() % map.size()), task());
        break;
      case 5: {
        const unsigned begin = random() % (size + 1);
        vector.erase(begin, begin + random() % (size - begin + 1));
        break;
      }
      case 6: {
        STaskVector other;
        for (unsigned i = 0, n = random() % 6; i < n; ++i)
          other.push_back(task());
        vector = other;
        break;
      }
      case 7:
        if (random() % 4 == 0)
          vector.clear();
        break;
      }
      ASSERT_EQ(Total(vector), Sum(vector)) << "step " << step;
      ASSERT_EQ(map.size(), vector.size()) << "step " << step;
    }
  }
}

// A load makes room piece by piece from an estimate that may fall short: the first room is
// exact, and later shortfalls must not move the whole vector once per piece.
TEST_F(STaskVectorTest, RoomMadePieceByPieceGrowsGeometrically) {
  STaskVector vector;
  vector.MakeRoomFor(37);
  EXPECT_EQ(vector.capacity(), 37U);
  int moves = 0;
  for (int piece = 0; piece < 500; ++piece) {
    const STask * const before = vector.data();
    vector.MakeRoomFor(10);
    ASSERT_GE(vector.capacity(), vector.size() + 10);
    moves += vector.data() != before ? 1 : 0;
    for (int task = 0; task < 10; ++task)
      vector.push_back(Task(1));
  }
  EXPECT_LE(moves, 20);
  EXPECT_EQ(Total(vector), 5000UL * 60);
}

} // namespace

TEST_F(STaskVectorTest, TotalsBeyondThirtyTwoBitsStayExactAndReadAsTheLargestDuration) {
  // 1111111:06:40 is 4,000,000,000 seconds: three of them pass what 32 bits hold.
  const std::string line = "03/04/2012\t1111111:06:40\tJD\t1001\tA\tlong";
  const STask big(SDateFormat(SDateFormat::eMDY), line.data(), static_cast<unsigned int>(line.size()));
  ASSERT_EQ(static_cast<unsigned long>(big.GetDuration()), 4000000000ul);

  STaskVector vector;
  vector.push_back(big);
  vector.push_back(big);
  vector.push_back(Task(60));
  EXPECT_EQ(vector.GetTotalSeconds(), 8000003600u);
  EXPECT_EQ(Total(vector), 4294967295ul);
  vector.set(1u, Task(30)); // the total falls back below the limit and is exact again
  EXPECT_EQ(vector.GetTotalSeconds(), 4000005400u);
  EXPECT_EQ(Total(vector), 4000005400ul);
  vector.clear();
  EXPECT_EQ(vector.GetTotalSeconds(), 0u);
}
