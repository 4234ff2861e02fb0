// Copies the tasks of an index map that pass a filter into another task vector.
#pragma once

#include "vectors/TBroadcasterVector.h"
#include "vectors/TFilter.h"
#include "vectors/TVectorMap.h"
#include "vectors/TVectorMapFilter.h"
#include "tasks/STask.h"

/// The task form of TVectorMapFilter: run it with operator().
class STaskVectorMapFilter : public TVectorMapFilter<STask> {
public:
  /// inFilter is not owned; null accepts every task.
  STaskVectorMapFilter(const TVectorMap<STask> & inSource, TBroadcasterVector<STask> & inTarget,
                       TFilter<STask> * inFilter);
};
