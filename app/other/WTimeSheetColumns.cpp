// The column layout of a time sheet view.
#include "other/WTimeSheetColumns.h"

#include <algorithm>

WTimeSheetColumns::WTimeSheetColumns()
    : mOffset{20, 96, 160, 208, 272, 320}, mWidth{76, 64, 48, 64, 48, 0} {}

std::int32_t WTimeSheetColumns::SetWidth(int inColumn, std::int32_t inWidth) {
  if (inColumn < 0 || inColumn >= sColumnCount) {
    return 0;
  }
  inWidth = std::max<std::int32_t>(inWidth, 0);
  const std::int32_t difference = inWidth - mWidth[inColumn];
  mWidth[inColumn] = inWidth;
  if (inColumn == sDescription) {
    return difference;
  }
  for (int column = inColumn + 1; column < sColumnCount; ++column) {
    mOffset[column] += difference;
  }
  mWidth[sDescription] = std::max<std::int32_t>(mWidth[sDescription] - difference, 0);
  return difference;
}

void WTimeSheetColumns::SetDescriptionWidth(std::int32_t inWidth) {
  mWidth[sDescription] = std::max<std::int32_t>(inWidth, 0);
}

std::int32_t WTimeSheetColumns::FixedWidth() const { return mOffset[sDescription] - mOffset[0]; }
