// The common base of the classes that fill a group tree and keep it in step with its data.
#pragma once

/// Base of tree populators; holds the outcome record of their merge steps.
class TTreePopulator {
public:
  /// How a merge step or a change placed an entry: not yet (no matching group found, or no
  /// unchanged sibling), into an existing group or a new one, or left where it was.
  enum EStatus { eUnprocessed = 0, eProcessed = 1, ePending = 2 };

  virtual ~TTreePopulator() = default;
};
