// The vector message whose code is eInsert: elements were inserted; the range is their indices after the insertion.
#pragma once

#include "vectors/TVectorMessage.h"

/// A TVectorMessage with the code eInsert.
template <class T>
class TVectorMessageInsert : public TVectorMessage<T> {
public:
  /// The message for the one element at inIndex.
  explicit TVectorMessageInsert(unsigned inIndex)
      : TVectorMessage<T>(TVectorMessage<T>::eInsert, inIndex) {}
  /// The message for the elements [inBegin, inEnd).
  TVectorMessageInsert(unsigned inBegin, unsigned inEnd)
      : TVectorMessage<T>(TVectorMessage<T>::eInsert, inBegin, inEnd) {}
  /// The scattered message for the ascending, non-empty indices `inIndices` (not owned).
  explicit TVectorMessageInsert(const std::vector<std::uint32_t> & inIndices)
      : TVectorMessage<T>(TVectorMessage<T>::eInsert, inIndices) {}
};
