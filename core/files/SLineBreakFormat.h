// The three line-break conventions of text files.
#pragma once

/// Which bytes end a line: carriage return (Macintosh), carriage return and line feed
/// (Windows, the default) or line feed (UNIX).
class SLineBreakFormat {
public:
  // A fixed underlying type, so that any stored number is a valid (if unknown) format.
  enum EFormat : int { eMac = 0, eDOS = 1, eUNIX = 2 };

  /// `eDOS`.
  SLineBreakFormat() = default;
  /// The format inFormat (any value is kept; unknown ones have an empty line break).
  SLineBreakFormat(EFormat inFormat) : mFormat(inFormat) {}

  /// The format held.
  EFormat GetFormat() const { return mFormat; }

  bool operator==(const SLineBreakFormat & inOther) const { return mFormat == inOther.mFormat; }

private:
  EFormat mFormat = eDOS;
};
