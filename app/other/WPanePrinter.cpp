// Printing the rows of a list pane.
#include "other/WPanePrinter.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/settings.h>

#include "other/WPrintInfo.h"
#include "other/WTimeSheetColumns.h"
#include "views/WTimeSheetView.h"

std::int32_t WPanePrinter::LinesPerPage(const WPrintInfo & inInfo, int inRowHeight) {
  if (inRowHeight <= 0) {
    return 1;
  }
  // The first two lines hold the column titles and an empty line below them.
  return std::max<std::int32_t>((inInfo.mUserLogicalHeight - 2 * inRowHeight) / inRowHeight, 1);
}

std::int32_t WPanePrinter::PageCount(std::size_t inRowCount, std::int32_t inLinesPerPage) {
  const std::size_t rows = std::max<std::size_t>(inRowCount, 1);
  const auto lines = static_cast<std::size_t>(std::max<std::int32_t>(inLinesPerPage, 1));
  return static_cast<std::int32_t>(std::min<std::size_t>((rows - 1) / lines + 1, INT32_MAX));
}

void WPanePrinter::Print(const WPrintInfo & inInfo, std::size_t inRowCount, int inRowHeight,
                         std::int32_t inLinesPerPage, const wxFont & inFont, const DrawRow & inDrawRow) {
  if (inInfo.mDC == nullptr) {
    return;
  }
  wxDC & dc = *inInfo.mDC;
  const auto lines = static_cast<std::size_t>(std::max<std::int32_t>(inLinesPerPage, 1));
  const auto page = static_cast<std::size_t>(std::max(inInfo.CurrentPage(), 1));
  DrawLabels(dc, wxRect(0, 0, inInfo.mUserLogicalX, inRowHeight), inFont);
  const std::size_t first = (page - 1) * lines;
  const std::size_t end = std::min(page * lines, inRowCount);
  for (std::size_t row = first; row < end; ++row) {
    const auto line = static_cast<int>(row % lines);
    inDrawRow(dc, row, wxRect(0, (line + 2) * inRowHeight, inInfo.mUserLogicalX, inRowHeight));
  }
}

void WPanePrinter::DrawLabels(wxDC & ioDC, const wxRect & inRect, const wxFont & inFont) {
  const wxFont oldFont = ioDC.GetFont();
  ioDC.SetFont(inFont);
  ioDC.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
  // The default offsets: the titles do not follow columns resized on screen.
  const WTimeSheetColumns defaults;
  for (int column = 0; column < WTimeSheetColumns::sColumnCount; ++column) {
    ioDC.DrawText(WTimeSheetView::ColumnTitle(column),
                  inRect.x + defaults.mOffset[static_cast<std::size_t>(column)], inRect.y + 1);
  }
  if (oldFont.IsOk()) {
    ioDC.SetFont(oldFont);
  }
}
