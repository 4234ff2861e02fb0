// A command line the tool cannot make sense of.
#include "CUsageError.h"

CUsageError::CUsageError(const std::string & inHint) : std::runtime_error(inHint) {}
