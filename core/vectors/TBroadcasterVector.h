// A vector that announces every change of its contents to its listeners.
#pragma once

#include <cstdint>
#include <functional>
#include <iterator>
#include <limits>
#include <span>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#include "vectors/TBroadcaster.h"
#include "vectors/TVectorListener.h"
#include "vectors/TVectorMessage.h"
#include "vectors/TVectorMessageChange.h"
#include "vectors/TVectorMessageDelete.h"
#include "vectors/TVectorMessageInsert.h"
#include "vectors/TVectorMessageNotice.h"

/// A vector of T that can be read freely and changed only through operations that broadcast
/// what they change: eNotice before elements are replaced or removed, then eChange or eDelete,
/// and eInsert after elements were added. Messages go out even for empty ranges.
///
/// Listeners must not change the vector from inside a message.
template <class T>
class TBroadcasterVector : public TBroadcaster<TVectorMessage<T>>, private std::vector<T> {
  using Base = std::vector<T>;
  using Message = TVectorMessage<T>;

public:
  using value_type = T;
  using size_type = typename Base::size_type;
  using difference_type = typename Base::difference_type;
  using const_reference = typename Base::const_reference;
  using const_pointer = typename Base::const_pointer;
  using const_iterator = typename Base::const_iterator;
  using const_reverse_iterator = typename Base::const_reverse_iterator;

  TBroadcasterVector() = default;
  /// A vector with the same elements and no listeners.
  TBroadcasterVector(const TBroadcasterVector & inOther)
      : TBroadcaster<Message>(), Base(static_cast<const Base &>(inOther)) {}

  /// Announces the removal of all elements (eNotice [0, n), eDelete [0, n)), then dies.
  ~TBroadcasterVector() override { BroadcastDestruction(); }

  // Reading.
  /// The element at inIndex; throws std::out_of_range beyond the end.
  const T & at(size_type inIndex) const { return Base::at(inIndex); }
  const T & operator[](size_type inIndex) const { return Base::operator[](inIndex); }
  const T & front() const { return Base::front(); }
  const T & back() const { return Base::back(); }
  const T * data() const { return Base::data(); }
  const_iterator begin() const { return Base::cbegin(); }
  const_iterator end() const { return Base::cend(); }
  const_iterator cbegin() const { return Base::cbegin(); }
  const_iterator cend() const { return Base::cend(); }
  const_reverse_iterator rbegin() const { return Base::crbegin(); }
  const_reverse_iterator rend() const { return Base::crend(); }
  using Base::capacity;
  using Base::empty;
  using Base::size;
  /// Makes room for inCount elements; changes no element and sends nothing.
  using Base::reserve;

  /// The index of the element at inPosition; throws std::out_of_range if it is not one of ours.
  size_type index_of(const T * inPosition) const {
    const T * first = Base::data();
    const T * last = first + Base::size();
    if (std::less<const T *>()(inPosition, first) || !std::less<const T *>()(inPosition, last)) {
      throw std::out_of_range("TBroadcasterVector: position outside the vector");
    }
    return static_cast<size_type>(inPosition - first);
  }

  // Changing.
  /// Appends a copy of inValue; then eInsert [n - 1, n).
  void push_back(const T & inValue) {
    CheckRoomFor(1);
    Base::push_back(inValue);
    BroadcastMessage(TVectorMessageInsert<T>(Index(size() - 1)));
  }

  /// Appends inValue; then eInsert [n - 1, n).
  void push_back(T && inValue) {
    CheckRoomFor(1);
    Base::push_back(std::move(inValue));
    BroadcastMessage(TVectorMessageInsert<T>(Index(size() - 1)));
  }

  /// Inserts inValue before the element at inIndex (at the end when inIndex is the size);
  /// then eInsert [inIndex, inIndex + 1). Throws std::out_of_range beyond the end.
  void insert(size_type inIndex, const T & inValue) {
    CheckInsertionPoint(inIndex);
    CheckRoomFor(1);
    Base::insert(Base::cbegin() + static_cast<difference_type>(inIndex), inValue);
    BroadcastMessage(TVectorMessageInsert<T>(Index(inIndex)));
  }

