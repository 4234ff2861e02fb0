// The full path of a file, as text.
#pragma once

#include <string>

/// A file's full path; a string with a name of its own.
class SFileSpec : public std::string {
public:
  /// An empty path.
  SFileSpec() = default;
  /// The path inPath.
  SFileSpec(const char * inPath);
  /// The path inPath.
  SFileSpec(const std::string & inPath);
  SFileSpec(const SFileSpec &) = default;
  SFileSpec(SFileSpec &&) noexcept = default;
  SFileSpec & operator=(const SFileSpec &) = default;
  SFileSpec & operator=(SFileSpec &&) noexcept = default;
};
