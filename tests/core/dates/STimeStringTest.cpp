// Duration texts: hours:minutes:seconds, decimal hours, padding and clamping.
#include "dates/STimeString.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

namespace {

unsigned long Seconds(const std::string & text) {
  STimeString s(2, 2);
  s = text;
  return STime(s);
}

std::string Text(unsigned long seconds, unsigned short maxDigits = 2, unsigned short minDigits = 2) {
  return STimeString(STime(seconds), maxDigits, minDigits);
}

TEST(STimeString, ReadsHoursMinutesSecondsAndDecimalHours) {
  const std::pair<std::string, unsigned long> rows[] = {
      {"1:30", 5400}, {"1:30:15", 5415}, {"8", 28800}, {"0:90", 5400}, {"0:0:90", 90}, {"", 0},
      {":30", 1800}, {"1:2:3:4", 3723}, {"-1:30", 1800}, {" 1:30", 1800}, {"1h:30m", 5400},
      {"1.5:00", 3600}, {"1.5", 5400}, {"0.25", 900}, {"2.333", 8398}, {".5", 1800}, {"3.", 10800},
      {"1.5.9", 5400}, {"1.05", 3780}, {"1.-5", 3600},
      // Seven to nine decimals overflow 32 bits when scaled; beyond nine only nine count.
      {"2.3333333", 8399}, {"0.123456789", 444}, {"0.999999999", 3599}, {"1.1234567890123", 4044},
      {"1." + std::string(40, '0') + "5", 3600}, {"1.5" + std::string(300, '0'), 5400}};
  for (const auto & [text, seconds] : rows)
    EXPECT_EQ(Seconds(text), seconds) << text;
}

TEST(STimeString, FormatsWithPaddingAndClamping) {
  struct Row { unsigned long seconds; unsigned short max, min; const char * text; };
  const Row rows[] = {
      {5400, 2, 2, "01:30:00"}, {0, 2, 2, "00:00:00"}, {359999, 2, 2, "99:59:59"}, {360061, 2, 2, "99:59:59"},
      {4294967295UL, 2, 2, "99:59:59"}, {5400, 3, 1, "1:30:00"}, {999 * 3600, 3, 1, "999:00:00"},
      {1000 * 3600, 3, 1, "999:59:59"}, {123 * 3600 + 4, 4, 2, "123:00:04"}, {4294967295UL, 10, 2, "1193046:28:15"},
      {4294967295UL, 60000, 2, "1193046:28:15"}, {5400, 12, 12, "000000000001:30:00"}, {5400, 0, 0, ":59:59"},
      {59, 0, 0, ":00:59"}, {0, 1, 0, ":00:00"}};
  for (const Row & row : rows)
    EXPECT_EQ(Text(row.seconds, row.max, row.min), row.text) << row.seconds << " " << row.max << " " << row.min;
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

} // namespace
