// The value of one group of the task tree: its heading and the total duration of its entries.
#pragma once

#include <cstdint>
#include <string>

#include "generic/STime.h"
#include "generic/TTreeGroup.h"
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
  /// The sum of the durations of the entries under the group.
  STime Duration() const { return mDuration; }

private:
  STime mDuration;
  std::string mHeading;
};
