// The vector message whose code is eChange: elements were replaced; the range is their indices, holding the new values.
#pragma once

#include "vectors/TVectorMessage.h"

/// A TVectorMessage with the code eChange.
template <class T>
class TVectorMessageChange : public TVectorMessage<T> {
public:
  /// The message for the one element at inIndex.
  explicit TVectorMessageChange(unsigned inIndex)
      : TVectorMessage<T>(TVectorMessage<T>::eChange, inIndex) {}
  /// The message for the elements [inBegin, inEnd).
  TVectorMessageChange(unsigned inBegin, unsigned inEnd)
      : TVectorMessage<T>(TVectorMessage<T>::eChange, inBegin, inEnd) {}
};