  /// Inserts copies of [inFirst, inLast) before the element at inIndex;
  /// then eInsert [inIndex, inIndex + count). Throws std::out_of_range beyond the end.
  template <std::forward_iterator It>
  void insert(size_type inIndex, It inFirst, It inLast) {
    CheckInsertionPoint(inIndex);
    const auto count = static_cast<size_type>(std::distance(inFirst, inLast));
    CheckRoomFor(count);
    const auto where = Base::cbegin() + static_cast<difference_type>(inIndex);
    if constexpr (std::is_same_v<It, const_iterator>) {
      // The source may be this very vector: copy it out first.
      Base copy(inFirst, inLast);
      Base::insert(where, std::make_move_iterator(copy.begin()), std::make_move_iterator(copy.end()));
    } else {
      Base::insert(where, inFirst, inLast);
    }
    BroadcastMessage(TVectorMessageInsert<T>(Index(inIndex), Index(inIndex + count)));
  }

  /// Moves the elements of ioValues to the end, leaving ioValues empty; then one
  /// eInsert [n, n + count).
  void append(std::vector<T> && ioValues) { append(std::span<std::vector<T>>(&ioValues, 1)); }

  /// Moves the elements of each of ioParts to the end, part after part, leaving the parts
  /// empty; then one eInsert [n, n + count) for them all.
  void append(std::span<std::vector<T>> ioParts) {
    size_type count = 0;
    for (const std::vector<T> & part : ioParts)
      count += part.size();
    CheckRoomFor(count);
    const auto first = size();
    for (std::vector<T> & part : ioParts) {
      Base::insert(Base::end(), std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
      part.clear();
    }
    BroadcastMessage(TVectorMessageInsert<T>(Index(first), Index(size())));
  }

  /// Replaces the element at inPosition: eNotice [i, i + 1), assign, eChange [i, i + 1).
  /// Throws std::out_of_range if inPosition is not an element of this vector.
  /// (A template so that a literal index such as 0 picks the index form.)
  template <class P>
    requires(std::is_convertible_v<P, const T *> && !std::is_integral_v<P>)
  void set(P inPosition, const T & inValue) {
    set(index_of(inPosition), inValue);
  }

  /// Replaces the element at inIndex: eNotice [i, i + 1), assign, eChange [i, i + 1).
  /// Throws std::out_of_range beyond the end.
  void set(size_type inIndex, const T & inValue) {
    if (inIndex >= size()) {
      throw std::out_of_range("TBroadcasterVector: index beyond the end");
    }
    BroadcastMessage(TVectorMessageNotice<T>(Index(inIndex)));
    try {
      Base::operator[](inIndex) = inValue;
    } catch (...) {
      // The notice has gone out: pair it with a change so listeners stay balanced.
      BroadcastMessage(TVectorMessageChange<T>(Index(inIndex)));
      throw;
    }
    BroadcastMessage(TVectorMessageChange<T>(Index(inIndex)));
  }

  /// Removes the elements [inBegin, inEnd): eNotice [inBegin, inEnd), remove, eDelete [inBegin, inEnd).
  /// Throws std::out_of_range unless inBegin <= inEnd <= size().
  void erase(size_type inBegin, size_type inEnd) {
    if (inBegin > inEnd || inEnd > size()) {
      throw std::out_of_range("TBroadcasterVector: range outside the vector");
    }
    BroadcastMessage(TVectorMessageNotice<T>(Index(inBegin), Index(inEnd)));
    Base::erase(Base::cbegin() + static_cast<difference_type>(inBegin),
                Base::cbegin() + static_cast<difference_type>(inEnd));
    BroadcastMessage(TVectorMessageDelete<T>(Index(inBegin), Index(inEnd)));
  }

  /// Removes the elements at the ascending indices inIndices with one eNotice and one eDelete
  /// for the batch (plain ranges when the indices are contiguous); nothing for an empty list.
  /// Throws std::out_of_range, changing nothing, unless the indices ascend strictly below size().
  void erase_scattered(const std::vector<std::uint32_t> & inIndices) {
    if (inIndices.empty()) {
      return;
    }
    CheckAscending(inIndices, size());
    const std::uint32_t first = inIndices.front();
    const std::uint32_t last = inIndices.back();
    if (last - first + 1 == inIndices.size()) {
      erase(first, size_type(last) + 1);
      return;
    }
    BroadcastMessage(TVectorMessageNotice<T>(inIndices));
    auto next = inIndices.begin();
    size_type kept = first;
    for (size_type index = first; index < size(); ++index) {
      if (next != inIndices.end() && *next == index) {
        ++next;
        continue;
      }
      Base::operator[](kept++) = std::move(Base::operator[](index));
    }
    Base::erase(Base::begin() + static_cast<difference_type>(kept), Base::end());
    BroadcastMessage(TVectorMessageDelete<T>(inIndices));
  }

  /// Inserts inValues so that inValues[k] ends up at index inIndices[k] of the grown vector
  /// (the indices ascending), with one eInsert for the batch (a plain range when the indices
  /// are contiguous); nothing for an empty list. Throws std::out_of_range, changing nothing,
  /// unless the lists are as long as each other and the indices ascend strictly within the
  /// grown vector.
  void insert_scattered(const std::vector<std::uint32_t> & inIndices, const std::vector<T> & inValues) {
    if (inIndices.size() != inValues.size()) {
      throw std::out_of_range("TBroadcasterVector: as many indices as values needed");
    }
    if (inIndices.empty()) {
      return;
    }
    CheckRoomFor(inValues.size());
    CheckAscending(inIndices, size() + inValues.size());
    const std::uint32_t first = inIndices.front();
    if (inIndices.back() - first + 1 == inIndices.size()) {
      insert(first, inValues.begin(), inValues.end());
      return;
    }
    // Copy first and reserve: from then on only moves, so a failure changes nothing.
    Base added(inValues);
    Base merged;
    merged.reserve(size() + added.size());
    auto old = Base::begin();
    for (std::size_t k = 0; k < inIndices.size(); ++k) {
      while (merged.size() < inIndices[k]) {
        merged.push_back(std::move(*old++));
      }
      merged.push_back(std::move(added[k]));
    }
    merged.insert(merged.end(), std::make_move_iterator(old), std::make_move_iterator(Base::end()));
    Base::swap(merged);
    BroadcastMessage(TVectorMessageInsert<T>(inIndices));
  }

  /// Removes all elements: eNotice [0, n), remove, eDelete [0, n).
  void clear() {
    const auto count = Index(size());
    BroadcastMessage(TVectorMessageNotice<T>(0, count));
    Base::clear();
    BroadcastMessage(TVectorMessageDelete<T>(0, count));
  }

  /// Replaces all elements by copies of inOther's (not its listeners):
  /// eNotice [0, n), replace, eDelete [0, n), eInsert [0, m).
  /// If copying fails, nothing changes and nothing is sent.
  TBroadcasterVector & operator=(const TBroadcasterVector & inOther) {
    Base copy(static_cast<const Base &>(inOther));
    const auto oldCount = Index(size());
    BroadcastMessage(TVectorMessageNotice<T>(0, oldCount));
    Base::swap(copy);
    BroadcastMessage(TVectorMessageDelete<T>(0, oldCount));
    BroadcastMessage(TVectorMessageInsert<T>(0, Index(size())));
    return *this;
  }

  using TBroadcaster<Message>::BroadcastMessage;

protected:
  /// Announces the removal of all elements once; a derived class whose own parts listen calls
  /// this in its destructor, while those parts are still alive.
  void BroadcastDestruction() {
    if (mIsDestructionBroadcast) {
      return;
    }
    mIsDestructionBroadcast = true;
    clear();
  }

private:
  static std::uint32_t Index(size_type inIndex) { return static_cast<std::uint32_t>(inIndex); }

  void CheckInsertionPoint(size_type inIndex) const {
    if (inIndex > size()) {
      throw std::out_of_range("TBroadcasterVector: insertion point beyond the end");
    }
  }

  // The indices ascend strictly and lie below inLimit.
  static void CheckAscending(const std::vector<std::uint32_t> & inIndices, size_type inLimit) {
    if (inIndices.back() >= inLimit) {
      throw std::out_of_range("TBroadcasterVector: index beyond the end");
    }
    for (std::size_t k = 1; k < inIndices.size(); ++k) {
      if (inIndices[k] <= inIndices[k - 1]) {
        throw std::out_of_range("TBroadcasterVector: indices not ascending");
      }
    }
  }

  // Message ranges are 32-bit.
  void CheckRoomFor(size_type inCount) const {
    if (inCount > std::numeric_limits<std::uint32_t>::max() - size()) {
      throw std::length_error("TBroadcasterVector: too many elements");
    }
  }

  bool mIsDestructionBroadcast = false;
};
