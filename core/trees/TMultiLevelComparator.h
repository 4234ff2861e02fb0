// Compares elements of a broadcasting vector, given by their indices, on up to seven levels;
// answers "before?" for sorting, -1/0/1, and "different group at this level?" for grouping.
#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "vectors/TBroadcasterVector.h"

template <class T>
class TMultiLevelComparator {
public:
  enum EBias { eSort = 0, eFull = 1, eBreak = 2 };

  /// The most levels a comparator has.
  static constexpr std::int16_t sMaxLevels = 7;

  /// A comparator over `inVector` (not owned; may be set later) with `inLevels` levels,
  /// kept within 0 to sMaxLevels.
  explicit TMultiLevelComparator(const TBroadcasterVector<T> * inVector = nullptr, std::int16_t inLevels = 0)
      : mLevels(ClampLevels(inLevels)), mVector(inVector) {}
  virtual ~TMultiLevelComparator() = default;

  /// -1, 0 or 1 comparing the elements at `inFirst` and `inSecond` at one level; the generic
  /// comparator finds everything equal.
  virtual std::int16_t Compare(unsigned int /*inFirst*/, unsigned int /*inSecond*/, std::int16_t /*inLevel*/) const {
    return 0;
  }

  /// The text that heads the group `inEntry` opens at `inLevel`; empty in the generic form.
  virtual std::string Category(std::int16_t /*inLevel*/, const T * /*inEntry*/) const { return std::string(); }

  /// Sorts the indices [inFirst, inLast) ascending in this comparator's order; indices equal
  /// on every level keep their relative order. If `outBreaks` is given it receives, for each
  /// sorted position p > 0, the first level at which the elements at p - 1 and p differ
  /// (Levels() when they are equal on every level), and 0 at position 0.
  /// Throws like BiasedCompare when no vector is set and there is something to compare.
  virtual void Sort(std::uint32_t * inFirst, std::uint32_t * inLast, std::uint8_t * outBreaks = nullptr) const {
    if (inLast - inFirst > 1) {
      std::stable_sort(inFirst, inLast, [this](std::uint32_t a, std::uint32_t b) {
        return BiasedCompare(a, b, eSort) != 0;
      });
    }
    if (outBreaks != nullptr) {
      for (std::uint32_t * p = inFirst; p < inLast; ++p) {
        outBreaks[p - inFirst] = p == inFirst ? 0 : static_cast<std::uint8_t>(FirstDifference(p[-1], p[0]));
      }
    }
  }

  /// A number that orders elements at `inLevel` as Compare does, where the comparator can
  /// tell one (see STaskComparator::LevelKey); none here.
  bool LevelKey(const T & /*inElement*/, std::int16_t /*inLevel*/, std::uint64_t & /*outKey*/, bool & /*outExact*/) const {
    return false;
  }

  /// Hints that `inElement` will soon be read; no effect on results. Comparators that know
  /// their elements' layout may ask the processor to fetch it ahead.
  void Prefetch(const T & /*inElement*/) const {}
  /// Hints that what `inElement` refers to will soon be read (call some time after Prefetch).
  void PrefetchContents(const T & /*inElement*/) const {}

  /// How many threads may work at once on `inCount` elements grouped by this comparator:
  /// 1 here, so that everything runs on the calling thread.
  unsigned Threads(std::size_t /*inCount*/) const { return 1; }
  /// Calls inWork(0) ... inWork(inThreads - 1) and returns when all have returned; one after
  /// the other here, at once where the comparator offers threads.
  template <class F>
  void RunThreads(unsigned inThreads, F && inWork) const {
    for (unsigned thread = 0; thread < inThreads; ++thread)
      inWork(thread);
  }

  /// Binds the comparator to `inVector` (not owned).
  void SetVector(const TBroadcasterVector<T> * inVector) { mVector = inVector; }
  /// The vector compared, null until set.
  const TBroadcasterVector<T> * Vector() const { return mVector; }
  /// The number of levels in use, 0 to 7.
  std::int16_t Levels() const { return mLevels; }

  /// Compares on all levels, the first level that differs deciding. eSort gives 1 when the
  /// first element sorts strictly before the second, eBreak 1 when they differ at all, eFull
  /// -1, 0 or 1. Throws std::runtime_error when no vector is set.
  std::int16_t BiasedCompare(unsigned int inFirst, unsigned int inSecond, EBias inBias) const {
    CheckVector();
    std::int16_t result = 0;
    for (std::int16_t level = 0; level < mLevels && result == 0; ++level) {
      result = Compare(inFirst, inSecond, level);
    }
    return Biased(result, inBias);
  }

  /// Compares on the one level `inLevel`, with the same biases and failure.
  std::int16_t BiasedCompare(unsigned int inFirst, unsigned int inSecond, std::int16_t inLevel, EBias inBias) const {
    CheckVector();
    return Biased(Compare(inFirst, inSecond, inLevel), inBias);
  }

  /// Sorting predicate: the first element sorts strictly before the second.
  bool operator()(unsigned int inFirst, unsigned int inSecond) const {
    return BiasedCompare(inFirst, inSecond, eSort) != 0;
  }

  /// Grouping predicate: the two elements belong to different groups at `inLevel`.
  bool operator()(unsigned int inFirst, unsigned int inSecond, std::int16_t inLevel) const {
    return BiasedCompare(inFirst, inSecond, inLevel, eBreak) != 0;
  }

protected:
  static std::int16_t ClampLevels(std::int16_t inLevels) {
    return std::clamp<std::int16_t>(inLevels, 0, sMaxLevels);
  }

  void CheckVector() const {
    if (mVector == nullptr) {
      throw std::runtime_error("TMultiLevelComparator not initialized with vector before invocation.");
    }
  }

  /// The element at `inIndex`; throws std::out_of_range beyond the vector.
  const T & Element(unsigned int inIndex) const {
    CheckVector();
    if (inIndex >= mVector->size()) {
      throw std::out_of_range("vector::at index out of range");
    }
    return (*mVector)[inIndex];
  }

  /// The first level at which two elements differ, Levels() if at none.
  std::int16_t FirstDifference(unsigned int inFirst, unsigned int inSecond) const {
    CheckVector();
    std::int16_t level = 0;
    while (level < mLevels && Compare(inFirst, inSecond, level) == 0) {
      ++level;
    }
    return level;
  }

  static std::int16_t Biased(std::int16_t inResult, EBias inBias) {
    switch (inBias) {
    case eSort:
      return inResult == -1 ? 1 : 0;
    case eBreak:
      return inResult != 0 ? 1 : 0;
    default:
      return inResult;
    }
  }

  std::int16_t mLevels;
  const TBroadcasterVector<T> * mVector; // not owned
};
