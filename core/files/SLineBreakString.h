// The bytes that end a line in a given line-break format.
#pragma once

#include "files/SLineBreakFormat.h"

#include <string>

/// The line break of a format: "\r", "\r\n" or "\n"; empty for an unknown format.
class SLineBreakString : public std::string {
public:
  /// The line break of inFormat.
  explicit SLineBreakString(SLineBreakFormat inFormat = SLineBreakFormat());

  /// Replaces the text by the line break of inFormat.
  void MakeLineBreakString(SLineBreakFormat inFormat);
};
