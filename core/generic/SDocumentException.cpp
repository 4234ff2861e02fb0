// The failure of a document operation, carrying a fixed English message.
#include "generic/SDocumentException.h"

SDocumentException::SDocumentException(const std::string & inMessage) : std::runtime_error(inMessage) {}

SDocumentException::SDocumentException(const char * inMessage) : std::runtime_error(inMessage) {}
