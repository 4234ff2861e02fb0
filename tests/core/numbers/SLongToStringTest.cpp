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

TEST(SLongToString, WritesSignedValuesWithinTheDigitLimit) {
  EXPECT_EQ(Long(0, 10), "0");
  EXPECT_EQ(Long(0, 0), "");
  EXPECT_EQ(Long(12345, 0), "");
  EXPECT_EQ(Long(7, 1), "7");
  EXPECT_EQ(Long(12345, 10), "12345");
  EXPECT_EQ(Long(-12345, 10), "-12345");
  // The limit keeps the lowest digits; the sign comes on top of it.
  EXPECT_EQ(Long(12345, 3), "345");
  EXPECT_EQ(Long(-12345, 3), "-345");
  EXPECT_EQ(Long(-1, 1), "-1");
  EXPECT_EQ(Long(1000, 3), "000");
}

TEST(SLongToString, ExtremeValuesKeepTheirDigits) {
  EXPECT_EQ(Long(LONG_MAX, 40), std::to_string(LONG_MAX));
  EXPECT_EQ(Long(LONG_MIN, 40), std::to_string(LONG_MIN));
  EXPECT_EQ(Long(LONG_MIN + 1, 40), std::to_string(LONG_MIN + 1));
  const std::string minDigits = std::to_string(LONG_MIN).substr(1);
  EXPECT_EQ(Long(LONG_MIN, 4), "-" + minDigits.substr(minDigits.size() - 4));
}

TEST(SLongToString, UnsignedClearsTheTopBit) {
  EXPECT_EQ(ULong(42, 10), "42");
  EXPECT_EQ(ULong(0, 10), "0");
  EXPECT_EQ(ULong(ULONG_MAX, 40), std::to_string(LONG_MAX));
  EXPECT_EQ(ULong(static_cast<unsigned long>(LONG_MAX) + 1, 40), "0");
  EXPECT_EQ(ULong(static_cast<unsigned long>(LONG_MAX) + 43, 40), "42");
  if (sizeof(unsigned long) > 4) {
    EXPECT_EQ(ULong(4294967295UL, 40), "4294967295");
    EXPECT_EQ(ULong(4294967295UL, 2), "95");
  } else { // unsigned long has 32 bits (Windows): there this is the top bit
    EXPECT_EQ(ULong(4294967295UL, 40), "2147483647");
    EXPECT_EQ(ULong(4294967295UL, 2), "47");
  }
}

TEST(SLongToString, PaddedWritesExactlyTheDigitsAskedFor) {
  EXPECT_EQ(Padded(112, 2, '0'), "12");
  EXPECT_EQ(Padded(7, 3, '0'), "007");
  EXPECT_EQ(Padded(0, 3, ' '), "  0");
  EXPECT_EQ(Padded(0, 1, '0'), "0");
  EXPECT_EQ(Padded(12345, 8, '*'), "***12345");
  EXPECT_EQ(Padded(12345, 0, '0'), "");
  EXPECT_EQ(Padded(ULONG_MAX, 30, '0'),
            std::string(30 - std::to_string(ULONG_MAX).size(), '0') + std::to_string(ULONG_MAX));
}

} // namespace
