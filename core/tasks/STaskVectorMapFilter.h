// Copies the tasks of an index map that pass a filter into another task vector.
#pragma once

#include "generic/TBroadcasterVector.h"
#include "generic/TFilter.h"
#include "generic/TVectorMap.h"
#include "generic/TVectorMapFilter.h"
#include "tasks/STask.h"

/// The task form of TVectorMapFilter: run it with operator().
class STaskVectorMapFilter : public TVectorMapFilter<STask> {
public:
  /// inFilter is not owned; null accepts every task.
  STaskVectorMapFilter(const TVectorMap<STask> & inSource, TBroadcasterVector<STask> & inTarget,
                       TFilter<STask> * inFilter);
};
