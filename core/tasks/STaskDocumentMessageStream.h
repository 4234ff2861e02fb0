// The message that a task document was given a new stream.
#pragma once

#include "tasks/STaskDocumentMessage.h"

/// An STaskDocumentMessage with code eStream.
class STaskDocumentMessageStream : public STaskDocumentMessage {
public:
  STaskDocumentMessageStream() : STaskDocumentMessage(eStream) {}
};
