// The change message of a broadcasting vector: what happened to which half-open range of indices.
#pragma once

#include <cstdint>

/// Tells a vector's listeners that the elements [begin_index(), end_index()) were inserted,
/// deleted or changed, or are about to be changed or deleted (notice, sent while still readable).
template <class T>
class TVectorMessage {
public:
  enum ECode { eInsert = 0, eDelete = 1, eChange = 2, eNotice = 3 };

  /// The message for the one element at inIndex.
  TVectorMessage(ECode inCode, unsigned inIndex)
      : mCode(inCode), mBegin(inIndex), mEnd(inIndex + 1) {}
  /// The message for the elements [inBegin, inEnd).
  TVectorMessage(ECode inCode, unsigned inBegin, unsigned inEnd)
      : mCode(inCode), mBegin(inBegin), mEnd(inEnd) {}

  /// What happened.
  ECode code() const { return mCode; }
  /// The first index of the range.
  std::uint32_t begin_index() const { return mBegin; }
  /// One past the last index of the range.
  std::uint32_t end_index() const { return mEnd; }

  bool operator==(const TVectorMessage &) const = default;

protected:
  ECode mCode;
  std::uint32_t mBegin;
  std::uint32_t mEnd;
};
