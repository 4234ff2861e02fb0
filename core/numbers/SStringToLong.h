// Reading a decimal whole number from the start of a text.
#pragma once

class SStringToLong {
public:
  /// Reads an optional "-" (not counted in inLength), then up to `inLength` characters while
  /// they are digits. Magnitudes beyond 2147483647 give 2147483647; the sign applies last.
  /// The caller guarantees that the characters read are there.
  static long StringToLong(const char * inString, long inLength);
  /// The same for unsigned characters.
  static long StringToLong(const unsigned char * inString, long inLength);
};
