// Leaf operation run after entries were inserted into the data: raises the indices of the
// leaves at or beyond the insertion point.
#pragma once

#include <cstdint>

#include "trees/TTree.h"
#include "trees/TTreeLeafOperation.h"

template <class T, class G>
class TLeafInsertionAdjuster : public TTreeLeafOperation<T, G> {
public:
  /// Acts for the insertion of the entries [inBeginIndex, inEndIndex).
  TLeafInsertionAdjuster(std::uint32_t inBeginIndex, std::uint32_t inEndIndex)
      : mBeginIndex(inBeginIndex), mEndIndex(inEndIndex), mRangeSize(inEndIndex - inBeginIndex) {}

  /// Moves a leaf at or beyond the insertion point up by the number of new entries.
  void operator()(TTreeElementIteratorInfo<T, G> & ioInfo) override {
    const std::uint32_t index = ioInfo.mElement->LeafIndex();
    if (index >= mBeginIndex) {
      ioInfo.mElement->SetLeafIndex(index + mRangeSize);
    }
  }

private:
  std::uint32_t mBeginIndex;
  std::uint32_t mEndIndex;
  std::uint32_t mRangeSize;
};
