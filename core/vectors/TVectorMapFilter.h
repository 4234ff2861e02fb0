// Copies the elements of an index map that pass a filter into another broadcasting vector.
#pragma once

#include <cstddef>

#include "vectors/TBroadcasterVector.h"
#include "vectors/TFilter.h"
#include "vectors/TVectorMap.h"

/// Appends to the target, in the source map's order, a copy of every mapped element that the
/// filter accepts (one push_back, so one eInsert, per element). The source vector is unchanged.
template <class T>
class TVectorMapFilter {
public:
  /// inFilter is not owned; null accepts every element.
  TVectorMapFilter(const TVectorMap<T> & inSource, TBroadcasterVector<T> & inTarget, TFilter<T> * inFilter)
      : mSource(inSource), mTarget(inTarget), mFilter(inFilter) {}

  /// Runs the filter over the map's entries as they are when it starts.
  void operator()() {
    // The target may be the source's own vector, whose map then grows at its end: stop at the
    // entries that were there at the start and read them by position.
    const std::size_t count = mSource.size();
    for (std::size_t position = 0; position < count && position < mSource.size(); ++position) {
      const T & element = mSource.get(static_cast<unsigned int>(position));
      if (mFilter == nullptr || (*mFilter)(element)) {
        mTarget.push_back(element);
      }
    }
  }

private:
  const TVectorMap<T> & mSource;    // read only
  TBroadcasterVector<T> & mTarget;  // not owned
  TFilter<T> * mFilter;             // not owned
};
