// One line of text in a cell of a time sheet list: clipped to the cell, shortened with an
// ellipsis when it does not fit.
#pragma once

#include <wx/dc.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class WCellText {
public:
  /// Draws `inText` left aligned in `inRect` with the DC's font and text colour: at the top,
  /// or vertically centred when `inCentred`. Nothing for an empty rectangle.
  static void Draw(wxDC & ioDC, const wxString & inText, const wxRect & inRect, bool inCentred);
  /// The same, but the glyphs may reach above and below `inRect` up to the edges of the row
  /// `inRow` (accents over capitals, descenders); left and right they stay in `inRect`.
  static void Draw(wxDC & ioDC, const wxString & inText, const wxRect & inRect, bool inCentred,
                   const wxRect & inRow);

  /// `inText` as it fits `inWidth` pixels with the DC's font: unchanged, or cut and ended
  /// in an ellipsis.
  static wxString Fit(wxDC & ioDC, const wxString & inText, int inWidth);
};
