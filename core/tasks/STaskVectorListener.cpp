// The base of listeners of the task vector that react to each kind of change separately.
#include "tasks/STaskVectorListener.h"

void STaskVectorListener::ListenToMessage(TVectorMessage<STask> inMessage) {
  switch (inMessage.code()) {
  case TVectorMessage<STask>::eInsert:
    ListenToInsertMessage(inMessage);
    break;
  case TVectorMessage<STask>::eDelete:
    ListenToDeleteMessage(inMessage);
    break;
  case TVectorMessage<STask>::eChange:
    ListenToChangeMessage(inMessage);
    break;
  case TVectorMessage<STask>::eNotice:
    ListenToNoticeMessage(inMessage);
    break;
  }
}

void STaskVectorListener::ListenToInsertMessage(TVectorMessage<STask>) {}

void STaskVectorListener::ListenToDeleteMessage(TVectorMessage<STask>) {}

void STaskVectorListener::ListenToChangeMessage(TVectorMessage<STask>) {}

void STaskVectorListener::ListenToNoticeMessage(TVectorMessage<STask>) {}
