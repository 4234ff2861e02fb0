// The value of one group of the task tree: its heading and the total duration of its entries.
#pragma once

#include <cstdint>
#include <string>

#include "dates/STime.h"
#include "trees/TTreeGroup.h"
#include "tasks/STask.h"

class STaskGroup : public TTreeGroup<STask, STaskGroup> {
public:
  using Branch = TBranch<STask, STaskGroup>;

  /// An empty heading and a zero total.
  STaskGroup() = default;

  /// Adds the task's duration to the total.
  void operator()(const STask & inTask) override;
  /// Takes the heading from `inTask` at `inLevel` (the comparator's category text), then adds
  /// this total to `ioParent`'s.
  void operator()(Branch & ioParent, const TMultiLevelComparator<STask> & inComparator, std::int16_t inLevel,
                  const STask & inTask) override;
  /// Adds this total to `ioParent`'s.
  void operator()(Branch & ioParent) override;
  /// Subtracts the task's duration from the total.
  STaskGroup & operator-=(const STask & inTask) override;
  /// Adds the task's duration to the total.
  STaskGroup & operator+=(const STask & inTask) override;
  /// Takes the heading from `inTask` at `inLevel`.
  void SetHeading(const TMultiLevelComparator<STask> & inComparator, std::int16_t inLevel,
                  const STask & inTask) override;

  /// The text shared by the group's entries in the grouping field.
  const std::string & Heading() const { return mHeading; }
  /// The sum of the durations of the entries under the group; a sum beyond what a duration
  /// holds reads as the largest duration, never as a wrapped-around small one.
  STime Duration() const;
  /// The exact sum of the durations of the entries under the group, in seconds.
  std::uint64_t TotalSeconds() const { return mTotalSeconds; }

private:
  // Kept in 64 bits: the groups of a large time sheet easily pass what 32 bits hold.
  std::uint64_t mTotalSeconds = 0;
  std::string mHeading;
};
