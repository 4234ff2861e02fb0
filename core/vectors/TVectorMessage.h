// The change message of a broadcasting vector: what happened to which half-open range of indices.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

/// Tells a vector's listeners that the elements [begin_index(), end_index()) were inserted,
/// deleted or changed, or are about to be changed or deleted (notice, sent while still readable).
///
/// A scattered message (a batch) concerns only the ascending indices of Indices(), which lie
/// in [begin_index(), end_index()): for an insert they are the new elements' indices in the
/// grown vector, for a notice or a delete the old indices of the elements removed. The list
/// belongs to the sender and lives only while the message is delivered.
template <class T>
class TVectorMessage {
public:
  enum ECode { eInsert = 0, eDelete = 1, eChange = 2, eNotice = 3 };

  /// The message for the one element at inIndex.
  TVectorMessage(ECode inCode, unsigned inIndex)
      : mCode(inCode), mBegin(inIndex), mEnd(inIndex + 1) {}
  /// The message for the elements [inBegin, inEnd).
  TVectorMessage(ECode inCode, unsigned inBegin, unsigned inEnd)
      : mCode(inCode), mBegin(inBegin), mEnd(inEnd) {}
  /// The message for the ascending, non-empty indices `inIndices` (not owned).
  TVectorMessage(ECode inCode, const std::vector<std::uint32_t> & inIndices)
      : mCode(inCode), mBegin(inIndices.front()), mEnd(inIndices.back() + 1), mIndices(&inIndices) {}

  /// What happened.
  ECode code() const { return mCode; }
  /// The first index of the range.
  std::uint32_t begin_index() const { return mBegin; }
  /// One past the last index of the range.
  std::uint32_t end_index() const { return mEnd; }

  /// True when only the indices of Indices() are concerned, not the whole range.
  bool IsScattered() const { return mIndices != nullptr; }
  /// The indices concerned, ascending; only for a scattered message.
  const std::vector<std::uint32_t> & Indices() const { return *mIndices; }
  /// How many elements are concerned.
  std::uint32_t Count() const {
    return mIndices != nullptr ? static_cast<std::uint32_t>(mIndices->size()) : (mEnd > mBegin ? mEnd - mBegin : 0);
  }
  /// Whether the element at inIndex is concerned.
  bool Covers(std::uint32_t inIndex) const {
    if (inIndex < mBegin || inIndex >= mEnd) {
      return false;
    }
    return mIndices == nullptr || std::binary_search(mIndices->begin(), mIndices->end(), inIndex);
  }
  /// How many concerned indices lie below inIndex.
  std::uint32_t CountBelow(std::uint32_t inIndex) const {
    if (mIndices != nullptr) {
      return static_cast<std::uint32_t>(std::lower_bound(mIndices->begin(), mIndices->end(), inIndex) - mIndices->begin());
    }
    return inIndex <= mBegin ? 0 : std::min(inIndex, mEnd) - mBegin;
  }
  /// Calls inVisit with every concerned index, ascending.
  template <class F>
  void ForEachIndex(F && inVisit) const {
    if (mIndices != nullptr) {
      for (const std::uint32_t index : *mIndices) {
        inVisit(index);
      }
    } else {
      for (std::uint32_t index = mBegin; index < mEnd; ++index) {
        inVisit(index);
      }
    }
  }
  /// For a delete: the new index of the surviving element that was at inIndex.
  std::uint32_t IndexAfterDelete(std::uint32_t inIndex) const { return inIndex - CountBelow(inIndex); }
  /// For an insert: the new index of the old element that was at inIndex.
  std::uint32_t IndexAfterInsert(std::uint32_t inIndex) const {
    if (mIndices == nullptr) {
      return inIndex >= mBegin ? inIndex + Count() : inIndex;
    }
    // The k-th new element (index p) has p - k old elements before it: the old element at
    // inIndex follows exactly those new elements with p - k <= inIndex.
    const std::vector<std::uint32_t> & added = *mIndices;
    std::size_t low = 0;
    std::size_t high = added.size();
    while (low < high) {
      const std::size_t middle = low + (high - low) / 2;
      if (added[middle] - middle <= inIndex) {
        low = middle + 1;
      } else {
        high = middle;
      }
    }
    return inIndex + static_cast<std::uint32_t>(low);
  }

  bool operator==(const TVectorMessage &) const = default;

protected:
  ECode mCode;
  std::uint32_t mBegin;
  std::uint32_t mEnd;
  const std::vector<std::uint32_t> * mIndices = nullptr; // not owned; scattered messages only
};
