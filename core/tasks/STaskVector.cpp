// The tasks of a time sheet, in file order, with the running total of their durations.
#include "tasks/STaskVector.h"

STaskVector::STaskVector() : mDuration() { AddListener(this); }

STaskVector::STaskVector(const STaskVector & inOther)
    : TBroadcasterVector<STask>(inOther), TVectorListener<STask>(), mDuration(inOther.mDuration) {
  AddListener(this);
}

STaskVector & STaskVector::operator=(const STaskVector & inOther) {
  // The messages of the assignment keep mDuration right.
  TBroadcasterVector<STask>::operator=(inOther);
  return *this;
}

STaskVector::~STaskVector() {
  // Announce now, while this object is whole; the base would announce it after the total and
  // the listener part are gone.
  BroadcastDestruction();
}

void STaskVector::ListenToMessage(TVectorMessage<STask> inMessage) {
  const std::uint32_t begin = inMessage.begin_index();
  const std::uint32_t end = inMessage.end_index();
  switch (inMessage.code()) {
  case TVectorMessage<STask>::eInsert:
  case TVectorMessage<STask>::eChange:
    for (std::uint32_t i = begin; i < end; ++i) {
      mDuration += (*this)[i].GetDuration();
    }
    break;
  case TVectorMessage<STask>::eNotice:
    for (std::uint32_t i = begin; i < end; ++i) {
      mDuration -= (*this)[i].GetDuration();
    }
    break;
  case TVectorMessage<STask>::eDelete:
    break; // the notice before it has subtracted the tasks
  }
}
