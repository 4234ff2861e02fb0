// Leaf operation run before entries are replaced or removed: takes their present values out
// of the totals of every group that holds them.
#pragma once

#include <cstdint>

#include "trees/TTree.h"
#include "trees/TTreeLeafOperation.h"

template <class T, class G>
class TLeafPreDeletionAdjuster : public TTreeLeafOperation<T, G> {
public:
  /// Acts on the leaves of the entries [inBeginIndex, inEndIndex).
  TLeafPreDeletionAdjuster(std::uint32_t inBeginIndex, std::uint32_t inEndIndex)
      : mBeginIndex(inBeginIndex), mEndIndex(inEndIndex) {}

  /// Subtracts the leaf's entry from the branch that holds it and every enclosing branch.
  void operator()(TTreeElementIteratorInfo<T, G> & ioInfo) override {
    const std::uint32_t index = ioInfo.mElement->LeafIndex();
    if (index < mBeginIndex || index >= mEndIndex) {
      return;
    }
    auto & branches = ioInfo.mTree->Branches();
    const T & entry = ioInfo.mTree->Data().at(index);
    for (std::uint32_t branch = ioInfo.mParent; branch != TTreeElement<T, G>::sNoIndex;
         branch = branches.at(branch).ParentIndex()) {
      branches.at(branch).Group() -= entry;
    }
  }

private:
  std::uint32_t mBeginIndex;
  std::uint32_t mEndIndex;
};
