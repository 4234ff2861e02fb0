// The tasks of a time sheet, in file order, with the running total of their durations.
#include "tasks/STaskVector.h"

#include "files/SSystemCalls.h"

#include <algorithm>

STaskVector::STaskVector() { AddListener(this); }

STaskVector::STaskVector(const STaskVector & inOther)
    : TBroadcasterVector<STask>(inOther), TVectorListener<STask>(), mTotalSeconds(inOther.mTotalSeconds) {
  AddListener(this);
}

STaskVector & STaskVector::operator=(const STaskVector & inOther) {
  // The messages of the assignment keep the total right.
  TBroadcasterVector<STask>::operator=(inOther);
  return *this;
}

STime STaskVector::GetDuration() const {
  constexpr std::uint64_t kLargest = UINT32_MAX;
  return STime(static_cast<unsigned long>(mTotalSeconds < kLargest ? mTotalSeconds : kLargest));
}

STaskVector::~STaskVector() {
  // Announce now, while this object is whole; the base would announce it after the total and
  // the listener part are gone.
  BroadcastDestruction();
}

void STaskVector::reserve(size_type inCount) {
  constexpr std::size_t kLargeBytes = std::size_t(8) << 20;
  const STask * const before = data();
  TBroadcasterVector<STask>::reserve(inCount);
  if (data() != before && capacity() * sizeof(STask) >= kLargeBytes)
    SSystemCalls::AdviseHugePages(data() + size(), (capacity() - size()) * sizeof(STask));
}

void STaskVector::MakeRoomFor(size_type inExtra) {
  const size_type needed = size() + inExtra;
  if (needed > capacity())
    reserve(capacity() == 0 ? needed : std::max(needed, capacity() + capacity() / 2));
}

void STaskVector::ListenToMessage(TVectorMessage<STask> inMessage) {
  switch (inMessage.code()) {
  case TVectorMessage<STask>::eInsert:
  case TVectorMessage<STask>::eChange:
    inMessage.ForEachIndex(
        [this](std::uint32_t inIndex) { mTotalSeconds += static_cast<unsigned long>((*this)[inIndex].GetDuration()); });
    break;
  case TVectorMessage<STask>::eNotice:
    inMessage.ForEachIndex(
        [this](std::uint32_t inIndex) { mTotalSeconds -= static_cast<unsigned long>((*this)[inIndex].GetDuration()); });
    break;
  case TVectorMessage<STask>::eDelete:
    break; // the notice before it has subtracted the tasks
  }
}
