// An index map over the task vector that starts with every task, in vector order.
#include "tasks/STaskVectorMap.h"

STaskVectorMap::STaskVectorMap(TBroadcasterVector<STask> & inVector) : TVectorMap<STask>(inVector, true) {}
