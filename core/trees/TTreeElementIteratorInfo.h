// The cursor record that the walks over a group tree hand to their operations.
#pragma once

#include <cstdint>

template <class T, class G> class TTree;
template <class T, class G> class TTreeElement;

/// Where a walk stands: the branch whose elements are being walked and the element under the
/// cursor. A leaf operation may erase the element under the cursor from that branch.
template <class T, class G>
struct TTreeElementIteratorInfo {
  TTree<T, G> * mTree;
  std::uint32_t mParent;            ///< index of the branch whose element list is walked
  TTreeElement<T, G> * mElement;    ///< the element under the cursor
};
