// Tests of the broadcasting vector: the messages of every operation, in order, what listeners
// can read while hearing them, and that no change can bypass them.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/vectors/MessageRecorder.h"
#include "vectors/TBroadcasterVector.h"

namespace {

using Vector = TBroadcasterVector<int>;
using Message = TVectorMessage<int>;
using Recorder = testsupport::MessageRecorder<int>;
using Messages = std::vector<Message>;
constexpr auto eInsert = Message::eInsert;
constexpr auto eDelete = Message::eDelete;
constexpr auto eChange = Message::eChange;
constexpr auto eNotice = Message::eNotice;

Message M(Message::ECode inCode, unsigned inBegin, unsigned inEnd) { return Message(inCode, inBegin, inEnd); }

std::vector<int> Contents(const Vector & inVector) { return std::vector<int>(inVector.begin(), inVector.end()); }

// Only reading is possible from outside.
template <class V> concept CanPopBack = requires(V & v) { v.pop_back(); };
template <class V> concept CanResize = requires(V & v) { v.resize(3); };
template <class V> concept CanEmplace = requires(V & v) { v.emplace_back(1); };
template <class V> concept CanWriteAt = requires(V & v) { v.at(0) = 1; };
template <class V> concept CanWriteIndex = requires(V & v) { v[0] = 1; };
template <class V> concept CanWriteThroughIterator = requires(V & v) { *v.begin() = 1; };
template <class V> concept CanAssignList = requires(V & v) { v.assign(2, 1); };
static_assert(CanPopBack<std::vector<int>> && CanResize<std::vector<int>> && CanEmplace<std::vector<int>> &&
              CanWriteAt<std::vector<int>> && CanWriteIndex<std::vector<int>> &&
              CanWriteThroughIterator<std::vector<int>> && CanAssignList<std::vector<int>>);
static_assert(!CanPopBack<Vector> && !CanResize<Vector> && !CanEmplace<Vector> && !CanWriteAt<Vector> &&
              !CanWriteIndex<Vector> && !CanWriteThroughIterator<Vector> && !CanAssignList<Vector>);
static_assert(!std::is_convertible_v<Vector &, std::vector<int> &>);

TEST(TBroadcasterVector, EachOperationSendsItsMessagesInOrder) {
  Vector vector;
  Recorder recorder;
  vector.AddListener(&recorder);

  vector.push_back(10);
  vector.push_back(11);
  const int twelve = 12;
  vector.push_back(twelve);
  EXPECT_EQ(recorder.mMessages, (Messages{M(eInsert, 0, 1), M(eInsert, 1, 2), M(eInsert, 2, 3)}));

  recorder.mMessages.clear();
  vector.set(&vector.at(1), 21);
  vector.set(2u, 22);
  EXPECT_EQ(recorder.mMessages, (Messages{M(eNotice, 1, 2), M(eChange, 1, 2), M(eNotice, 2, 3), M(eChange, 2, 3)}));
  EXPECT_EQ(Contents(vector), (std::vector<int>{10, 21, 22}));

  recorder.mMessages.clear();
  vector.insert(1u, 5);
  const std::vector<int> more{6, 7};
  vector.insert(4u, more.begin(), more.end());
  std::vector<int> moved{8, 9};
  vector.append(std::move(moved));
  EXPECT_EQ(recorder.mMessages, (Messages{M(eInsert, 1, 2), M(eInsert, 4, 6), M(eInsert, 6, 8)}));
  EXPECT_EQ(Contents(vector), (std::vector<int>{10, 5, 21, 22, 6, 7, 8, 9}));
  EXPECT_TRUE(moved.empty());

  recorder.mMessages.clear();
  vector.erase(1, 3);
  vector.erase(2, 2);
  vector.erase(4, 6);
  EXPECT_EQ(recorder.mMessages, (Messages{M(eNotice, 1, 3), M(eDelete, 1, 3), M(eNotice, 2, 2), M(eDelete, 2, 2),
                                          M(eNotice, 4, 6), M(eDelete, 4, 6)}));
  EXPECT_EQ(Contents(vector), (std::vector<int>{10, 22, 6, 7}));

  recorder.mMessages.clear();
  Vector other;
  other.push_back(1);
  other.push_back(2);
  vector = other;
  EXPECT_EQ(recorder.mMessages, (Messages{M(eNotice, 0, 4), M(eDelete, 0, 4), M(eInsert, 0, 2)}));
  EXPECT_EQ(Contents(vector), (std::vector<int>{1, 2}));
  EXPECT_EQ(other.CountListeners(), 0u); // listeners are not copied
  Vector copy(vector);
  EXPECT_EQ(Contents(copy), (std::vector<int>{1, 2}));
  EXPECT_EQ(copy.CountListeners(), 0u);

  recorder.mMessages.clear();
  vector = vector;
  EXPECT_EQ(recorder.mMessages, (Messages{M(eNotice, 0, 2), M(eDelete, 0, 2), M(eInsert, 0, 2)}));
  EXPECT_EQ(Contents(vector), (std::vector<int>{1, 2}));

  recorder.mMessages.clear();
  vector.clear();
  vector.clear();
  EXPECT_EQ(recorder.mMessages, (Messages{M(eNotice, 0, 2), M(eDelete, 0, 2), M(eNotice, 0, 0), M(eDelete, 0, 0)}));
  EXPECT_TRUE(vector.empty());
}

TEST(TBroadcasterVector, BadPositionsThrowAndSendNothing) {
  Vector vector;
  vector.push_back(1);
  vector.push_back(2);
  Recorder recorder;
  vector.AddListener(&recorder);
  const int outsider = 5;
  EXPECT_THROW(vector.set(2u, 0), std::out_of_range);
  EXPECT_THROW(vector.set(&outsider, 0), std::out_of_range);
  EXPECT_THROW(vector.set(vector.data() + 2, 0), std::out_of_range);
  EXPECT_THROW(vector.erase(1, 3), std::out_of_range);
  EXPECT_THROW(vector.erase(2, 1), std::out_of_range);
  EXPECT_THROW(vector.insert(3u, 0), std::out_of_range);
  EXPECT_THROW(static_cast<void>(vector.at(2)), std::out_of_range);
  EXPECT_TRUE(recorder.mMessages.empty());
  EXPECT_EQ(Contents(vector), (std::vector<int>{1, 2}));
  vector.insert(2u, 3); // inserting at the end is allowed
  EXPECT_EQ(Contents(vector), (std::vector<int>{1, 2, 3}));
}

// An element whose assignment fails on demand.
struct Fragile {
  int mValue = 0;
  bool mFailOnAssign = false;
  Fragile(int inValue = 0, bool inFail = false) : mValue(inValue), mFailOnAssign(inFail) {}
  Fragile(const Fragile & inOther) : mValue(inOther.mValue), mFailOnAssign(false) {
    if (inOther.mFailOnAssign && inOther.mValue < 0)
      throw std::runtime_error("copy failed");
  }
  Fragile & operator=(const Fragile & inOther) {
    if (inOther.mFailOnAssign)
      throw std::runtime_error("assignment failed");
    mValue = inOther.mValue;
    return *this;
  }
};

TEST(TBroadcasterVector, FailedReplacementKeepsNoticesPaired) {
  TBroadcasterVector<Fragile> vector;
  vector.push_back(Fragile(1));
  testsupport::MessageRecorder<Fragile> recorder;
  vector.AddListener(&recorder);
  EXPECT_THROW(vector.set(0u, Fragile(2, true)), std::runtime_error);
  using FM = TVectorMessage<Fragile>;
  EXPECT_EQ(recorder.mMessages, (std::vector<FM>{FM(FM::eNotice, 0, 1), FM(FM::eChange, 0, 1)}));
  EXPECT_EQ(vector.at(0).mValue, 1);

  // a copy that fails during assignment of a whole vector changes nothing and says nothing
  recorder.mMessages.clear();
  TBroadcasterVector<Fragile> source;
  source.StopBroadcasting();
  source.push_back(Fragile(3));
  source.push_back(Fragile(-1));
  // make the second element's copy fail
  const_cast<Fragile &>(source.at(1)).mFailOnAssign = true;
  EXPECT_THROW(vector = source, std::runtime_error);
  EXPECT_TRUE(recorder.mMessages.empty());
  EXPECT_EQ(vector.size(), 1u);
}

} // namespace
