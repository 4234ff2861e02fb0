// Leaf operation run after entries were replaced: keeps a changed leaf in place when it still
// belongs with an unchanged sibling, and otherwise takes it out as an orphan to be merged again.
#pragma once

#include <cstdint>
#include <vector>

#include "trees/TTree.h"
#include "trees/TTreeLeafOperation.h"
#include "trees/TTreePopulator.h"

template <class T, class G, class C>
class TLeafChangeAdjuster : public TTreeLeafOperation<T, G> {
public:
  /// Acts on the leaves of the changed entries [inBeginIndex, inEndIndex); appends the entry
  /// index of every leaf it takes out to `outOrphans`; compares with `inComparator`.
  TLeafChangeAdjuster(std::uint32_t inBeginIndex, std::uint32_t inEndIndex,
                      std::vector<std::uint32_t> & outOrphans, const C * inComparator)
      : mBeginIndex(inBeginIndex), mEndIndex(inEndIndex), mOrphansVector(outOrphans), mComparator(inComparator) {}

  /// Handles one leaf of a changed entry; leaves of unchanged entries are left alone.
  void operator()(TTreeElementIteratorInfo<T, G> & ioInfo) override {
    using Element = TTreeElement<T, G>;
    const std::uint32_t index = ioInfo.mElement->LeafIndex();
    if (!InRange(index)) {
      return;
    }
    auto & branches = ioInfo.mTree->Branches();
    auto & branch = branches.at(ioInfo.mParent);
    TTreePopulator::EStatus status = TTreePopulator::eUnprocessed;
    for (const Element & sibling : branch) {
      if (sibling.Type() != Element::eLeaf || InRange(sibling.LeafIndex())) {
        continue;
      }
      status = TTreePopulator::ePending;
      for (std::int16_t level = static_cast<std::int16_t>(mComparator->Levels() - 1); level >= 0; --level) {
        if (mComparator->Compare(sibling.LeafIndex(), index, level) != 0) {
          status = TTreePopulator::eProcessed;
          break;
        }
      }
      break;
    }
    if (status == TTreePopulator::ePending) {
      // Still in the right group: only its new values join the totals.
      const T & entry = ioInfo.mTree->Data().at(index);
      for (std::uint32_t parent = ioInfo.mParent; parent != Element::sNoIndex;
           parent = branches.at(parent).ParentIndex()) {
        branches.at(parent).Group() += entry;
      }
    } else {
      branch.erase(branch.begin() + (ioInfo.mElement - branch.data()));
      mOrphansVector.push_back(index);
    }
  }

private:
  bool InRange(std::uint32_t inIndex) const { return inIndex >= mBeginIndex && inIndex < mEndIndex; }

  std::uint32_t mBeginIndex;
  std::uint32_t mEndIndex;
  std::vector<std::uint32_t> & mOrphansVector;
  const C * mComparator; // not owned
};
