// The base of listeners of the task vector that react to each kind of change separately.
#pragma once

#include "vectors/TVectorListener.h"
#include "vectors/TVectorMessage.h"
#include "tasks/STask.h"

/// Hands each message of the task vector to the operation for its code; each does nothing
/// unless overridden.
class STaskVectorListener : public TVectorListener<STask> {
public:
  /// Dispatches by code: insert, delete, change, notice.
  void ListenToMessage(TVectorMessage<STask> inMessage) override;
  /// Tasks were inserted at the message's range.
  virtual void ListenToInsertMessage(TVectorMessage<STask> inMessage);
  /// Tasks were removed from the message's range.
  virtual void ListenToDeleteMessage(TVectorMessage<STask> inMessage);
  /// Tasks in the message's range were replaced.
  virtual void ListenToChangeMessage(TVectorMessage<STask> inMessage);
  /// Tasks in the message's range are about to be replaced or removed.
  virtual void ListenToNoticeMessage(TVectorMessage<STask> inMessage);
};
