// Tests of the task vector's duration total, its listeners, maps and the map filter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/vectors/MessageRecorder.h"
#include "dates/SDateFormat.h"
#include "vectors/TFilter.h"
#include "support/TestSupport.h"
#include "tasks/STask.h"
#include "tasks/STaskVector.h"
#include "tasks/STaskVectorListener.h"
#include "tasks/STaskVectorMap.h"
#include "tasks/STaskVectorMapFilter.h"

namespace {

using Message = TVectorMessage<STask>;

// A task of the given duration in minutes, told apart by its description.
STask Task(unsigned inMinutes, const std::string & inDescription = "work") {
  const std::string line = "03/04/2012\t" + std::to_string(inMinutes / 60) + ":" +
                           (inMinutes % 60 < 10 ? "0" : "") + std::to_string(inMinutes % 60) +
                           "\tJD\t1001\tA\t" + inDescription;
  return STask(SDateFormat(SDateFormat::eMDY), line.data(), static_cast<unsigned int>(line.size()));
}

unsigned long Sum(const STaskVector & inVector) {
  std::uint64_t sum = 0;
  for (const STask & task : inVector) {
    sum += static_cast<unsigned long>(task.GetDuration());
  }
  return static_cast<unsigned long>(std::min<std::uint64_t>(sum, UINT32_MAX));
}

unsigned long Total(const STaskVector & inVector) { return static_cast<unsigned long>(inVector.GetDuration()); }

class STaskVectorTest : public ::testing::Test {
protected:
  testsupport::ScopedTimeZone mZone{"America/New_York"};
};

TEST_F(STaskVectorTest, TotalFollowsEveryOperation) {
  STaskVector vector;
  EXPECT_EQ(Total(vector), 0u);
  ASSERT_EQ(static_cast<unsigned long>(Task(90).GetDuration()), 5400u);

  vector.push_back(Task(60));
  vector.push_back(Task(30));
  EXPECT_EQ(Total(vector), 5400u);

  vector.set(&vector.at(0), Task(150)); // 1:00 becomes 2:30
  EXPECT_EQ(Total(vector), 5400u + 5400u);
  vector.set(1u, Task(0));
  EXPECT_EQ(Total(vector), 9000u);

  vector.insert(1u, Task(15));
  vector.push_back(Task(45));
  EXPECT_EQ(Total(vector), 9000u + 900u + 2700u);
  vector.erase(0, 2);
  EXPECT_EQ(Total(vector), 2700u);

  STaskVector other;
  other.push_back(Task(1));
  other.push_back(Task(2));
  vector = other;
  EXPECT_EQ(Total(vector), 180u);
  EXPECT_EQ(Total(other), 180u);
  vector = vector;
  EXPECT_EQ(Total(vector), 180u);

  STaskVector copy(vector);
  EXPECT_EQ(Total(copy), 180u);
  copy.push_back(Task(10)); // the copy keeps its own total
  EXPECT_EQ(Total(copy), 780u);
  EXPECT_EQ(Total(vector), 180u);

  STaskVectorMap map(vector);
  vector.clear();
  EXPECT_EQ(Total(vector), 0u);
  EXPECT_TRUE(map.empty());
}

TEST_F(STaskVectorTest, OtherListenersSeeTheTotalAlreadyUpdated) {
  STaskVector vector;
  testsupport::MessageRecorder<STask> recorder;
  vector.AddListener(&recorder);
  std::vector<unsigned long> totals;
  recorder.mHook = [&](const Message &) { totals.push_back(Total(vector)); };
  vector.push_back(Task(60));  // insert: 3600
  vector.set(0u, Task(120));   // notice: 0, change: 7200
  vector.push_back(Task(1));   // insert: 7260
  vector.clear();              // notice: 0, delete: 0
  EXPECT_EQ(totals, (std::vector<unsigned long>{3600, 0, 7200, 7260, 0, 0}));
}

TEST_F(STaskVectorTest, DestructionAnnouncesTasksWhileTheTotalIsStillKept) {
  testsupport::MessageRecorder<STask> recorder;
  std::vector<unsigned long> totals;
  auto vector = std::make_unique<STaskVector>();
  vector->push_back(Task(60));
  vector->push_back(Task(60));
  STaskVectorMap map(*vector);
  vector->AddListener(&recorder);
  const STaskVector * dying = vector.get(); // reset() forgets the pointer before deleting
  recorder.mHook = [&](const Message &) { totals.push_back(Total(*dying)); };
  vector.reset();
  EXPECT_EQ(recorder.mMessages, (std::vector<Message>{Message(Message::eNotice, 0, 2), Message(Message::eDelete, 0, 2)}));
  EXPECT_EQ(totals, (std::vector<unsigned long>{0, 0}));
  EXPECT_TRUE(map.empty());
  EXPECT_TRUE(map.GetBroadcasters().empty());
  EXPECT_TRUE(recorder.GetBroadcasters().empty());
}

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
      case 1:
        vector.push_back(task());
        break;
      case 2:
        vector.insert(random() % (size + 1), task());
        break;
      case 3:
        if (size > 0) {
          vector.set(random() % size, task());
        }
        break;
      case 4:
        if (!map.empty()) {
          map.set(static_cast<unsigned>(random() % map.size()), task());
        }
        break;
      case 5: {
        const unsigned begin = random() % (size + 1);
        vector.erase(begin, begin + random() % (size - begin + 1));
        break;
      }
      case 6: {
        STaskVector other;
        for (unsigned i = 0, n = random() % 6; i < n; ++i) {
          other.push_back(task());
        }
        vector = other;
        break;
      }
      case 7:
        if (random() % 4 == 0) {
          vector.clear();
        }
        break;
      }
      ASSERT_EQ(Total(vector), Sum(vector)) << "step " << step;
      ASSERT_EQ(map.size(), vector.size()) << "step " << step;
    }
  }
}

