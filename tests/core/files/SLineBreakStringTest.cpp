// Line-break formats and their byte sequences.
#include "files/SLineBreakFormat.h"
#include "files/SLineBreakString.h"

#include <gtest/gtest.h>

// The bytes of each format are checked by the byte-for-byte round trips of time sheets.
TEST(SLineBreakString, DefaultsToWindowsAndGivesNothingForAnUnknownFormat) {
  EXPECT_EQ(SLineBreakFormat().GetFormat(), SLineBreakFormat::eDOS);
  EXPECT_EQ(SLineBreakString(), "\r\n");
  EXPECT_EQ(SLineBreakString(static_cast<SLineBreakFormat::EFormat>(3)), "");
  EXPECT_EQ(SLineBreakString(static_cast<SLineBreakFormat::EFormat>(-1)), "");
}
