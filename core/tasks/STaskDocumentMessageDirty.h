// The message that a task document's dirty state was set.
#pragma once

#include "tasks/STaskDocumentMessage.h"

/// An STaskDocumentMessage with code eDirty.
class STaskDocumentMessageDirty : public STaskDocumentMessage {
public:
  STaskDocumentMessageDirty() : STaskDocumentMessage(eDirty) {}
};
