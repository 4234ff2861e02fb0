// A group tree: the entries of one broadcasting vector arranged in nested groups, held as a
// list of branches addressed by index (the root at index 0) whose leaves are entry indices.
#pragma once

#include <vector>

#include "trees/TBranch.h"
#include "vectors/TBroadcasterVector.h"
#include "trees/TTreeElement.h"
#include "trees/TTreeElementOperation.h"
#include "trees/TTreeLeafOperation.h"

template <class T, class G>
class TTree {
public:
  /// An empty tree (no branches at all) over the entries of `inData`.
  explicit TTree(const TBroadcasterVector<T> & inData) : mData(inData) {}
  TTree(const TTree &) = delete;
  TTree & operator=(const TTree &) = delete;

  /// Walks every leaf from the root (see TBranch::LeafIterate); nothing when the tree is empty.
  void LeafIterate(TTreeLeafOperation<T, G> & ioOperation) {
    if (!mBranches.empty()) {
      mBranches[0].LeafIterate(ioOperation);
    }
  }

  /// Walks every element from the root, including the root's own call; nothing when empty.
  void ElementIterate(TTreeElementOperation<T, G> & ioOperation) {
    if (!mBranches.empty()) {
      mBranches[0].ElementIterate(ioOperation, true);
    }
  }

  /// The branches by index; the root is at 0 once the tree is populated.
  std::vector<TBranch<T, G>> & Branches() { return mBranches; }
  const std::vector<TBranch<T, G>> & Branches() const { return mBranches; }

  /// The entries the leaves index.
  const TBroadcasterVector<T> & Data() const { return mData; }

private:
  const TBroadcasterVector<T> & mData;
  std::vector<TBranch<T, G>> mBranches;
};
