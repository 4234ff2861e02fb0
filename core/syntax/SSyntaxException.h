// The one failure of the filter language: a runtime error carrying a fixed message.
#pragma once

#include <stdexcept>
#include <string>

class SSyntaxException : public std::runtime_error {
public:
  /// A failure with the given message.
  explicit SSyntaxException(const std::string & message) : std::runtime_error(message) {}
  explicit SSyntaxException(const char * message) : std::runtime_error(message) {}
};
