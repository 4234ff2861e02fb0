// The failure of a document operation, carrying a fixed English message.
#include "documents/SDocumentException.h"

SDocumentException::SDocumentException(const std::string & inMessage) : std::runtime_error(inMessage) {}

SDocumentException::SDocumentException(const char * inMessage) : std::runtime_error(inMessage) {}
