// Drawing one cell's text.
#include "other/WCellText.h"

#include <algorithm>

#include <wx/control.h>

wxString WCellText::Fit(wxDC & ioDC, const wxString & inText, int inWidth) {
  if (inText.empty() || ioDC.GetTextExtent(inText).x <= inWidth) {
    return inText;
  }
  return wxControl::Ellipsize(inText, ioDC, wxELLIPSIZE_END, inWidth, wxELLIPSIZE_FLAGS_NONE);
}

void WCellText::Draw(wxDC & ioDC, const wxString & inText, const wxRect & inRect, bool inCentred) {
  Draw(ioDC, inText, inRect, inCentred, inRect);
}

void WCellText::Draw(wxDC & ioDC, const wxString & inText, const wxRect & inRect, bool inCentred,
                     const wxRect & inRow) {
  if (inRect.width <= 0 || inRect.height <= 0 || inText.empty()) {
    return;
  }
  const wxString text = Fit(ioDC, inText, inRect.width);
  int y = inRect.y;
  if (inCentred) {
    y += (inRect.height - ioDC.GetCharHeight()) / 2;
  }
  // The cell's width, but the row's height: the shrunk cell would cut off the tops of
  // accented capitals.
  const int top = std::min(inRect.y, inRow.y);
  const int bottom = std::max(inRect.GetBottom(), inRow.GetBottom());
  wxDCClipper clip(ioDC, wxRect(inRect.x, top, inRect.width, bottom - top + 1));
  ioDC.DrawText(text, inRect.x, y);
}
