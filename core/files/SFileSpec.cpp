// The full path of a file, as text.
#include "files/SFileSpec.h"

SFileSpec::SFileSpec(const char * inPath) : std::string(inPath ? inPath : "") {}

SFileSpec::SFileSpec(const std::string & inPath) : std::string(inPath) {}
