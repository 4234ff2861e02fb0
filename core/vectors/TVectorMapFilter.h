// Copies the elements of an index map that pass a filter into another broadcasting vector.
#pragma once

#include <cstddef>
#include <ranges>
#include <vector>

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

  /// As operator(), but the accepted elements are appended together at the end: the target
  /// hears one eInsert over their whole range (also when none was accepted).
  void RunBatched() {
    // Remember the accepted entries' places, then copy them once, straight into the target.
    std::vector<unsigned int> accepted;
    const std::size_t count = mSource.size();
    for (std::size_t position = 0; position < count; ++position) {
      const auto index = static_cast<unsigned int>(position);
      if (mFilter == nullptr || (*mFilter)(mSource.get(index))) {
        accepted.push_back(index);
      }
    }
    const auto entries = std::views::transform(accepted, [this](unsigned int inIndex) -> const T & {
      return mSource.get(inIndex);
    });
    // With room made first, the entries stay in place while they are copied, even when the
    // target is the source's own vector.
    mTarget.reserve(mTarget.size() + accepted.size());
    mTarget.insert(mTarget.size(), entries.begin(), entries.end());
  }

private:
  const TVectorMap<T> & mSource;    // read only
  TBroadcasterVector<T> & mTarget;  // not owned
  TFilter<T> * mFilter;             // not owned
};
