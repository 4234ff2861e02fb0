// A duration in whole seconds.
#pragma once

#include <cstdint>

class STime {
public:
  /// A duration of 0 seconds.
  STime() = default;
  /// A duration of `inSeconds` seconds (kept in 32 bits).
  explicit STime(unsigned long inSeconds) : mSeconds(static_cast<std::uint32_t>(inSeconds)) {}

  /// The duration in seconds.
  operator unsigned long() const { return mSeconds; }

  bool operator==(const STime & inOther) const { return mSeconds == inOther.mSeconds; }
  bool operator!=(const STime & inOther) const { return mSeconds != inOther.mSeconds; }
  /// Shorter durations first.
  bool operator<(const STime & inOther) const { return mSeconds < inOther.mSeconds; }

  /// Adds a duration (unsigned 32-bit arithmetic, wrapping).
  STime & operator+=(const STime & inOther) {
    mSeconds += inOther.mSeconds;
    return *this;
  }
  /// Subtracts a duration (unsigned 32-bit arithmetic, wrapping).
  STime & operator-=(const STime & inOther) {
    mSeconds -= inOther.mSeconds;
    return *this;
  }

private:
  std::uint32_t mSeconds = 0;
};
