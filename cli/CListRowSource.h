// The rows of a flat list: the entries of a task vector in the order of an index map.
#pragma once

#include "CRowSource.h"

#include <cstdint>
#include <vector>

class STaskVector;

class CListRowSource : public CRowSource {
public:
  /// The entries of inTasks in the order of inOrder (indices into inTasks); neither is
  /// owned, both must outlive the source.
  CListRowSource(const STaskVector & inTasks, const std::vector<std::uint32_t> & inOrder);

  void Emit(CRowSink & ioSink) override;

private:
  const STaskVector & mTasks;
  const std::vector<std::uint32_t> & mOrder;
};
