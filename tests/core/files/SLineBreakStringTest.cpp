// Line-break formats and their byte sequences.
#include "files/SLineBreakFormat.h"
#include "files/SLineBreakString.h"

#include <gtest/gtest.h>

TEST(SLineBreakString, GivesTheBytesOfEachFormatAndNothingForAnUnknownOne) {
  EXPECT_EQ(SLineBreakFormat().GetFormat(), SLineBreakFormat::eDOS);
  EXPECT_EQ(SLineBreakString(SLineBreakFormat::eMac), "\r");
  EXPECT_EQ(SLineBreakString(SLineBreakFormat::eDOS), "\r\n");
  EXPECT_EQ(SLineBreakString(SLineBreakFormat::eUNIX), "\n");
  EXPECT_EQ(SLineBreakString(), "\r\n");
  EXPECT_EQ(SLineBreakString(static_cast<SLineBreakFormat::EFormat>(3)), "");
  EXPECT_EQ(SLineBreakString(static_cast<SLineBreakFormat::EFormat>(-1)), "");
}
