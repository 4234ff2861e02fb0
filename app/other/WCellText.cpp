// Drawing one cell's text.
#include "other/WCellText.h"

#include <wx/control.h>

wxString WCellText::Fit(wxDC & ioDC, const wxString & inText, int inWidth) {
  if (inText.empty() || ioDC.GetTextExtent(inText).x <= inWidth) {
    return inText;
  }
  return wxControl::Ellipsize(inText, ioDC, wxELLIPSIZE_END, inWidth, wxELLIPSIZE_FLAGS_NONE);
}

void WCellText::Draw(wxDC & ioDC, const wxString & inText, const wxRect & inRect, bool inCentred) {
  if (inRect.width <= 0 || inRect.height <= 0 || inText.empty()) {
    return;
  }
  const wxString text = Fit(ioDC, inText, inRect.width);
  int y = inRect.y;
  if (inCentred) {
    y += (inRect.height - ioDC.GetCharHeight()) / 2;
  }
  wxDCClipper clip(ioDC, inRect);
  ioDC.DrawText(text, inRect.x, y);
}
