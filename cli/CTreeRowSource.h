// The rows of a group tree: group rows (heading, total, count) with the entries under the
// deepest groups, or the group rows alone for a summary.
#pragma once

#include "CRowSource.h"
#include "trees/TTree.h"
#include "tasks/STaskGroup.h"

#include <cstdint>
#include <vector>

class STaskVector;

class CTreeRowSource : public CRowSource {
public:
  using Tree = TTree<STask, STaskGroup>;

  /// The rows of inTree, populated from inTasks with inLevels group levels; with
  /// inSummary only the group rows (the deepest groups are closed for it). Neither the
  /// tree nor the tasks are owned.
  CTreeRowSource(Tree & inTree, const STaskVector & inTasks, std::int16_t inLevels, bool inSummary);

  void Emit(CRowSink & ioSink) override;

private:
  // Fills mCount and mSeconds for branch inIndex and those under it.
  void Measure(std::uint32_t inIndex);

  Tree & mTree;
  const STaskVector & mTasks;
  std::int16_t mLevels;
  bool mSummary;
  // Per branch index: its number of entries and the exact sum of their durations.
  std::vector<std::uint64_t> mCount;
  std::vector<std::uint64_t> mSeconds;
};
