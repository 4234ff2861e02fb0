// Element operation run while empty branches are removed: lowers every parent and branch
// index by the number of removed branches at or below it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "trees/TTree.h"
#include "trees/TTreeElementOperation.h"

template <class T, class G>
class TParentAdjuster : public TTreeElementOperation<T, G> {
public:
  /// Renumbers for the removal of the branches in `inIndexVector` (ascending).
  explicit TParentAdjuster(const std::vector<std::uint32_t> & inIndexVector)
      : TTreeElementOperation<T, G>(false), mIndexVector(inIndexVector) {}

  /// Renumbers the element under the cursor (and, for a branch element, its branch's parent).
  void operator()(TTreeElementIteratorInfo<T, G> & ioInfo) override { Adjust(*ioInfo.mElement); }

  /// Renumbers one element: its parent index; for a branch element its branch's own parent
  /// index, then its branch index. The branch list must not have been thinned out yet.
  void Adjust(TTreeElement<T, G> & ioElement) const {
    ioElement.SetParentIndex(Lowered(ioElement.ParentIndex()));
    if (ioElement.Type() == TTreeElement<T, G>::eBranch) {
      auto & branch = ioElement.Branch();
      branch.SetParentIndex(Lowered(branch.ParentIndex()));
      ioElement.SetBranchIndex(Lowered(ioElement.BranchIndex()));
    }
  }

  /// `inIndex` lowered by the number of removed branches at or below it.
  std::uint32_t Lowered(std::uint32_t inIndex) const {
    const auto count = std::upper_bound(mIndexVector.begin(), mIndexVector.end(), inIndex) - mIndexVector.begin();
    return inIndex - static_cast<std::uint32_t>(count);
  }

private:
  const std::vector<std::uint32_t> & mIndexVector;
};
