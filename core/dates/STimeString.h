// The text form of a duration: hours, minutes and seconds, or decimal hours.
#pragma once

#include "dates/STime.h"

#include <cstddef>
#include <string>

class STimeString : public std::string {
public:
  /// Empty text; formatting writes at least `inMinHourDigits` and at most
  /// `inMaxHourDigits` hour digits.
  STimeString(unsigned short inMaxHourDigits, unsigned short inMinHourDigits);
  /// The text of `inTime`.
  STimeString(STime inTime, unsigned short inMaxHourDigits, unsigned short inMinHourDigits);

  /// Replaces the text by the formatted duration.
  STimeString & operator=(STime inTime);
  /// Replaces the text unchanged (null gives an empty text).
  STimeString & operator=(const char * inText);
  /// Replaces the text unchanged.
  STimeString & operator=(const std::string & inText);

  /// The duration the text names (see ParseTime).
  operator STime() const;

  unsigned short GetMaxHourDigits() const { return mMaxHourDigits; }
  unsigned short GetMinHourDigits() const { return mMinHourDigits; }

  /// Replaces the text by hh:mm:ss, the hours padded to the minimum digits; a duration
  /// whose hours need more than the maximum digits shows the largest one (99:59:59).
  void MakeTimeString(STime inTime);

  /// Parses `inLength` characters at `inText`: decimal hours ("1.5") when the text has a
  /// decimal separator and no time separator, otherwise hours:minutes:seconds ("1:30").
  /// Only the first 9 decimals count. Never fails; unreadable parts count as 0.
  static STime ParseTime(const char * inText, std::size_t inLength);

private:
  unsigned short mMaxHourDigits;
  unsigned short mMinHourDigits;
};
