// The failure of a file operation: a fixed English message, and why, when that is known.
#pragma once

#include <stdexcept>
#include <string>

/// Thrown by the file layer; what() names the operation that failed and, after a colon,
/// the reason ("A file could not be opened: permission denied").
class SFileException : public std::runtime_error {
public:
  /// An exception whose what() returns inMessage.
  explicit SFileException(const std::string & inMessage);
  /// An exception whose what() returns inMessage.
  explicit SFileException(const char * inMessage);
  /// An exception for inMessage with inReason after it; an empty reason adds nothing.
  SFileException(const std::string & inMessage, const std::string & inReason);

  /// The fixed message, without the reason.
  const std::string & Message() const { return mMessage; }
  /// Why the operation failed; empty when that is not known.
  const std::string & Reason() const { return mReason; }

private:
  std::string mMessage;
  std::string mReason;
};