// Records which of the four operations heard what.
class DispatchRecorder : public STaskVectorListener {
public:
  void ListenToInsertMessage(Message inMessage) override { Note("insert", inMessage); }
  void ListenToDeleteMessage(Message inMessage) override { Note("delete", inMessage); }
  void ListenToChangeMessage(Message inMessage) override { Note("change", inMessage); }
  void ListenToNoticeMessage(Message inMessage) override { Note("notice", inMessage); }
  std::vector<std::string> mHeard;

private:
  void Note(const char * inWhat, Message inMessage) {
    mHeard.push_back(std::string(inWhat) + std::to_string(inMessage.begin_index()) + "-" +
                     std::to_string(inMessage.end_index()) + ":" + std::to_string(inMessage.code()));
  }
};

TEST_F(STaskVectorTest, ListenerDispatchesByCode) {
  STaskVector vector;
  DispatchRecorder recorder;
  STaskVectorListener quiet; // the base operations do nothing
  vector.AddListener(&recorder);
  vector.AddListener(&quiet);
  vector.push_back(Task(1));
  vector.set(0u, Task(2));
  vector.erase(0, 1);
  EXPECT_EQ(recorder.mHeard,
            (std::vector<std::string>{"insert0-1:0", "notice0-1:3", "change0-1:2", "notice0-1:3", "delete0-1:1"}));
}

class LongerThan : public TFilter<STask> {
public:
  explicit LongerThan(unsigned long inSeconds) : mSeconds(inSeconds) {}
  bool operator()(const STask & inTask) override { return static_cast<unsigned long>(inTask.GetDuration()) > mSeconds; }
  unsigned long mSeconds;
};

TEST_F(STaskVectorTest, MapStartsFullAndFilterCopiesInMapOrder) {
  STaskVector source;
  for (unsigned minutes : {10u, 90u, 120u, 5u}) {
    source.push_back(Task(minutes, std::to_string(minutes)));
  }
  STaskVectorMap map(source);
  ASSERT_EQ(std::vector<std::uint32_t>(map.begin(), map.end()), (std::vector<std::uint32_t>{0, 1, 2, 3}));
  std::reverse(map.begin(), map.end());

  STaskVector target;
  LongerThan longer(3600);
  STaskVectorMapFilter(map, target, &longer)();
  ASSERT_EQ(target.size(), 2u);
  EXPECT_EQ(static_cast<const std::string &>(target.at(0)), static_cast<const std::string &>(source.at(2)));
  EXPECT_EQ(static_cast<const std::string &>(target.at(1)), static_cast<const std::string &>(source.at(1)));
  EXPECT_EQ(Total(target), 7200u + 5400u);
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
