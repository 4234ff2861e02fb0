// A failure the command-line tool reports on its error stream.
#include "CToolError.h"

namespace {

std::string Compose(const std::string & inFile, const std::string & inMessage) {
  return inFile.empty() ? inMessage : inFile + ": " + inMessage;
}

} // namespace

CToolError::CToolError(const std::string & inFile, const std::string & inMessage)
    : std::runtime_error(Compose(inFile, inMessage)), mFile(inFile), mMessage(inMessage) {}
