// The common base of the operations run by the walks over a group tree.
#pragma once

/// Base of leaf and element operations.
class TTreeElementOperationBase {
public:
  virtual ~TTreeElementOperationBase() = default;
};
