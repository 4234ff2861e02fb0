// The receiver of a task document's own messages.
#pragma once

#include "vectors/TListener.h"
#include "tasks/STaskDocumentMessage.h"

/// Hears STaskDocumentMessage from a task document.
using STaskDocumentListener = TListener<STaskDocumentMessage>;
