// The sender of a task document's own messages.
#pragma once

#include "vectors/TBroadcaster.h"
#include "tasks/STaskDocumentMessage.h"

/// Sends STaskDocumentMessage to the document's listeners (the window's file status).
using STaskDocumentBroadcaster = TBroadcaster<STaskDocumentMessage>;
