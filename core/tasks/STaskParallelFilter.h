// Copies the tasks of an index map for which a filter expression holds, on several threads.
#pragma once

#include "tasks/STask.h"
#include "vectors/TBroadcasterVector.h"
#include "vectors/TVectorMap.h"

#include <string>

/// The expression form of STaskVectorMapFilter that evaluates on several threads: each
/// thread prepares the expression in a syntax of its own and tests its share of the map's
/// entries; the accepted tasks are then appended to the target in the map's order, one
/// push_back each, on the calling thread. The result and the target's messages are those
/// of the one-thread filter.
class STaskParallelFilter {
public:
  /// Below this many entries the filter runs on the calling thread alone.
  static constexpr std::size_t sSmallJob = 16384;

  /// A filter for inExpression (a text of the filter language) from inSource into inTarget;
  /// inTarget may be the vector inSource maps. Neither is owned.
  STaskParallelFilter(const TVectorMap<STask> & inSource, TBroadcasterVector<STask> & inTarget,
                      const std::string & inExpression);

  /// Runs on the thread count in force (one thread for a small map).
  void operator()();
  /// Runs on inThreads threads (the calling one among them) over the map's entries as they
  /// are when it starts.
  void Run(unsigned inThreads);

private:
  const TVectorMap<STask> & mSource;   // read only
  TBroadcasterVector<STask> & mTarget; // not owned
  std::string mExpression;
};
