// The record an element walk hands to its operation for the branch it started from.
#pragma once

#include <cstdint>

template <class T, class G> class TTree;
template <class T, class G> class TBranch;

/// The top branch of an element walk, with the index of its parent.
template <class T, class G>
struct TTreeBranchPointerInfo {
  TTree<T, G> * mTree;
  std::uint32_t mParent;      ///< the branch's parent index
  TBranch<T, G> * mBranch;
};
