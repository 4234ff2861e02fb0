// The column layout: defaults, and every width change keeps the columns edge to edge.
#include <gtest/gtest.h>

#include <random>

#include "other/WTimeSheetColumns.h"

namespace {

void ExpectEdgeToEdge(const WTimeSheetColumns & inColumns) {
  for (std::size_t i = 0; i + 1 < WTimeSheetColumns::sColumnCount; ++i) {
    EXPECT_EQ(inColumns.mOffset[i + 1], inColumns.mOffset[i] + inColumns.mWidth[i]) << "column " << i;
  }
}

} // namespace

TEST(WTimeSheetColumns, DefaultsStartAt20WithDescriptionEmpty) {
  const WTimeSheetColumns columns;
  const std::array<std::int32_t, 6> offsets{20, 96, 160, 208, 272, 320};
  const std::array<std::int32_t, 6> widths{76, 64, 48, 64, 48, 0};
  EXPECT_EQ(columns.mOffset, offsets);
  EXPECT_EQ(columns.mWidth, widths);
  EXPECT_EQ(columns.FixedWidth(), 300);
  ExpectEdgeToEdge(columns);
}

TEST(WTimeSheetColumns, WideningAColumnMovesTheLaterOnesAndNarrowsDescription) {
  WTimeSheetColumns columns;
  columns.SetDescriptionWidth(400);
  EXPECT_EQ(columns.SetWidth(0, 86), 10);
  EXPECT_EQ(columns.mWidth[0], 86);
  const std::array<std::int32_t, 6> offsets{20, 106, 170, 218, 282, 330};
  EXPECT_EQ(columns.mOffset, offsets);
  EXPECT_EQ(columns.mWidth[5], 390);

  // Narrowing Job by 30 gives it back to Description and moves only Code and Description.
  EXPECT_EQ(columns.SetWidth(3, 34), -30);
  EXPECT_EQ(columns.mOffset[3], 218);
  EXPECT_EQ(columns.mOffset[4], 252);
  EXPECT_EQ(columns.mOffset[5], 300);
  EXPECT_EQ(columns.mWidth[5], 420);
  ExpectEdgeToEdge(columns);

  // Description itself only changes its width; nothing moves.
  EXPECT_EQ(columns.SetWidth(5, 100), -320);
  EXPECT_EQ(columns.mOffset[5], 300);
  EXPECT_EQ(columns.mWidth[5], 100);
}

TEST(WTimeSheetColumns, WidthsNeverGoNegative) {
  WTimeSheetColumns columns;
  columns.SetDescriptionWidth(50);
  columns.SetWidth(1, -20);
  EXPECT_EQ(columns.mWidth[1], 0);
  columns.SetWidth(2, 48 + 200); // wider than Description can give
  EXPECT_EQ(columns.mWidth[5], 0);
  ExpectEdgeToEdge(columns);
  columns.SetDescriptionWidth(-5);
  EXPECT_EQ(columns.mWidth[5], 0);
}

TEST(WTimeSheetColumns, RandomChangesKeepTheColumnsEdgeToEdgeAndTheTotalWidth) {
  std::mt19937 random(12345);
  WTimeSheetColumns columns;
  columns.SetDescriptionWidth(5000);
  const std::int32_t total = columns.FixedWidth() + columns.mWidth[5];
  for (int step = 0; step < 2000; ++step) {
    const int column = static_cast<int>(random() % 5);
    columns.SetWidth(column, static_cast<std::int32_t>(random() % 300));
    ExpectEdgeToEdge(columns);
    ASSERT_EQ(columns.mOffset[0], 20);
    // While Description can pay for it, the whole row keeps its width.
    ASSERT_EQ(columns.FixedWidth() + columns.mWidth[5], total);
  }
}
