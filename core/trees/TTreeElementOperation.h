// An operation called for every element of a group tree by the element walk.
#pragma once

#include "trees/TTreeBranchPointerInfo.h"
#include "trees/TTreeElementIteratorInfo.h"
#include "trees/TTreeElementOperationBase.h"

/// Called for every element, branch or leaf, and once for the branch the walk starts from.
/// The walk visits a branch element before its contents when EvaluateBranchesFirst(), after
/// them otherwise. Element operations rewrite indices; they never add or remove elements.
template <class T, class G>
class TTreeElementOperation : public TTreeElementOperationBase {
public:
  explicit TTreeElementOperation(bool inEvaluateBranchesFirst)
      : mEvaluateBranchesFirst(inEvaluateBranchesFirst) {}

  /// Handles the element under `ioInfo`'s cursor.
  virtual void operator()(TTreeElementIteratorInfo<T, G> & ioInfo) = 0;
  /// Handles the branch the walk started from; does nothing unless overridden.
  virtual void operator()(TTreeBranchPointerInfo<T, G> & /*ioInfo*/) {}

  /// Whether a branch element is handled before the walk enters the branch.
  bool EvaluateBranchesFirst() const { return mEvaluateBranchesFirst; }

protected:
  bool mEvaluateBranchesFirst;
};
