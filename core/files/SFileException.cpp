// The failure of a file operation, carrying a fixed English message.
#include "files/SFileException.h"

SFileException::SFileException(const std::string & inMessage) : std::runtime_error(inMessage) {}

SFileException::SFileException(const char * inMessage) : std::runtime_error(inMessage) {}
