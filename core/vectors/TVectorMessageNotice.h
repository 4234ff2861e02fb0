// The vector message whose code is eNotice: elements are about to be replaced or removed; they are still readable in the range.
#pragma once

#include "vectors/TVectorMessage.h"

/// A TVectorMessage with the code eNotice.
template <class T>
class TVectorMessageNotice : public TVectorMessage<T> {
public:
  /// The message for the one element at inIndex.
  explicit TVectorMessageNotice(unsigned inIndex)
      : TVectorMessage<T>(TVectorMessage<T>::eNotice, inIndex) {}
  /// The message for the elements [inBegin, inEnd).
  TVectorMessageNotice(unsigned inBegin, unsigned inEnd)
      : TVectorMessage<T>(TVectorMessage<T>::eNotice, inBegin, inEnd) {}
  /// The scattered message for the ascending, non-empty indices `inIndices` (not owned).
  explicit TVectorMessageNotice(const std::vector<std::uint32_t> & inIndices)
      : TVectorMessage<T>(TVectorMessage<T>::eNotice, inIndices) {}
};
