// Ordering of tasks by their fields: the multi-level comparator over a task vector that
// sorts views, groups trees and names the group a task opens at a level.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "vectors/TBroadcasterVector.h"
#include "trees/TMultiLevelComparator.h"
#include "tasks/STask.h"

class STaskComparator final : public TMultiLevelComparator<STask> {
public:
  /// Field codes for ordering: a positive code sorts ascending by that field, its negation
  /// descending, 0 by nothing. Codes 1 to 6 address the task field STask::EField + 1;
  /// eOrderInFile is the task's position in its vector.
  enum EField {
    eNop = 0,
    eXX = 0,
    eDate = 1,
    eDuration = 2,
    eWhoCode = 3,
    eJobNumber = 4,
    eTimeCode = 5,
    eDescription = 6,
    eOrderInFile = 7,
    eNotDate = -1,
    eNotDuration = -2,
    eNotWhoCode = -3,
    eNotJobNumber = -4,
    eNotTimeCode = -5,
    eNotDescription = -6,
    eNotOrderInFile = -7
  };

  /// No vector, no levels.
  STaskComparator();
  /// Over `inVector` (not owned), no levels: every pair of tasks is equal.
  explicit STaskComparator(const TBroadcasterVector<STask> * inVector);
  /// Over `inVector` (not owned), one level by `inField`.
  STaskComparator(const TBroadcasterVector<STask> * inVector, EField inField);
  /// No vector; levels 0 to 6 by the seven codes, of which the first `inLevels` are used.
  STaskComparator(EField inField0, EField inField1, EField inField2, EField inField3, EField inField4,
                  EField inField5, EField inField6, std::int16_t inLevels);

  /// Replaces the seven codes; the number of levels stays.
  void Initialize(EField inField0, EField inField1, EField inField2, EField inField3, EField inField4,
                  EField inField5, EField inField6);

  /// The code of level `inLevel` (0 to 6), eNop outside.
  EField Field(std::int16_t inLevel) const;

  /// -1, 0 or 1 comparing the tasks at two indices at one level; 0 at a level not in use.
  /// Throws std::out_of_range for an index beyond the vector.
  std::int16_t Compare(unsigned int inFirst, unsigned int inSecond, std::int16_t inLevel) const override;

  /// The text of the field that level `inLevel` orders by, as written in `inTask`'s line;
  /// empty for order in file, no field, a level not in use or no task.
  std::string Category(std::int16_t inLevel, const STask * inTask) const override;

  /// As the generic sort, but large lists are sorted by compact keys drawn from the tasks
  /// in one pass, which gives the same order without reading the tasks again and again.
  void Sort(std::uint32_t * inFirst, std::uint32_t * inLast, std::uint8_t * outBreaks = nullptr) const override;

  /// A number that orders tasks at `inLevel` as Compare does: for two tasks whose keys
  /// differ, the smaller key sorts first; equal keys of which one is `outExact` mean equal
  /// tasks, otherwise only Compare can tell. False for a level not in use or ordered by
  /// order in file (no property of the task itself).
  bool LevelKey(const STask & inTask, std::int16_t inLevel, std::uint64_t & outKey, bool & outExact) const;

  /// Asks the processor to fetch the task record ahead of use; no effect on results.
  void Prefetch(const STask & inTask) const {
#if defined(__GNUC__)
    __builtin_prefetch(&inTask);
    __builtin_prefetch(reinterpret_cast<const char *>(&inTask) + sizeof(STask) - 1);
#else
    (void)inTask;
#endif
  }
  /// Asks the processor to fetch the start of the task's line (call after Prefetch).
  void PrefetchContents(const STask & inTask) const {
#if defined(__GNUC__)
    __builtin_prefetch(inTask.data());
#else
    (void)inTask;
#endif
  }

  /// The thread count in force from sThreadedSortMinimum entries on, else 1.
  unsigned Threads(std::size_t inCount) const;
  /// Runs inWork(0) ... inWork(inThreads - 1) at once (see STaskThreads::Run).
  void RunThreads(unsigned inThreads, const std::function<void(unsigned)> & inWork) const;

  /// From this many entries on, a sort runs on the thread count in force (tests lower it).
  static inline std::size_t sThreadedSortMinimum = std::size_t(1) << 16;
  /// From this many entries on, a one-level keyed sort sorts by the key's bytes (radix)
  /// instead of by comparisons; a test may lower it.
  static inline std::size_t sRadixSortMinimum = std::size_t(1) << 16;
  /// A keyed sort of several levels from sRadixSortMinimum entries on ranks a text level's
  /// keys when it has at most this many distinct ones, so that all levels' keys may join
  /// into one and sort by its bytes; a test may lower it.
  static inline std::size_t sRankedKeyLimit = std::size_t(1) << 16;

private:
  template <int L>
  void KeySort(std::uint32_t * inFirst, std::uint32_t * inLast, std::uint8_t * outBreaks) const;

  EField mField[sMaxLevels];
};
