// Tests of copying the elements of a map that pass a filter into another vector.
#include <gtest/gtest.h>

#include <vector>

#include "core/vectors/MessageRecorder.h"
#include "vectors/TBroadcasterVector.h"
#include "vectors/TFilter.h"
#include "vectors/TVectorMap.h"
#include "vectors/TVectorMapFilter.h"

namespace {

using Vector = TBroadcasterVector<int>;
using Message = TVectorMessage<int>;

class Nothing : public TFilter<int> {
public:
  bool operator()(const int &) override {
    ++mCalls;
    return false;
  }
  int mCalls = 0;
};

class Even : public TFilter<int> {
public:
  bool operator()(const int & inValue) override {
    mSeen.push_back(inValue);
    return inValue % 2 == 0;
  }
  std::vector<int> mSeen;
};

std::vector<int> Contents(const Vector & inVector) { return std::vector<int>(inVector.begin(), inVector.end()); }

TEST(TVectorMapFilter, CopiesAcceptedElementsInMapOrder) {
  Vector source;
  for (int value : {1, 2, 3, 4, 5, 6}) {
    source.push_back(value);
  }
  TVectorMap<int> map(source, false);
  map.assign({5, 0, 3, 1, 4}); // 6 1 4 2 5, element 3 left out
  Vector target;
  target.push_back(100);
  testsupport::MessageRecorder<int> targetRecorder, sourceRecorder;
  target.AddListener(&targetRecorder);
  source.AddListener(&sourceRecorder);

  Nothing nothing;
  TVectorMapFilter<int>(map, target, &nothing)();
  EXPECT_EQ(nothing.mCalls, 5);
  EXPECT_TRUE(targetRecorder.mMessages.empty());
  EXPECT_EQ(Contents(target), (std::vector<int>{100}));

  Even even;
  TVectorMapFilter<int>(map, target, &even)();
  EXPECT_EQ(even.mSeen, (std::vector<int>{6, 1, 4, 2, 5}));
  EXPECT_EQ(Contents(target), (std::vector<int>{100, 6, 4, 2}));
  EXPECT_EQ(targetRecorder.mMessages,
            (std::vector<Message>{Message(Message::eInsert, 1, 2), Message(Message::eInsert, 2, 3),
                                  Message(Message::eInsert, 3, 4)}));

  TFilter<int> everything;
  Vector all;
  TVectorMapFilter<int>(map, all, &everything)();
  EXPECT_EQ(Contents(all), (std::vector<int>{6, 1, 4, 2, 5}));
  Vector unfiltered;
  TVectorMapFilter<int>(map, unfiltered, nullptr)();
  EXPECT_EQ(Contents(unfiltered), (std::vector<int>{6, 1, 4, 2, 5}));

  EXPECT_TRUE(sourceRecorder.mMessages.empty());
  EXPECT_EQ(Contents(source), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(TVectorMapFilter, FilteringAVectorIntoItselfCopiesEachEntryOnce) {
  Vector vector;
  for (int value : {1, 2, 3, 4}) {
    vector.push_back(value);
  }
  TVectorMap<int> map(vector, true);
  Even even;
  TVectorMapFilter<int>(map, vector, &even)();
  EXPECT_EQ(even.mSeen, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(Contents(vector), (std::vector<int>{1, 2, 3, 4, 2, 4}));
  EXPECT_EQ(map.size(), 6u);
}

} // namespace
