// The measurements of a printer page and of the area a time sheet prints into: the paper
// and its printable area in device pixels and in points, and the area inside the
// half-inch margins that the page header, the rows and the page footer share.
#pragma once

#include <cstdint>

#include <wx/font.h>

class wxDC;
class wxPrintout;

class WPrintInfo {
public:
  /// The margin on every side, in points.
  static constexpr std::int32_t sMargin = 36;
  /// The height of the page header and of the page footer, in points.
  static constexpr std::int32_t sHeaderHeight = 36;
  static constexpr std::int32_t sFooterHeight = 36;
  /// How far text is indented from the left edge, in points.
  static constexpr std::int32_t sTextIndent = 20;

  virtual ~WPrintInfo() = default;

  /// Stores `inDC` and measures it with what `inJob` knows of the printer (its pixels per
  /// inch, its printable area and the paper around it). The DC may be smaller than the
  /// printer's page (a preview): sizes in device pixels are then counted in its pixels,
  /// sizes in points stay those of the paper.
  void SetDC(wxDC * inDC, const wxPrintout & inJob);
  /// Stores the print job and the page it prints now (from 1).
  void SetPrintInfo(wxPrintout * inJob, int inCurrentPage);
  /// Sets the user area: the paper less the margins, and the height left for rows.
  void ComputeUserArea();

  /// The page being printed (from 1), 0 before a job is stored.
  int CurrentPage() const { return mHasPrintInfo ? mCurrentPage : 0; }

  /// `inFont` resized so that on the stored DC it is as tall, in points, as it is on
  /// screen; unchanged when there is no DC.
  wxFont PrintFont(const wxFont & inFont) const;

  bool mHasDC = false;
  bool mHasPrintInfo = false;
  wxDC * mDC = nullptr;
  wxPrintout * mPrintInfo = nullptr;
  std::int32_t mResolutionX = 0;
  std::int32_t mResolutionY = 0;
  std::int32_t mPaperPhysicalX = 0;
  std::int32_t mPaperPhysicalY = 0;
  std::int32_t mPaperLogicalX = 0;
  std::int32_t mPaperLogicalY = 0;
  std::int32_t mPagePhysicalX = 0;
  std::int32_t mPagePhysicalY = 0;
  std::int32_t mPageLogicalX = 0;
  std::int32_t mPageLogicalY = 0;
  std::int32_t mOffsetPhysicalX = 0;
  std::int32_t mOffsetPhysicalY = 0;
  std::int32_t mUserLogicalX = 0;
  std::int32_t mUserLogicalY = 0;
  std::int32_t mUserLogicalHeight = 0;

private:
  int mCurrentPage = 0;
};
