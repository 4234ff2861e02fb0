// An operation called for every leaf of a group tree by the leaf walk.
#pragma once

#include "trees/TTreeElementIteratorInfo.h"
#include "trees/TTreeElementOperationBase.h"

/// Called once per leaf; may erase the leaf under the cursor from its branch.
template <class T, class G>
class TTreeLeafOperation : public TTreeElementOperationBase {
public:
  /// Handles the leaf under `ioInfo`'s cursor.
  virtual void operator()(TTreeElementIteratorInfo<T, G> & ioInfo) = 0;
};
