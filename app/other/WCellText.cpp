// Drawing one cell's text.
#include "other/WCellText.h"

#include <algorithm>
#include <deque>

#include <wx/control.h>
#include <wx/graphics.h>

namespace {

// What a cell needs to know of the DC's font at the DC's scale: its widest printable ASCII
// character and its height.
struct Metrics {
  int widest = 0;
  int height = 0;
};

// The metrics of the DC's font. The last few fonts asked about are remembered, known by their
// shared data (comparing fonts by their attributes lays text out): a tree draws its group rows
// bold and its entries plain, row after row.
Metrics FontMetrics(wxDC & ioDC) {
  struct Known {
    wxFont font;
    wxSize ppi;
    double scaleX, scaleY;
    Metrics metrics;
  };
  static auto & sKnown = *new std::deque<Known>; // kept to the end: no font may outlive the toolkit
  constexpr std::size_t kRemembered = 8;
  double scaleX = 1, scaleY = 1;
  ioDC.GetUserScale(&scaleX, &scaleY);
  // A window's DC draws at the screen's resolution; asking it for that looks up the display.
  const wxSize ppi = ioDC.GetWindow() != nullptr ? wxSize() : ioDC.GetPPI();
  const wxFont font = ioDC.GetFont();
  for (const Known & known : sKnown)
    if (known.font.IsSameAs(font) && known.ppi == ppi && known.scaleX == scaleX && known.scaleY == scaleY)
      return known.metrics;
  Metrics metrics;
  for (char c = ' '; c <= '~'; ++c)
    metrics.widest = std::max(metrics.widest, ioDC.GetTextExtent(wxString(c)).x);
  metrics.height = ioDC.GetCharHeight();
  if (sKnown.size() == kRemembered)
    sKnown.pop_back();
  sKnown.push_front({font, ppi, scaleX, scaleY, metrics});
  return metrics;
}

// Whether inText is short enough to fit inWidth whatever its printable ASCII characters are,
// so that it need not be measured (measuring lays the text out, as drawing does again).
bool SurelyFits(const Metrics & inMetrics, const wxString & inText, int inWidth) {
  const std::size_t length = inText.length();
  if (length > static_cast<std::size_t>(inWidth))
    return false;
  for (const wxUniChar c : inText)
    if (c < ' ' || c > '~')
      return false;
  return static_cast<long long>(length) * (inMetrics.widest + 1) <= inWidth;
}

// Draws inText at (inX, inY) unclipped. A DC drawing through a graphics context measures
// every text it draws, for its bounding box, which no cell needs: draw on the context itself.
void DrawUnclipped(wxDC & ioDC, const wxString & inText, int inX, int inY) {
  wxGraphicsContext * const context = ioDC.GetGraphicsContext();
  if (context != nullptr && ioDC.GetBackgroundMode() == wxBRUSHSTYLE_TRANSPARENT &&
      ioDC.GetLogicalFunction() == wxCOPY) {
    context->DrawText(inText, inX, inY);
  } else {
    ioDC.DrawText(inText, inX, inY);
  }
}

} // namespace

wxString WCellText::Fit(wxDC & ioDC, const wxString & inText, int inWidth) {
  if (inText.empty() || SurelyFits(FontMetrics(ioDC), inText, inWidth) || ioDC.GetTextExtent(inText).x <= inWidth) {
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
  const Metrics metrics = FontMetrics(ioDC);
  int y = inRect.y;
  if (inCentred) {
    y += (inRect.height - metrics.height) / 2;
  }
  // The cell's width, but the row's height: the shrunk cell would cut off the tops of
  // accented capitals.
  const int top = std::min(inRect.y, inRow.y);
  const int bottom = std::max(inRect.GetBottom(), inRow.GetBottom());
  // Short plain text that stays within the row needs neither an ellipsis nor clipping.
  if (SurelyFits(metrics, inText, inRect.width) && y >= top && y + metrics.height - 1 <= bottom) {
    DrawUnclipped(ioDC, inText, inRect.x, y);
    return;
  }
  const wxString text = Fit(ioDC, inText, inRect.width);
  wxDCClipper clip(ioDC, wxRect(inRect.x, top, inRect.width, bottom - top + 1));
  ioDC.DrawText(text, inRect.x, y);
}
