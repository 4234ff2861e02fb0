// A calendar day, held as the calendar-time seconds of 12:00:00 local time on that day.
#pragma once

#include <cstdint>

class SDate {
public:
  /// The date 0 (before every representable day).
  SDate() = default;
  /// A date from its calendar-time seconds.
  explicit SDate(unsigned long inSeconds) : mSeconds(static_cast<std::uint32_t>(inSeconds)) {}

  /// The calendar-time seconds of the day's local noon.
  operator unsigned long() const { return mSeconds; }

  /// Two dates are equal when their seconds are equal.
  bool operator==(const SDate & inOther) const { return mSeconds == inOther.mSeconds; }
  bool operator!=(const SDate & inOther) const { return mSeconds != inOther.mSeconds; }
  /// Earlier dates have fewer seconds.
  bool operator<(const SDate & inOther) const { return mSeconds < inOther.mSeconds; }

private:
  std::uint32_t mSeconds = 0;
};
