// Duration texts: hours:minutes:seconds, decimal hours, padding and clamping.
#include "dates/STimeString.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

unsigned long Seconds(const std::string & text) {
  STimeString s(2, 2);
  s = text;
  return STime(s);
}

std::string Text(unsigned long seconds, unsigned short maxDigits = 2, unsigned short minDigits = 2) {
  return STimeString(STime(seconds), maxDigits, minDigits);
}

TEST(STimeString, HoursMinutesSeconds) {
  EXPECT_EQ(Seconds("1:30"), 5400u);
  EXPECT_EQ(Seconds("1:30:15"), 5415u);
  EXPECT_EQ(Seconds("8"), 28800u);
  EXPECT_EQ(Seconds("0:90"), 5400u);
  EXPECT_EQ(Seconds("0:0:90"), 90u);
  EXPECT_EQ(Seconds(""), 0u);
  EXPECT_EQ(Seconds(":30"), 1800u);
  EXPECT_EQ(Seconds("1:2:3:4"), 3723u); // a fourth part is ignored
  EXPECT_EQ(Seconds("-1:30"), 1800u);
  EXPECT_EQ(Seconds(" 1:30"), 1800u);
  EXPECT_EQ(Seconds("1h:30m"), 5400u);
  // With a time separator, a decimal point is just a character of the part.
  EXPECT_EQ(Seconds("1.5:00"), 3600u);
}

TEST(STimeString, DecimalHours) {
  EXPECT_EQ(Seconds("1.5"), 5400u);
  EXPECT_EQ(Seconds("0.25"), 900u);
  EXPECT_EQ(Seconds("2.333"), 8398u);
  EXPECT_EQ(Seconds(".5"), 1800u);
  EXPECT_EQ(Seconds("3."), 10800u);
  EXPECT_EQ(Seconds("1.5.9"), 5400u);
  EXPECT_EQ(Seconds("1.05"), 3780u);
  EXPECT_EQ(Seconds("1.-5"), 3600u);
}

TEST(STimeString, ManyDecimalsStillReadCorrectly) {
  // Seven to nine decimals: the fraction times 3600 exceeds 32 bits and must not wrap.
  EXPECT_EQ(Seconds("2.3333333"), 8399u);
  EXPECT_EQ(Seconds("0.123456789"), 444u);
  EXPECT_EQ(Seconds("0.999999999"), 3599u);
  // Beyond nine decimals only the first nine count.
  EXPECT_EQ(Seconds("1.1234567890123"), 4044u);
  EXPECT_EQ(Seconds("0.99999999999999999999999999999999999"), 3599u);
  EXPECT_EQ(Seconds("1." + std::string(40, '0') + "5"), 3600u);
  EXPECT_EQ(Seconds("1.5" + std::string(300, '0')), 5400u);
  EXPECT_EQ(Seconds("1.-" + std::string(20, '9')), 3600u);
}

TEST(STimeString, FormatsWithPaddingAndClamping) {
  EXPECT_EQ(Text(5400), "01:30:00");
  EXPECT_EQ(Text(0), "00:00:00");
  EXPECT_EQ(Text(5415), "01:30:15");
  EXPECT_EQ(Text(359999), "99:59:59");
  EXPECT_EQ(Text(360000), "99:59:59");
  EXPECT_EQ(Text(360000 + 61), "99:59:59");
  EXPECT_EQ(Text(4294967295UL), "99:59:59");
  EXPECT_EQ(Text(5400, 3, 1), "1:30:00");
  EXPECT_EQ(Text(999 * 3600, 3, 1), "999:00:00");
  EXPECT_EQ(Text(1000 * 3600, 3, 1), "999:59:59");
  EXPECT_EQ(Text(5 * 3600, 4, 2), "05:00:00");
  EXPECT_EQ(Text(123 * 3600 + 4, 4, 2), "123:00:04");
  EXPECT_EQ(Text(4294967295UL, 10, 2), "1193046:28:15");
  EXPECT_EQ(Text(4294967295UL, 60000, 2), "1193046:28:15");
  EXPECT_EQ(Text(5400, 12, 12), "000000000001:30:00");
  EXPECT_EQ(Text(5400, 0, 0), ":59:59");
  EXPECT_EQ(Text(59, 0, 0), ":00:59");
  EXPECT_EQ(Text(5400, 1, 0), "1:30:00");
  EXPECT_EQ(Text(0, 1, 0), ":00:00");
}

TEST(STimeString, FormattedDurationsReadBack) {
  std::mt19937 random(7);
  std::uniform_int_distribution<unsigned long> seconds(0, 100UL * 3600 - 1);
  for (int i = 0; i < 5000; ++i) {
    const unsigned long value = seconds(random);
    const STimeString text(STime(value), 2, 2);
    ASSERT_EQ(text.size(), 8u);
    ASSERT_EQ(static_cast<unsigned long>(STime(text)), value) << text;
  }
}

TEST(STimeString, TextAssignmentKeepsTheText) {
  STimeString s(3, 1);
  s = "1.5";
  EXPECT_EQ(s, "1.5");
  s = std::string("abc");
  EXPECT_EQ(s, "abc");
  EXPECT_EQ(static_cast<unsigned long>(STime(s)), 0u);
  s = static_cast<const char *>(nullptr);
  EXPECT_EQ(s, "");
  s = STime(5400);
  EXPECT_EQ(s, "1:30:00");
  EXPECT_EQ(s.GetMaxHourDigits(), 3);
  EXPECT_EQ(s.GetMinHourDigits(), 1);
}

TEST(STime, ArithmeticAndOrder) {
  STime total;
  total += STime(5400);
  total += STime(600);
  EXPECT_EQ(static_cast<unsigned long>(total), 6000u);
  total -= STime(5400);
  EXPECT_EQ(static_cast<unsigned long>(total), 600u);
  EXPECT_TRUE(STime(1) < STime(2));
  EXPECT_FALSE(STime(2) < STime(2));
  STime wrap(1);
  wrap -= STime(2);
  EXPECT_EQ(static_cast<unsigned long>(wrap), 4294967295UL);
}

} // namespace
