// An index map over a broadcasting vector: a list of element indices that stays valid as the
// vector grows and shrinks.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include "vectors/TBroadcasterVector.h"
#include "vectors/TVectorListener.h"
#include "vectors/TVectorMessage.h"

static_assert(std::is_same_v<std::uint32_t, unsigned int>, "map entries are unsigned int");

/// Maps positions (the map's own order) to indices of a TBroadcasterVector<T>. The owner may
/// fill, sort or thin out the index list freely, keeping each index at most once. The map
/// follows the vector: inserted elements are appended at the map's end and indices are shifted
/// past insertions and deletions; deleted elements leave the map. Must not outlive its vector.
template <class T>
class TVectorMap : public TVectorListener<T>, public std::vector<std::uint32_t> {
  using Indices = std::vector<std::uint32_t>;

public:
  /// Registers with inVector and, if inRepopulate, maps every element in vector order.
  TVectorMap(TBroadcasterVector<T> & inVector, bool inRepopulate) : mVector(inVector) {
    if (inRepopulate) {
      Repopulate();
    }
    mVector.AddListener(this);
  }

  /// A map with the same entries over the same vector, registered with it.
  TVectorMap(const TVectorMap & inOther)
      : TVectorListener<T>(), Indices(static_cast<const Indices &>(inOther)), mVector(inOther.mVector) {
    mVector.AddListener(this);
  }

  TVectorMap & operator=(const TVectorMap &) = delete;

  /// Maps every element of the vector, in vector order.
  void Repopulate() {
    Indices::clear();
    Indices::reserve(mVector.size());
    const auto count = static_cast<std::uint32_t>(mVector.size());
    for (std::uint32_t index = 0; index < count; ++index) {
      Indices::push_back(index);
    }
  }

  /// The element at map position inPosition; throws std::out_of_range beyond either end.
  const T & get(unsigned int inPosition) const {
    const std::uint32_t index = Indices::at(inPosition);
    return mVector.at(index);
  }

  /// The element designated by the map entry *inEntry; throws std::out_of_range if stale.
  /// (A template so that a literal position such as 0 picks the position form.)
  template <class P>
    requires(std::is_convertible_v<P, const unsigned int *> && !std::is_integral_v<P>)
  const T & get(P inEntry) const {
    const unsigned int * entry = inEntry;
    if (entry == nullptr) {
      throw std::out_of_range("TVectorMap: no entry");
    }
    return mVector.at(*entry);
  }

  /// Replaces the element at map position inPosition through the vector's set, which
  /// announces it; throws std::out_of_range beyond either end.
  void set(unsigned int inPosition, const T & inValue) {
    const std::uint32_t index = Indices::at(inPosition);
    mVector.set(index, inValue);
  }

  /// The vector mapped.
  TBroadcasterVector<T> & GetVector() const { return mVector; }

  /// Keeps the indices valid across insertions and deletions.
  void ListenToMessage(TVectorMessage<T> inMessage) override {
    switch (inMessage.code()) {
    case TVectorMessage<T>::eInsert:
      if (inMessage.IsScattered()) {
        InsertScattered(inMessage);
      } else {
        Insert(inMessage.begin_index(), inMessage.end_index());
      }
      break;
    case TVectorMessage<T>::eDelete:
      if (inMessage.IsScattered()) {
        DeleteScattered(inMessage);
      } else {
        Delete(inMessage.begin_index(), inMessage.end_index());
      }
      break;
    case TVectorMessage<T>::eChange:
    case TVectorMessage<T>::eNotice:
      break;
    }
  }

private:
  void Insert(std::uint32_t inBegin, std::uint32_t inEnd) {
    if (inEnd <= inBegin) {
      return;
    }
    const std::uint32_t count = inEnd - inBegin;
    // An append (the usual case while loading) leaves every mapped index where it is.
    if (inEnd != mVector.size()) {
      for (std::uint32_t & index : static_cast<Indices &>(*this)) {
        if (index >= inBegin) {
          index += count;
        }
      }
    }
    for (std::uint32_t index = inBegin; index < inEnd; ++index) {
      Indices::push_back(index);
    }
  }

  void InsertScattered(const TVectorMessage<T> & inMessage) {
    for (std::uint32_t & index : static_cast<Indices &>(*this)) {
      index = inMessage.IndexAfterInsert(index);
    }
    Indices::insert(Indices::end(), inMessage.Indices().begin(), inMessage.Indices().end());
  }

  void DeleteScattered(const TVectorMessage<T> & inMessage) {
    auto out = Indices::begin();
    for (auto in = Indices::begin(); in != Indices::end(); ++in) {
      if (!inMessage.Covers(*in)) {
        *out++ = inMessage.IndexAfterDelete(*in);
      }
    }
    Indices::erase(out, Indices::end());
  }

  void Delete(std::uint32_t inBegin, std::uint32_t inEnd) {
    if (inEnd <= inBegin) {
      return;
    }
    if (mVector.empty()) {
      Indices::clear();
      return;
    }
    const std::uint32_t count = inEnd - inBegin;
    auto out = Indices::begin();
    for (auto in = Indices::begin(); in != Indices::end(); ++in) {
      const std::uint32_t index = *in;
      if (index < inBegin) {
        *out++ = index;
      } else if (index >= inEnd) {
        *out++ = index - count;
      }
    }
    Indices::erase(out, Indices::end());
  }

  TBroadcasterVector<T> & mVector; // not owned
};
