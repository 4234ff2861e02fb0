// The status line of a time sheet window.
#include "panes/WStatusBar.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "application/WTallyworthApp.h"

wxBEGIN_EVENT_TABLE(WStatusBar, wxStatusBar)
  EVT_PAINT(WStatusBar::OnPaint)
  EVT_SIZE(WStatusBar::OnSize)
wxEND_EVENT_TABLE()

bool WStatusBar::Create(wxWindow * inParent, wxWindowID inId) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  if (!wxStatusBar::Create(inParent, inId, wxFULL_REPAINT_ON_RESIZE))
    return false;
  SetFieldsCount(kPaneCount, kPaneWidths.data());
  const int styles[kPaneCount] = {wxSB_FLAT, wxSB_FLAT, wxSB_FLAT, wxSB_FLAT};
  SetStatusStyles(kPaneCount, styles);
  return true;
}

void WStatusBar::RefreshPane(int inPane) {
  ++mRefreshCounts.at(inPane);
  if (mStalePanes.none())
    CallAfter(&WStatusBar::RefreshStalePanes);
  mStalePanes.set(static_cast<std::size_t>(inPane));
}

void WStatusBar::RefreshStalePanes() {
  for (int pane = 0; pane < kPaneCount; ++pane) {
    wxRect rect;
    if (mStalePanes.test(static_cast<std::size_t>(pane)) && GetFieldRect(pane, rect))
      RefreshRect(rect, false);
  }
  mStalePanes.reset();
}

void WStatusBar::DrawAll(wxDC & inDC) {
  const wxSize size = GetClientSize();
  const bool themed = WTallyworthApp::IsWindowsXP();
  inDC.SetPen(*wxTRANSPARENT_PEN);
  inDC.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  inDC.DrawRectangle(0, 0, size.x, size.y);
  // The line's top border.
  inDC.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
  inDC.DrawLine(0, 0, size.x, 0);
  for (int pane = 0; pane < kPaneCount; ++pane) {
    wxRect rect;
    if (!GetFieldRect(pane, rect))
      continue;
    if (!themed) {
      inDC.SetPen(*wxTRANSPARENT_PEN);
      inDC.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_ACTIVEBORDER)));
      inDC.DrawRectangle(rect);
    }
    if (pane + 1 < kPaneCount) {
      // A groove between this pane and the next.
      const int x = rect.GetRight() + 1;
      inDC.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
      inDC.DrawLine(x, rect.y + 1, x, rect.GetBottom());
      inDC.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)));
      inDC.DrawLine(x + 1, rect.y + 1, x + 1, rect.GetBottom());
    }
    if (mDrawItem) {
      inDC.SetClippingRegion(rect);
      mDrawItem(inDC, pane, rect);
      inDC.DestroyClippingRegion();
    }
  }
}

void WStatusBar::OnPaint(wxPaintEvent &) {
  wxAutoBufferedPaintDC dc(this);
  DrawAll(dc);
}

void WStatusBar::OnSize(wxSizeEvent & inEvent) {
  Refresh(false);
  inEvent.Skip();
}
