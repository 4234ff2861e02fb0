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
