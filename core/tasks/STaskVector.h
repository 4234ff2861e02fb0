// The tasks of a time sheet, in file order, with the running total of their durations.
#pragma once

#include <cstdint>

#include "dates/STime.h"
#include "vectors/TBroadcasterVector.h"
#include "vectors/TVectorListener.h"
#include "vectors/TVectorMessage.h"
#include "tasks/STask.h"

/// A broadcasting vector of tasks that is its own first listener, so that its duration total
/// is already up to date when any other listener hears of a change.
class STaskVector : public TBroadcasterVector<STask>, public TVectorListener<STask> {
public:
  /// An empty vector with a total of 0.
  STaskVector();
  /// A vector with the same tasks and total, and no other listeners.
  STaskVector(const STaskVector & inOther);
  /// Replaces the tasks (announced as for the broadcasting vector); listeners stay.
  STaskVector & operator=(const STaskVector & inOther);
  /// Announces the removal of all tasks while the total is still kept.
  ~STaskVector() override;

  /// The sum of the durations of all tasks; a sum beyond what a duration holds reads as the
  /// largest duration, never as a wrapped-around small one.
  STime GetDuration() const;
  /// The exact sum of the durations of all tasks, in seconds.
  std::uint64_t GetTotalSeconds() const { return mTotalSeconds; }

  /// Makes room for inCount tasks; changes no task and sends nothing. The room of a large
  /// vector is asked of the system in huge pages, which fill much faster.
  void reserve(size_type inCount);
  /// Makes room for inExtra more tasks: exactly as many when the vector has no room yet,
  /// otherwise at least half as much again, so that calls made piece after piece, each
  /// finding the room short, cost no more than growing one task at a time would.
  void MakeRoomFor(size_type inExtra);

  /// Keeps the total: adds inserted and changed tasks, subtracts tasks on notice.
  void ListenToMessage(TVectorMessage<STask> inMessage) override;

private:
  // Kept in 64 bits: a million entries easily add up to more seconds than 32 bits hold.
  std::uint64_t mTotalSeconds = 0;
};
