// Text-to-number conversion: leading digits, signs, the length limit, overflow.
#include "numbers/SStringToLong.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(SStringToLong, ReadsLeadingDigitsAndClampsOverflow) {
  const std::pair<const char *, long> rows[] = {
      {"123", 123}, {"", 0}, {"12a3", 12}, {" 12", 0}, {"+12", 0}, {"007", 7}, {"-123", -123}, {"-", 0},
      {"--1", 0}, {"2147483647", 2147483647L}, {"2147483648", 2147483647L}, {"21474836470", 2147483647L},
      {"99999999999999999999999999", 2147483647L}, {"-2147483648", -2147483647L}, {"214748364", 214748364L}};
  for (const auto & [text, value] : rows)
    EXPECT_EQ(SStringToLong::StringToLong(text, static_cast<long>(std::strlen(text))), value) << text;
  // The length counts digits only, not the minus.
  EXPECT_EQ(SStringToLong::StringToLong("12345", 3), 123);
  EXPECT_EQ(SStringToLong::StringToLong("-123", 1), -1);
}
