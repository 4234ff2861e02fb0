// Whether text a user typed into a date or duration field is one, checked before the text
// replaces a stored value. (Reading files stays lenient; typing is not.)
#pragma once

#include <string_view>

#include "dates/SDateFormat.h"

class STypedValue {
public:
  /// True when inText, blanks around it aside, is a day alone, day and month, or day, month
  /// and year, in inFormat's order (two parts: day and month in the order they have in the
  /// full form), digits separated by the date separator, the year of 1, 2 or 4 digits, and
  /// names a real day a date can hold. Missing parts are today's.
  static bool IsDate(std::string_view inText, SDateFormat inFormat);
  /// True when inText, blanks around it aside, is hours, hours:minutes or
  /// hours:minutes:seconds, or decimal hours, and fits in a duration.
  static bool IsDuration(std::string_view inText);
  /// inText without the spaces and tabs at its ends.
  static std::string_view Trimmed(std::string_view inText);
};
