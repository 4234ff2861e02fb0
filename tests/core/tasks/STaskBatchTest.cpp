// Batches of entries inserted at or removed from scattered places of the task vector, as
// undo and redo make them: one message per batch, which every follower (total, index map,
// grouped tree) must read as the same change made entry by entry.
#include "TaskTreeChecks.h"

#include "dates/STypedValue.h"
#include "tasks/STaskVector.h"
#include "tasks/STaskVectorMap.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using namespace tasktree;

class Counter : public TVectorListener<STask> {
public:
  void ListenToMessage(TVectorMessage<STask>) override { ++mCount; }
  int mCount = 0;
};

TEST(STaskBatch, RandomBatchesAgreeWithAPlainModel) {
  testsupport::ScopedTimeZone zone("Europe/Berlin");
  std::mt19937 random(2026);
  auto below = [&](std::size_t inLimit) { return std::uniform_int_distribution<std::size_t>(0, inLimit - 1)(random); };
  const char * who[] = {"AB", "ab", "CD", "", "EFGH"};
  int serial = 0;
  auto task = [&]() {
    return Line("03/0" + std::to_string(1 + below(3)) + "/2026", std::to_string(below(3)) + ":30", who[below(5)],
                std::to_string(10 + below(4)), "A", "n" + std::to_string(serial++));
  };
  STaskVector tasks;
  std::vector<std::string> model;
  for (int i = 0; i < 60; ++i) {
    tasks.push_back(task());
    model.push_back(tasks.back());
  }
  STaskVectorMap map(tasks);
  std::reverse(map.begin(), map.end()); // a "sorted" map keeps its order across batches
  Tree tree(tasks);
  Populator populator(&tree, tasks, Levels(&tasks, {C::eWhoCode, C::eNotJobNumber}));
  Counter counter;
  tasks.AddListener(&counter);
  for (int step = 0; step < 300; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    std::vector<std::uint32_t> indices;
    const bool insert = model.size() < 20 || below(2) == 0;
    const std::size_t limit = insert ? model.size() + 8 : model.size();
    for (std::size_t i = 0; i < limit; ++i) {
      if (below(4) == 0 && (!insert || indices.size() < 8))
        indices.push_back(static_cast<std::uint32_t>(i));
    }
    if (insert) {
      indices.resize(std::min<std::size_t>(indices.size(), 8));
      // Only the indices the grown vector has are valid: keep them below its size.
      while (!indices.empty() && indices.back() >= model.size() + indices.size())
        indices.pop_back();
    }
    if (indices.empty())
      continue;
    std::vector<std::string> before(map.size());
    std::transform(map.begin(), map.end(), before.begin(), [&](std::uint32_t i) { return model[i]; });
    const int messages = counter.mCount;
    if (insert) {
      std::vector<STask> added;
      for (const std::uint32_t index : indices) {
        added.push_back(task());
        model.insert(model.begin() + index, added.back());
      }
      tasks.insert_scattered(indices, added);
      ASSERT_EQ(counter.mCount, messages + 1);
      // The map keeps the old order and appends the new entries in vector order.
      before.insert(before.end(), added.begin(), added.end());
    } else {
      for (auto it = indices.rbegin(); it != indices.rend(); ++it) {
        std::erase(before, model[*it]);
        model.erase(model.begin() + *it);
      }
      tasks.erase_scattered(indices);
      ASSERT_EQ(counter.mCount, messages + 2); // notice, delete
    }
    ASSERT_EQ(std::vector<std::string>(tasks.begin(), tasks.end()), model);
    std::vector<std::string> mapped(map.size());
    std::transform(map.begin(), map.end(), mapped.begin(), [&](std::uint32_t i) { return std::string(tasks.at(i)); });
    ASSERT_EQ(mapped, before);
    ASSERT_EQ(Check(tree, tasks, populator.Comparator()), "") << Dump(tree);
    ASSERT_TRUE(tree.Branches().empty() || tree.Branches()[0].Group().Duration() == tasks.GetDuration());
  }
  tasks.RemoveListener(&counter);
}

TEST(STypedValue, DatesAndDurationsAUserMayType) {
  testsupport::ScopedTimeZone zone("America/New_York");
  using F = SDateFormat;
  struct Case { const char * mText; F::EFormat mOrder; bool mDate, mDuration; };
  const Case cases[] = {
      {"12/25/2012", F::eMDY, true, false}, {"25/12/2012", F::eMDY, false, false}, {"25/12/2012", F::eDMY, true, false},
      {"2012/12/25", F::eYMD, true, false}, {"13/45/2026", F::eMDY, false, false}, {"2/29/2024", F::eMDY, true, false},
      {"2/29/2023", F::eMDY, false, false}, {" 3/4/12 ", F::eMDY, true, false},    {"12/25", F::eMDY, true, false},
      {"31/4", F::eDMY, false, false},      {"1/2/123", F::eMDY, false, false},    {"0/1/2026", F::eMDY, false, false},
      {"1/1/1969", F::eMDY, false, false},  {"", F::eMDY, false, false},           {"garbage", F::eMDY, false, false},
      {"1//2026", F::eMDY, false, false},   {"1:30", F::eMDY, false, true},        {"1:30:15", F::eMDY, false, true},
      {"8", F::eMDY, true, true},           {"1.5", F::eMDY, false, true},         {".25", F::eMDY, false, true},
      {"0:90", F::eMDY, false, true},       {"abc", F::eMDY, false, false},        {"1:2:3:4", F::eMDY, false, false},
      {"1.5.3", F::eMDY, false, false},     {"1193046:28:15", F::eMDY, false, true}, {"-1", F::eMDY, false, false},
      {"1193046:28:16", F::eMDY, false, false}};
  for (const Case & c : cases) {
    SCOPED_TRACE(c.mText);
    EXPECT_EQ(STypedValue::IsDate(c.mText, F(c.mOrder)), c.mDate);
    EXPECT_EQ(STypedValue::IsDuration(c.mText), c.mDuration);
  }
}

} // namespace
