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
    if (mHook) {
      mHook(inMessage);
    }
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

TEST(TBroadcaster, StoppingDropsMessagesButKeepsRegistrations) {
  Log log;
  Broadcaster broadcaster;
  LogListener a("a", log), b("b", log);
  broadcaster.AddListener(&a);
  broadcaster.AddListener(&b);

  broadcaster.StopBroadcasting();
  EXPECT_FALSE(broadcaster.IsBroadcasting());
  broadcaster.BroadcastMessage(1);
  broadcaster.StartBroadcasting();
  broadcaster.BroadcastMessage(2); // the dropped message is not replayed
  EXPECT_EQ(log, (Log{"a:2", "b:2"}));

  log.clear();
  a.StopListening();
  broadcaster.BroadcastMessage(3);
  EXPECT_EQ(log, (Log{"b:3"}));
  EXPECT_TRUE(broadcaster.IsListener(&a));
  a.StartListening();
  broadcaster.BroadcastMessage(4);
  EXPECT_EQ(log, (Log{"b:3", "a:4", "b:4"}));
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

TEST(TBroadcaster, ListenerAddedDuringDeliveryHearsOnlyLaterMessages) {
  Log log;
  Broadcaster broadcaster;
  LogListener a("a", log), late("late", log);
  broadcaster.AddListener(&a);
  a.mHook = [&](int) { broadcaster.AddListener(&late); };
  broadcaster.BroadcastMessage(1);
  broadcaster.BroadcastMessage(2);
  EXPECT_EQ(log, (Log{"a:1", "a:2", "late:2"}));
  EXPECT_EQ(broadcaster.CountListeners(), 2u);
}

TEST(TBroadcaster, NestedDeliveryWithRemovalKeepsOrder) {
  Log log;
  Broadcaster broadcaster;
  LogListener a("a", log), b("b", log), c("c", log);
  broadcaster.AddListener(&a);
  broadcaster.AddListener(&b);
  broadcaster.AddListener(&c);
  // on 1, a sends 2 from inside the delivery; b leaves while hearing 2
  a.mHook = [&](int m) { if (m == 1) broadcaster.BroadcastMessage(2); };
  b.mHook = [&](int m) { if (m == 2) broadcaster.RemoveListener(&b); };
  broadcaster.BroadcastMessage(1);
  EXPECT_EQ(log, (Log{"a:1", "a:2", "b:2", "c:2", "c:1"}));
  EXPECT_EQ(broadcaster.CountListeners(), 2u);
  // re-adding after the holes were closed registers it at the end
  broadcaster.AddListener(&b);
  log.clear();
  a.mHook = nullptr;
  broadcaster.BroadcastMessage(3);
  EXPECT_EQ(log, (Log{"a:3", "c:3", "b:3"}));
}

TEST(TBroadcaster, BroadcasterDestroyedByItsListenerStopsDelivering) {
  Log log;
  auto broadcaster = std::make_unique<Broadcaster>();
  LogListener a("a", log), b("b", log), c("c", log);
  broadcaster->AddListener(&a);
  broadcaster->AddListener(&b);
  broadcaster->AddListener(&c);
  b.mHook = [&](int) { broadcaster.reset(); };
  broadcaster->BroadcastMessage(1);
  EXPECT_EQ(log, (Log{"a:1", "b:1"}));
  EXPECT_TRUE(a.GetBroadcasters().empty());
  EXPECT_TRUE(b.GetBroadcasters().empty());
  EXPECT_TRUE(c.GetBroadcasters().empty());
}

TEST(TBroadcaster, CopiesDoNotShareRegistrations) {
  Log log;
  Broadcaster original;
  LogListener a("a", log);
  original.AddListener(&a);
  {
    Broadcaster copy(original);
    EXPECT_EQ(copy.CountListeners(), 0u);
    copy = original;
    EXPECT_EQ(copy.CountListeners(), 0u);
    copy.BroadcastMessage(1);
    LogListener copied(a);
    EXPECT_TRUE(copied.GetBroadcasters().empty());
    original.BroadcastMessage(2);
  }
  EXPECT_EQ(log, (Log{"a:2"}));
  EXPECT_EQ(a.GetBroadcasters().size(), 1u);
}

} // namespace
