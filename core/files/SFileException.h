// The failure of a file operation, carrying a fixed English message.
#pragma once

#include <stdexcept>
#include <string>

/// Thrown by the file layer; what() names the operation that failed.
class SFileException : public std::runtime_error {
public:
  /// An exception whose what() returns inMessage.
  explicit SFileException(const std::string & inMessage);
  /// An exception whose what() returns inMessage.
  explicit SFileException(const char * inMessage);
};
