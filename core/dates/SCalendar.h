// Thin, portable wrappers around the C library's calendar-time calls.
#pragma once

#include <ctime>

class SCalendar {
public:
  /// Breaks the current time down as local time.
  static void LocalNow(std::tm & outTime);
  /// Breaks `inTime` down as local time; false (and a zeroed result) when it cannot.
  static bool LocalTime(std::time_t inTime, std::tm & outTime);
  /// The C library's mktime: normalises `ioTime` and returns its calendar time or -1.
  static std::time_t MakeTime(std::tm & ioTime);
};
