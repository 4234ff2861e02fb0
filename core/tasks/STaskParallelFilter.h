// Copies the tasks of an index map for which a filter expression holds, on several threads.
#pragma once

#include "tasks/STask.h"
#include "vectors/TBroadcasterVector.h"
#include "vectors/TVectorMap.h"

#include <cstddef>
#include <string>

/// The expression filter of a whole map, evaluated on several threads: each thread prepares
/// the expression in a syntax of its own and tests runs of neighbouring entries, taking the
/// next run whenever it finishes one; the accepted tasks are then appended to the target in
/// the map's order, all at once, on the calling thread (one eInsert over their range, also
/// when none was accepted). The result is that of a one-thread filter, and so are the
/// failure counts.
class STaskParallelFilter {
public:
  /// Below this many entries the filter runs on the calling thread alone.
  static constexpr std::size_t sSmallJob = 16384;
  /// The fewest entries a thread takes at a time (settable so that tests can make
  /// small maps take many runs).
  static inline std::size_t sRunLength = 4096;

  /// A filter for inExpression (a text of the filter language) from inSource into inTarget;
  /// inTarget may be the vector inSource maps. Neither is owned.
  STaskParallelFilter(const TVectorMap<STask> & inSource, TBroadcasterVector<STask> & inTarget,
                      const std::string & inExpression);

  /// Runs on the thread count in force (one thread for a small map).
  void operator()();
  /// Runs on inThreads threads (the calling one among them) over the map's entries as they
  /// are when it starts.
  void Run(unsigned inThreads);

  /// How many entries were tested, and for how many of them evaluation failed.
  std::size_t EvaluationCount() const { return mEvaluations; }
  std::size_t FailureCount() const { return mFailures; }
  /// The message of the first failure in the map's order; empty if none failed.
  const std::string & FirstFailure() const { return mFirstFailure; }
  /// Why the expression could not be prepared; empty when it could.
  const std::string & PreparationFailure() const { return mPreparationFailure; }

private:
  const TVectorMap<STask> & mSource;   // read only
  TBroadcasterVector<STask> & mTarget; // not owned
  std::string mExpression;
  std::size_t mEvaluations = 0;
  std::size_t mFailures = 0;
  std::string mFirstFailure;
  std::string mPreparationFailure;
};
