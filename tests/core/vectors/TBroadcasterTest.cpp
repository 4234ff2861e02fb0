// Tests of the observer pair: mutual registration, delivery order, and changes of the
// registration while a message is being delivered.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vectors/TBroadcaster.h"
#include "vectors/TListener.h"

namespace {

using Broadcaster = TBroadcaster<int>;

// Appends "name:message" to a shared log and runs an optional hook.
class LogListener : public TListener<int> {
public:
  LogListener(std::string inName, std::vector<std::string> & inLog) : mName(std::move(inName)), mLog(inLog) {}
  void ListenToMessage(int inMessage) override {
    mLog.push_back(mName + ":" + std::to_string(inMessage));
    if (mHook)
      mHook(inMessage);
  }
  std::string mName;
  std::vector<std::string> & mLog;
  std::function<void(int)> mHook;
};

using Log = std::vector<std::string>;

TEST(TBroadcaster, DeliversInOrderOfRegistrationOncePerListener) {
  Log log;
  Broadcaster broadcaster;
  LogListener a("a", log), b("b", log), c("c", log);
  broadcaster.AddListener(&b);
  broadcaster.AddListener(&a);
  broadcaster.AddListener(&c);
  broadcaster.AddListener(&b); // already registered: ignored
  broadcaster.AddListener(nullptr);
  EXPECT_EQ(broadcaster.CountListeners(), 3u);
  EXPECT_EQ(b.GetBroadcasters().size(), 1u);

  broadcaster.BroadcastMessage(7);
  EXPECT_EQ(log, (Log{"b:7", "a:7", "c:7"}));

  broadcaster.RemoveListener(&a);
  broadcaster.RemoveListener(&a); // unknown now: ignored
  EXPECT_TRUE(a.GetBroadcasters().empty());
  log.clear();
  broadcaster.BroadcastMessage(8);
  EXPECT_EQ(log, (Log{"b:8", "c:8"}));
}

TEST(TBroadcaster, EitherSideMayDieFirst) {
  Log log;
  auto listener = std::make_unique<LogListener>("l", log);
  auto keeper = std::make_unique<LogListener>("k", log);
  {
    Broadcaster first, second;
    first.AddListener(listener.get());
    second.AddListener(listener.get());
    first.AddListener(keeper.get());
    EXPECT_EQ(listener->GetBroadcasters().size(), 2u);

    listener.reset(); // listener first: both broadcasters forget it
    EXPECT_TRUE(first.IsListener(keeper.get()));
    EXPECT_EQ(first.CountListeners(), 1u);
    EXPECT_EQ(second.CountListeners(), 0u);
    first.BroadcastMessage(5);
    second.BroadcastMessage(6);
    EXPECT_EQ(log, (Log{"k:5"}));
  }
  // broadcasters first: the survivor holds no dangling entry
  EXPECT_TRUE(keeper->GetBroadcasters().empty());
}

TEST(TBroadcaster, ListenerMayLeaveOrDieDuringDelivery) {
  Log log;
  Broadcaster broadcaster;
  LogListener a("a", log), c("c", log);
  auto b = std::make_unique<LogListener>("b", log);
  auto d = std::make_unique<LogListener>("d", log);
  broadcaster.AddListener(&a);
  broadcaster.AddListener(b.get());
  broadcaster.AddListener(&c);
  broadcaster.AddListener(d.get());

  // a removes itself, b destroys itself, c destroys d before d's turn
  a.mHook = [&](int) { broadcaster.RemoveListener(&a); };
  b->mHook = [&](int) { b.reset(); };
  c.mHook = [&](int) { d.reset(); };
  broadcaster.BroadcastMessage(1);
  EXPECT_EQ(log, (Log{"a:1", "b:1", "c:1"}));
  EXPECT_EQ(broadcaster.CountListeners(), 1u);
  EXPECT_TRUE(a.GetBroadcasters().empty());

  log.clear();
  c.mHook = nullptr;
  broadcaster.BroadcastMessage(2);
  EXPECT_EQ(log, (Log{"c:2"}));
}

} // namespace
