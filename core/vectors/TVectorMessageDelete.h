// The vector message whose code is eDelete: elements were removed; the range is their former indices.
#pragma once

#include "vectors/TVectorMessage.h"

/// A TVectorMessage with the code eDelete.
template <class T>
class TVectorMessageDelete : public TVectorMessage<T> {
public:
  /// The message for the one element at inIndex.
  explicit TVectorMessageDelete(unsigned inIndex)
      : TVectorMessage<T>(TVectorMessage<T>::eDelete, inIndex) {}
  /// The message for the elements [inBegin, inEnd).
  TVectorMessageDelete(unsigned inBegin, unsigned inEnd)
      : TVectorMessage<T>(TVectorMessage<T>::eDelete, inBegin, inEnd) {}
  /// The scattered message for the ascending, non-empty indices `inIndices` (not owned).
  explicit TVectorMessageDelete(const std::vector<std::uint32_t> & inIndices)
      : TVectorMessage<T>(TVectorMessage<T>::eDelete, inIndices) {}
};
