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

TEST(SLineBreakString, RemakingReplacesTheWholeText) {
  SLineBreakString text(SLineBreakFormat::eDOS);
  text.MakeLineBreakString(SLineBreakFormat::eUNIX);
  EXPECT_EQ(text, "\n");
  text.MakeLineBreakString(SLineBreakFormat::eDOS);
  EXPECT_EQ(text, "\r\n");
  text.MakeLineBreakString(static_cast<SLineBreakFormat::EFormat>(7));
  EXPECT_TRUE(text.empty());
}

TEST(SLineBreakFormat, KeepsItsValueThroughCopyAndAssignment) {
  SLineBreakFormat format(SLineBreakFormat::eMac);
  SLineBreakFormat copy = format;
  EXPECT_EQ(copy.GetFormat(), SLineBreakFormat::eMac);
  copy = SLineBreakFormat::eUNIX;
  EXPECT_EQ(copy.GetFormat(), SLineBreakFormat::eUNIX);
  EXPECT_EQ(format.GetFormat(), SLineBreakFormat::eMac);
  EXPECT_EQ(copy, SLineBreakFormat(SLineBreakFormat::eUNIX));
}
