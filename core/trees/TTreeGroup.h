// The value a group of a group tree carries (its heading and totals), as the tree and its
// populator see it. G is the concrete group type, which derives from TTreeGroup<T, G>.
#pragma once

#include <cstdint>

template <class T, class G> class TBranch;
template <class T> class TMultiLevelComparator;

template <class T, class G>
class TTreeGroup {
public:
  virtual ~TTreeGroup() = default;

  /// Takes in one entry placed under the group.
  virtual void operator()(const T & inEntry) = 0;
  /// Completes a new group: takes its heading from `inEntry` at comparator level `inLevel`,
  /// then adds this group's totals to `ioParent`'s group.
  virtual void operator()(TBranch<T, G> & ioParent, const TMultiLevelComparator<T> & inComparator,
                          std::int16_t inLevel, const T & inEntry) = 0;
  /// Adds this group's totals to `ioParent`'s group.
  virtual void operator()(TBranch<T, G> & ioParent) = 0;
  /// Takes out one entry that leaves the group (or changes).
  virtual G & operator-=(const T & inEntry) = 0;
  /// Takes in one entry again.
  virtual G & operator+=(const T & inEntry) = 0;
  /// Sets only the heading, from `inEntry` at comparator level `inLevel`.
  virtual void SetHeading(const TMultiLevelComparator<T> & inComparator, std::int16_t inLevel,
                          const T & inEntry) = 0;
};
