// Writing whole numbers as decimal digits into a caller's buffer (no terminating null).
#pragma once

class SLongToString {
public:
  /// Writes `inLong` in decimal, at most `inMaxLen` digits (the lowest ones) plus a leading
  /// "-" for a negative value; returns the number of characters written (0 if inMaxLen is 0).
  static unsigned long LongToString(long inLong, char * outString, unsigned long inMaxLen);

  /// LongToString of `inLong` with its top bit cleared.
  static unsigned long ULongToString(unsigned long inLong, char * outString,
                                     unsigned long inMaxLen);

  /// Writes exactly `inDigits` characters: the lowest `inDigits` digits of `inLong`,
  /// filled on the left with `inPad`; returns inDigits.
  static unsigned long ULongToPaddedString(unsigned long inLong, char * outString,
                                           unsigned long inDigits, char inPad);
};
