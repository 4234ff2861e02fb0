// Number-to-text conversions: limits, signs, padding.
#include "numbers/SLongToString.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

// Runs a writer into a buffer full of '#' and returns what it wrote; checks the count
// matches and nothing beyond it was touched.
template <class F> std::string Written(F write) {
  char buffer[64];
  std::memset(buffer, '#', sizeof buffer);
  unsigned long count = write(buffer);
  EXPECT_LE(count, sizeof buffer);
  for (std::size_t i = count; i < sizeof buffer; ++i)
    EXPECT_EQ(buffer[i], '#') << "wrote past its count at " << i;
  return std::string(buffer, count);
}

std::string Long(long value, unsigned long maxLen) {
  return Written([&](char * out) { return SLongToString::LongToString(value, out, maxLen); });
}

std::string ULong(unsigned long value, unsigned long maxLen) {
  return Written([&](char * out) { return SLongToString::ULongToString(value, out, maxLen); });
}

std::string Padded(unsigned long value, unsigned long digits, char pad) {
  return Written(
      [&](char * out) { return SLongToString::ULongToPaddedString(value, out, digits, pad); });
}

TEST(SLongToString, WritesDigitsWithinTheLimitSignAndPadding) {
  EXPECT_EQ(Long(0, 10), "0");
  EXPECT_EQ(Long(12345, 0), "");
  EXPECT_EQ(Long(-12345, 10), "-12345");
  // The limit keeps the lowest digits; the sign comes on top of it.
  EXPECT_EQ(Long(-12345, 3), "-345");
  EXPECT_EQ(Long(1000, 3), "000");
  EXPECT_EQ(Long(LONG_MIN, 40), std::to_string(LONG_MIN));
  EXPECT_EQ(Long(LONG_MAX, 40), std::to_string(LONG_MAX));
  // Unsigned values lose their top bit.
  EXPECT_EQ(ULong(42, 10), "42");
  EXPECT_EQ(ULong(ULONG_MAX, 40), std::to_string(LONG_MAX));
  EXPECT_EQ(ULong(static_cast<unsigned long>(LONG_MAX) + 43, 40), "42");
  EXPECT_EQ(Padded(112, 2, '0'), "12");
  EXPECT_EQ(Padded(7, 3, '0'), "007");
  EXPECT_EQ(Padded(0, 3, ' '), "  0");
  EXPECT_EQ(Padded(12345, 8, '*'), "***12345");
  EXPECT_EQ(Padded(12345, 0, '0'), "");
}

} // namespace
