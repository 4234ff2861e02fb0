// One group of a group tree (or its root): the group's children in display order, its group
// value, its open state and the index of its parent branch; and the two walks over it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "trees/TTreeBranchPointerInfo.h"
#include "trees/TTreeElement.h"
#include "trees/TTreeElementIteratorInfo.h"
#include "trees/TTreeElementOperation.h"
#include "trees/TTreeLeafOperation.h"

template <class T, class G> class TTree;

template <class T, class G>
class TBranch : public TTreeElementVector<T, G> {
  using Element = TTreeElement<T, G>;

public:
  /// An open branch of `inTree` with no children and a fresh group, held by `inParentIndex`
  /// (TTreeElement::sNoIndex for the root).
  TBranch(TTree<T, G> * inTree, std::uint32_t inParentIndex)
      : mTree(inTree), mGroup(), mOpen(true), mParentIndex(inParentIndex) {}

  bool IsOpen() const { return mOpen; }
  void Open() { mOpen = true; }
  void Close() { mOpen = false; }

  G & Group() { return mGroup; }
  const G & Group() const { return mGroup; }

  std::uint32_t ParentIndex() const { return mParentIndex; }
  void SetParentIndex(std::uint32_t inIndex) { mParentIndex = inIndex; }

  /// This branch's position in its tree's branch list (the branch must be stored there).
  std::uint32_t Index() const { return static_cast<std::uint32_t>(this - mTree->Branches().data()); }

  /// The tree the branch belongs to.
  TTree<T, G> * Tree() const { return mTree; }

  /// Calls `ioOperation` for every leaf under this branch, in display order. The operation
  /// may erase the leaf under the cursor (the element moving into its place is visited next)
  /// or insert elements at or before the cursor (they are not visited).
  void LeafIterate(TTreeLeafOperation<T, G> & ioOperation) {
    TTreeElementIteratorInfo<T, G> info{mTree, Index(), nullptr};
    std::size_t count = this->size();
    for (std::ptrdiff_t position = 0; position < static_cast<std::ptrdiff_t>(this->size()); ++position) {
      Element & element = (*this)[static_cast<std::size_t>(position)];
      if (element.Type() == Element::eBranch) {
        element.Branch().LeafIterate(ioOperation);
      } else if (element.Type() == Element::eLeaf) {
        info.mElement = &element;
        ioOperation(info);
      }
      if (this->size() != count) {
        position += static_cast<std::ptrdiff_t>(this->size()) - static_cast<std::ptrdiff_t>(count);
        count = this->size();
      }
    }
  }

  /// Calls `ioOperation` for every element under this branch (branch elements before or
  /// after their contents, as the operation asks) and, if `inEvalTopBranch`, for this branch.
  void ElementIterate(TTreeElementOperation<T, G> & ioOperation, bool inEvalTopBranch) {
    const bool branchesFirst = ioOperation.EvaluateBranchesFirst();
    TTreeBranchPointerInfo<T, G> top{mTree, mParentIndex, this};
    if (inEvalTopBranch && branchesFirst) {
      ioOperation(top);
    }
    TTreeElementIteratorInfo<T, G> info{mTree, Index(), nullptr};
    for (std::size_t position = 0; position < this->size(); ++position) {
      Element & element = (*this)[position];
      info.mElement = &element;
      if (element.Type() == Element::eBranch) {
        if (branchesFirst) {
          ioOperation(info);
        }
        element.Branch().ElementIterate(ioOperation, false);
        if (!branchesFirst) {
          ioOperation(info);
        }
      } else if (element.Type() == Element::eLeaf) {
        ioOperation(info);
      }
    }
    if (inEvalTopBranch && !branchesFirst) {
      ioOperation(top);
    }
  }

private:
  TTree<T, G> * mTree; // not owned
  G mGroup;
  bool mOpen;
  std::uint32_t mParentIndex;
};

#include "trees/TTree.h"
