// The failure of a file operation, carrying a fixed English message and its reason.
#include "files/SFileException.h"

SFileException::SFileException(const std::string & inMessage) : std::runtime_error(inMessage), mMessage(inMessage) {}

SFileException::SFileException(const char * inMessage) : std::runtime_error(inMessage), mMessage(inMessage) {}

SFileException::SFileException(const std::string & inMessage, const std::string & inReason)
    : std::runtime_error(inReason.empty() ? inMessage : inMessage + ": " + inReason), mMessage(inMessage),
      mReason(inReason) {}
