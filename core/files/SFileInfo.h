// The type of a file given when it is created (a four-character extension).
#pragma once

#include <string>

/// The file type used by `SFile::Create`; platforms that type files by name ignore it.
class SFileInfo {
public:
  /// Four spaces.
  SFileInfo();
  /// The first four characters of inExtension, padded with spaces.
  explicit SFileInfo(const char * inExtension);

  /// The four characters as a string.
  std::string Extension() const { return std::string(mExtension, sizeof mExtension); }

  char mExtension[4];
};
