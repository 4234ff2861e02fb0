// Test helpers for dates: local breakdown of a date, today's date, the noon of a day, and
// tests run in several time zones.
#pragma once

#include "dates/SDate.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <ctime>
#include <ostream>
#include <string>
#include <utility>

namespace datetest {

struct Day {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  bool operator==(const Day &) const = default;
};

/// The local breakdown of a calendar time.
inline Day Local(std::time_t seconds) {
  std::tm t{};
#ifdef _WIN32
  localtime_s(&t, &seconds);
#else
  localtime_r(&seconds, &t);
#endif
  return Day{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

/// The local breakdown of a date.
inline Day Local(SDate date) {
  return Local(static_cast<std::time_t>(static_cast<unsigned long>(date)));
}

/// Local noon of the given day, as the breakdown a date should have.
inline Day Noon(int year, int month, int day) {
  return Day{year, month, day, 12, 0, 0};
}

/// Today's local day (at noon).
inline Day Today() {
  Day now = Local(std::time(nullptr));
  return Noon(now.year, now.month, now.day);
}

/// Seconds of noon UTC of a proleptic Gregorian day, computed without the C library.
inline long long NoonUtc(int year, int month, int day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yoe = year - era * 400;
  const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return (era * 146097 + doe - 719468) * 86400 + 43200;
}

/// A test run in each time zone its parameter names; skipped where the C library cannot
/// follow the zone.
class ZoneTest : public ::testing::TestWithParam<const char *> {
protected:
  void SetUp() override {
    if (!mZone.Supported())
      GTEST_SKIP() << mZone.WhyUnsupported();
  }
  testsupport::ScopedTimeZone mZone{GetParam()};
};

/// Calls `f` (whose result depends on today's date) until no midnight passed during the
/// call; returns today's date and the result.
template <class F> auto WithStableToday(F f) {
  for (;;) {
    const Day before = Today();
    auto result = f();
    if (Today() == before)
      return std::make_pair(before, result);
  }
}

inline std::ostream & operator<<(std::ostream & out, const Day & d) {
  return out << d.year << '-' << d.month << '-' << d.day << ' ' << d.hour << ':' << d.minute
             << ':' << d.second;
}

} // namespace datetest
