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
  for (int value : {1, 2, 3, 4, 5, 6})
    source.push_back(value);
  TVectorMap<int> map(source, false);
  map.assign({5, 0, 3, 1, 4}); // 6 1 4 2 5, element 3 left out
  Vector target;
  target.push_back(100);
  testsupport::MessageRecorder<int> targetRecorder, sourceRecorder;
  target.AddListener(&targetRecorder);
  source.AddListener(&sourceRecorder);
  Even even;
  TVectorMapFilter<int>(map, target, &even)();
  EXPECT_EQ(even.mSeen, (std::vector<int>{6, 1, 4, 2, 5}));
  EXPECT_EQ(Contents(target), (std::vector<int>{100, 6, 4, 2}));
  EXPECT_EQ(targetRecorder.mMessages, (std::vector<Message>{Message(Message::eInsert, 1, 2), Message(Message::eInsert, 2, 3),
                                                            Message(Message::eInsert, 3, 4)}));
  // No filter, or one that takes everything, copies the whole map.
  TFilter<int> everything;
  Vector all, unfiltered;
  TVectorMapFilter<int>(map, all, &everything)();
  TVectorMapFilter<int>(map, unfiltered, nullptr)();
  EXPECT_EQ(Contents(all), (std::vector<int>{6, 1, 4, 2, 5}));
  EXPECT_EQ(Contents(unfiltered), Contents(all));
  EXPECT_TRUE(sourceRecorder.mMessages.empty());
  // Filtering a vector into itself copies each entry once.
  Even again;
  TVectorMap<int> whole(source, true);
  TVectorMapFilter<int>(whole, source, &again)();
  EXPECT_EQ(again.mSeen, (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Contents(source), (std::vector<int>{1, 2, 3, 4, 5, 6, 2, 4, 6}));
  EXPECT_EQ(whole.size(), 9u);
}

} // namespace
