// What the flat and the grouped list share when they print: the pages their rows fill,
// the rows of one page and the column titles above them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include <wx/font.h>
#include <wx/gdicmn.h>

class WPrintInfo;
class wxDC;

class WPanePrinter {
public:
  /// Draws row `index` of a pane into `rect` as printed (no selection, no focus).
  using DrawRow = std::function<void(wxDC & ioDC, std::size_t inIndex, const wxRect & inRect)>;

  /// Rows of `inRowHeight` points that fit a page under the column titles and an empty
  /// line, at least 1.
  static std::int32_t LinesPerPage(const WPrintInfo & inInfo, int inRowHeight);
  /// The pages `inRowCount` rows fill at `inLinesPerPage` rows a page; at least 1.
  static std::int32_t PageCount(std::size_t inRowCount, std::int32_t inLinesPerPage);

  /// Prints the current page of `inInfo`: the column titles in `inFont`, then the rows of
  /// that page (only those, whatever the number of rows), each `inRowHeight` high.
  static void Print(const WPrintInfo & inInfo, std::size_t inRowCount, int inRowHeight,
                    std::int32_t inLinesPerPage, const wxFont & inFont, const DrawRow & inDrawRow);

  /// Writes the six column titles in `inRect` at the default column offsets.
  static void DrawLabels(wxDC & ioDC, const wxRect & inRect, const wxFont & inFont);
};
