// A two-state button that lives for one click.
#include "controls/WTransientBitmapButton.h"

WTransientBitmapButton::WTransientBitmapButton(wxEventType inMessage, bool inState2, bool inSelected)
    : W2StateBitmapButton(inMessage, inState2, inSelected) {}

bool WTransientBitmapButton::Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPos,
                                    const wxSize & inSize) {
  if (!W2StateBitmapButton::Create(inParent, inId, inPos, inSize))
    return false;
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  return true;
}

void WTransientBitmapButton::OnLButtonUp(wxMouseEvent & inEvent) {
  W2StateBitmapButton::OnLButtonUp(inEvent);
  // The window goes once the release has been handled; a pending destruction is
  // dropped with the object if the parent takes it down first.
  Hide();
  CallAfter([this] { Destroy(); });
}
