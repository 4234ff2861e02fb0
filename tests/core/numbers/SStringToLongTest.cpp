// Text-to-number conversion: signs, limits, overflow.
#include "numbers/SStringToLong.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

long Read(const char * text) {
  return SStringToLong::StringToLong(text, static_cast<long>(std::strlen(text)));
}

TEST(SStringToLong, ReadsLeadingDigitsOnly) {
  EXPECT_EQ(Read("123"), 123);
  EXPECT_EQ(Read("0"), 0);
  EXPECT_EQ(Read(""), 0);
  EXPECT_EQ(Read("12a3"), 12);
  EXPECT_EQ(Read(" 12"), 0);
  EXPECT_EQ(Read("+12"), 0);
  EXPECT_EQ(Read("007"), 7);
  EXPECT_EQ(SStringToLong::StringToLong("12345", 3), 123);
  EXPECT_EQ(SStringToLong::StringToLong("12345", 0), 0);
}

TEST(SStringToLong, MinusIsNotCountedInTheLength) {
  EXPECT_EQ(Read("-123"), -123);
  EXPECT_EQ(SStringToLong::StringToLong("-123", 3), -123);
  EXPECT_EQ(SStringToLong::StringToLong("-123", 1), -1);
  EXPECT_EQ(Read("-"), 0);
  EXPECT_EQ(Read("--1"), 0);
}

TEST(SStringToLong, OverflowClampsTo32BitMaximum) {
  EXPECT_EQ(Read("2147483647"), 2147483647L);
  EXPECT_EQ(Read("2147483648"), 2147483647L);
  EXPECT_EQ(Read("99999999999999999999999999"), 2147483647L);
  EXPECT_EQ(Read("-2147483648"), -2147483647L);
  EXPECT_EQ(Read("-99999999999"), -2147483647L);
  EXPECT_EQ(Read("214748364"), 214748364L);
  EXPECT_EQ(Read("21474836470"), 2147483647L);
}

TEST(SStringToLong, UnsignedCharactersReadTheSame) {
  const unsigned char text[] = {'4', '2', 0xE9, '7'};
  EXPECT_EQ(SStringToLong::StringToLong(text, 4), 42);
  const unsigned char negative[] = {'-', '9', '1'};
  EXPECT_EQ(SStringToLong::StringToLong(negative, 2), -91);
}

} // namespace
