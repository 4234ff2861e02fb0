// Leaf operation run after entries were removed from the data: erases their leaves and
// lowers the indices of the leaves that followed them.
#pragma once

#include <cstdint>

#include "trees/TTree.h"
#include "trees/TTreeLeafOperation.h"

template <class T, class G>
class TLeafDeletionAdjuster : public TTreeLeafOperation<T, G> {
public:
  /// Acts for the removal of the entries [inBeginIndex, inEndIndex).
  TLeafDeletionAdjuster(std::uint32_t inBeginIndex, std::uint32_t inEndIndex)
      : mBeginIndex(inBeginIndex), mEndIndex(inEndIndex), mRangeSize(inEndIndex - inBeginIndex) {}

  /// Renumbers a leaf beyond the range, erases a leaf inside it.
  void operator()(TTreeElementIteratorInfo<T, G> & ioInfo) override {
    const std::uint32_t index = ioInfo.mElement->LeafIndex();
    if (index >= mEndIndex) {
      ioInfo.mElement->SetLeafIndex(index - mRangeSize);
    } else if (index >= mBeginIndex) {
      auto & branch = ioInfo.mTree->Branches().at(ioInfo.mParent);
      branch.erase(branch.begin() + (ioInfo.mElement - branch.data()));
    }
  }

private:
  std::uint32_t mBeginIndex;
  std::uint32_t mEndIndex;
  std::uint32_t mRangeSize;
};
