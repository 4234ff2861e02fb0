// The printed pages of a time sheet view: whichever list the view shows, row by row as on
// screen, under a page header (title, today's date, page number) and above a page footer
// (the whole time sheet's total duration and entry count). One logical unit is one point,
// inside half-inch margins. Printing, print preview and tests that render pages all go
// through it.
#pragma once

#include <cstdint>

#include <wx/prntbase.h>
#include <wx/weakref.h>

#include "other/WPrintInfo.h"

class WTimeSheetView;

class WTimeSheetPrintout : public wxPrintout {
public:
  /// The pages of `inView`; a view that goes away leaves a printout of no pages.
  explicit WTimeSheetPrintout(WTimeSheetView & inView);

  /// Measures the DC and counts the pages of the pane the view shows now.
  void OnPreparePrinting() override;
  /// Pages 1 to the page count, all selected.
  void GetPageInfo(int * outMinPage, int * outMaxPage, int * outFromPage, int * outToPage) override;
  /// True for pages 1 to the page count.
  bool HasPage(int inPage) override;
  /// Prints page `inPage`: header, footer, column titles and the page's rows.
  bool OnPrintPage(int inPage) override;

  /// The page count found by OnPreparePrinting.
  std::int32_t PageCount() const { return mPageCount; }
  /// The measurements of the last page prepared.
  const WPrintInfo & PrintInfo() const { return mPrintInfo; }

private:
  // Measures the DC for page `inPage` and the area inside the margins.
  bool Measure(int inPage);
  // Maps the DC so that one logical unit is one point and (0, 0) lies half an inch in
  // from the paper's top-left corner.
  void OnPrepareDC(wxDC & ioDC);
  void PrintHeader(wxDC & ioDC, const wxFont & inFont);
  void PrintFooter(wxDC & ioDC, const wxFont & inFont);
  void PrintContent();
  // The page count of the pane shown (which paginates itself for Print).
  std::int32_t GetNumPages();

  wxWeakRef<WTimeSheetView> mView;
  WPrintInfo mPrintInfo;
  std::int32_t mPageCount = 0;
};
