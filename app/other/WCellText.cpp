// Drawing one cell's text.
#include "other/WCellText.h"

#include <algorithm>

#include <wx/control.h>

namespace {

// The widest printable ASCII character of the DC's font at the DC's scale, remembered for
// the last font and scale asked about.
int WidestAscii(wxDC & ioDC) {
  static wxFont & sFont = *new wxFont; // kept to the end: no font may outlive the toolkit
  static wxSize sPpi;
  static double sScaleX = 0, sScaleY = 0;
  static int sWidest = -1;
  double scaleX = 1, scaleY = 1;
  ioDC.GetUserScale(&scaleX, &scaleY);
  const wxFont font = ioDC.GetFont();
  const wxSize ppi = ioDC.GetPPI();
  if (sWidest < 0 || !(font == sFont) || ppi != sPpi || scaleX != sScaleX || scaleY != sScaleY) {
    int widest = 0;
    for (char c = ' '; c <= '~'; ++c)
      widest = std::max(widest, ioDC.GetTextExtent(wxString(c)).x);
    sFont = font;
    sPpi = ppi;
    sScaleX = scaleX;
    sScaleY = scaleY;
    sWidest = widest;
  }
  return sWidest;
}

// Whether inText is short enough to fit inWidth whatever its printable ASCII characters are,
// so that it need not be measured (measuring lays the text out, as drawing does again).
bool SurelyFits(wxDC & ioDC, const wxString & inText, int inWidth) {
  const std::size_t length = inText.length();
  if (length > static_cast<std::size_t>(inWidth))
    return false;
  for (const wxUniChar c : inText)
    if (c < ' ' || c > '~')
      return false;
  return static_cast<long long>(length) * (WidestAscii(ioDC) + 1) <= inWidth;
}

} // namespace

wxString WCellText::Fit(wxDC & ioDC, const wxString & inText, int inWidth) {
  if (inText.empty() || SurelyFits(ioDC, inText, inWidth) || ioDC.GetTextExtent(inText).x <= inWidth) {
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
