// An index map over the task vector that starts with every task, in vector order.
#pragma once

#include "vectors/TBroadcasterVector.h"
#include "vectors/TVectorMap.h"
#include "tasks/STask.h"

/// A TVectorMap of tasks filled with every index of the vector when it is made.
class STaskVectorMap : public TVectorMap<STask> {
public:
  /// Registers with inVector and maps all its tasks.
  explicit STaskVectorMap(TBroadcasterVector<STask> & inVector);
};
