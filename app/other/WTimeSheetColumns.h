// The positions and widths of the six columns of a time sheet view, shared by its header,
// its two lists and its printout.
#pragma once

#include <array>
#include <cstdint>

/// Column 0 date, 1 duration, 2 who code, 3 job number, 4 fee code, 5 description. Offsets
/// are measured from the left edge of a list pane; every change keeps
/// mOffset[i + 1] == mOffset[i] + mWidth[i].
class WTimeSheetColumns {
public:
  static constexpr int sColumnCount = 6;
  static constexpr int sDescription = 5;

  /// The default layout: Date 76, Duration 64, Who 48, Job 64, Code 48 from offset 20,
  /// Description 0 until the view has a size.
  WTimeSheetColumns();

  /// Gives column `inColumn` the width `inWidth`, moves every column to its right by the
  /// difference and takes the difference from Description (which stays at 0 or more).
  /// Returns the difference. Changing Description itself changes only its width.
  std::int32_t SetWidth(int inColumn, std::int32_t inWidth);
  /// Sets the Description width (0 or more).
  void SetDescriptionWidth(std::int32_t inWidth);
  /// The summed widths of the columns before Description.
  std::int32_t FixedWidth() const;

  std::array<std::int32_t, sColumnCount> mOffset;
  std::array<std::int32_t, sColumnCount> mWidth;
};
