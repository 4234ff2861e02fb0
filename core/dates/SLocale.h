// The locale settings the text forms of dates and durations use: date order and separators.
#pragma once

#include "dates/SDateFormat.h"

class SLocale {
public:
  /// Month, day, year with "/", ":" and ".", then the user's date order (Initialize).
  SLocale();

  /// Takes the date order from the user's locale settings; the separators stay as they are.
  void Initialize();

  SDateFormat GetDateFormat() const { return mDateFormat; }
  char GetDateSeparator() const { return mDateSeparator; }
  char GetTimeSeparator() const { return mTimeSeparator; }
  char GetDecimalSeparator() const { return mDecimalSeparator; }
  /// Replaces the date order that conversions take by default from now on (for a program
  /// whose user chooses it rather than the system).
  void SetDateFormat(SDateFormat inFormat) { mDateFormat = inFormat; }

  /// The one process-wide locale every text conversion takes its settings from.
  static SLocale & Default();

  /// Reads the order of day, month and year from a strftime pattern such as "%d.%m.%Y".
  /// Year first gives eYMD, month before day eMDY, day before month eDMY. Returns false
  /// (leaving outOrder alone) when the pattern does not name both a day and a month.
  static bool DateOrderFromPattern(const char * inPattern, SDateFormat::EFormat & outOrder);

  /// The process-wide locale (the same object as Default()).
  static SLocale & sDefaultLocale;

private:
  SDateFormat mDateFormat;
  char mDateSeparator;
  char mTimeSeparator;
  char mDecimalSeparator;
};
