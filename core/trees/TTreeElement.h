// One child of a group-tree branch, and one visible row of a tree view: either a leaf that
// names an entry of the data vector or a branch element that names a group of the tree.
#pragma once

#include <cstdint>
#include <vector>

template <class T, class G> class TTree;
template <class T, class G> class TBranch;

template <class T, class G>
class TTreeElement {
public:
  enum EType { eNone = 0, eBranch = 1, eLeaf = 2 };

  /// The index that stands for "no branch" or "no entry" (the root's parent, for one).
  static constexpr std::uint32_t sNoIndex = 0xFFFFFFFF;

  /// An element of `inTree`: `inIndex` is an entry index for a leaf, a branch index for a
  /// branch element; `inParentIndex` is the branch that holds the element.
  TTreeElement(TTree<T, G> * inTree, EType inType, std::uint32_t inIndex, std::int16_t inLevel,
               std::uint32_t inParentIndex)
      : mTree(inTree), mType(inType), mLevel(inLevel), mIndex(inIndex), mParentIndex(inParentIndex) {}

  EType Type() const { return mType; }
  /// Depth: the comparator level of a group, the number of levels for a leaf.
  std::int16_t Level() const { return mLevel; }
  /// The branch that holds this element.
  std::uint32_t ParentIndex() const { return mParentIndex; }
  void SetParentIndex(std::uint32_t inIndex) { mParentIndex = inIndex; }

  /// The entry index of a leaf; 0 for any other element.
  std::uint32_t LeafIndex() const { return mType == eLeaf ? mIndex : 0; }
  /// The branch index of a branch element; 0 for any other element.
  std::uint32_t BranchIndex() const { return mType == eBranch ? mIndex : 0; }
  void SetLeafIndex(std::uint32_t inIndex) { mIndex = inIndex; }
  void SetBranchIndex(std::uint32_t inIndex) { mIndex = inIndex; }

  /// The branch this element names; throws std::out_of_range for a leaf or a stale index.
  TBranch<T, G> & Branch() const { return mTree->Branches().at(mType == eBranch ? mIndex : sNoIndex); }
  /// The entry this leaf names; throws std::out_of_range for a branch element or a stale index.
  const T & Leaf() const { return mTree->Data().at(mType == eLeaf ? mIndex : sNoIndex); }

  /// The tree the element belongs to.
  TTree<T, G> * Tree() const { return mTree; }

  bool operator==(const TTreeElement &) const = default;

private:
  TTree<T, G> * mTree; // not owned
  EType mType;
  std::int16_t mLevel;
  std::uint32_t mIndex; // entry index of a leaf, branch index of a branch element
  std::uint32_t mParentIndex;
};

/// The children of a branch, or the rows of a tree view, in display order.
template <class T, class G>
using TTreeElementVector = std::vector<TTreeElement<T, G>>;

#include "trees/TTree.h"
