// The failure of a document operation, carrying a fixed English message.
#pragma once

#include <stdexcept>
#include <string>

/// Thrown by documents; what() says what could not be done.
class SDocumentException : public std::runtime_error {
public:
  /// An exception whose what() returns inMessage.
  explicit SDocumentException(const std::string & inMessage);
  /// An exception whose what() returns inMessage.
  explicit SDocumentException(const char * inMessage);
};
