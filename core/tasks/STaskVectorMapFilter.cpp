// Copies the tasks of an index map that pass a filter into another task vector.
#include "tasks/STaskVectorMapFilter.h"

STaskVectorMapFilter::STaskVectorMapFilter(const TVectorMap<STask> & inSource, TBroadcasterVector<STask> & inTarget,
                                           TFilter<STask> * inFilter)
    : TVectorMapFilter<STask>(inSource, inTarget, inFilter) {}
