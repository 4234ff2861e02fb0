// A button with two states drawn with four pictures.
#include "controls/W2StateBitmapButton.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

wxBEGIN_EVENT_TABLE(W2StateBitmapButton, wxControl)
  EVT_LEFT_DOWN(W2StateBitmapButton::OnLButtonDown)
  EVT_LEFT_DCLICK(W2StateBitmapButton::OnLButtonDown)
  EVT_LEFT_UP(W2StateBitmapButton::OnLButtonUp)
  EVT_MOTION(W2StateBitmapButton::OnMouseMove)
  EVT_MOUSE_CAPTURE_LOST(W2StateBitmapButton::OnCaptureLost)
  EVT_PAINT(W2StateBitmapButton::OnPaint)
wxEND_EVENT_TABLE()

W2StateBitmapButton::W2StateBitmapButton(wxEventType inMessage, bool inState2, bool inSelected)
    : mMessage(inMessage), mInState2(inState2), mSelected(inSelected) {}

bool W2StateBitmapButton::Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPos,
                                 const wxSize & inSize) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  return wxControl::Create(inParent, inId, inPos, inSize, wxBORDER_NONE);
}

void W2StateBitmapButton::LoadBitmaps(const wxBitmap & inFirst, const wxBitmap & inSecond,
                                      const wxBitmap & inThird, const wxBitmap & inFourth) {
  const wxBitmap * bitmaps[4] = {&inFirst, &inSecond, &inThird, &inFourth};
  for (int i = 0; i < 4; ++i)
    mImages[i] = bitmaps[i]->IsOk() ? bitmaps[i]->ConvertToImage() : wxImage();
  Refresh();
}

void W2StateBitmapButton::SetInState2(bool inState2) {
  mInState2 = inState2;
  Refresh();
}

void W2StateBitmapButton::SetSelected(bool inSelected) {
  mSelected = inSelected;
  Refresh();
}

wxSize W2StateBitmapButton::DoGetBestSize() const {
  return mImages[0].IsOk() ? mImages[0].GetSize() : wxSize(16, 16);
}

void W2StateBitmapButton::OnLButtonDown(wxMouseEvent & inEvent) {
  if (!mButtonDown)
    mInside = GetClientRect().Contains(inEvent.GetPosition());
  mButtonDown = true;
  if (!HasCapture())
    CaptureMouse();
  Refresh();
}

void W2StateBitmapButton::OnMouseMove(wxMouseEvent & inEvent) {
  const bool inside = GetClientRect().Contains(inEvent.GetPosition());
  if (inside != mInside) {
    mInside = inside;
    if (mButtonDown)
      Refresh();
  }
}

void W2StateBitmapButton::OnLButtonUp(wxMouseEvent & inEvent) {
  mInside = GetClientRect().Contains(inEvent.GetPosition());
  HandleRelease();
}

void W2StateBitmapButton::HandleRelease() {
  if (mButtonDown && mInside)
    mInState2 = !mInState2;
  mButtonDown = false;
  if (HasCapture())
    ReleaseMouse();
  Refresh();
  wxWindow * parent = GetParent();
  if (parent != nullptr && mMessage != wxEVT_NULL) {
    wxCommandEvent notification(mMessage, GetId());
    notification.SetEventObject(this);
    notification.SetInt(mInState2 ? 1 : 0);
    notification.SetExtraLong(mInside ? 1 : 0);
    parent->GetEventHandler()->ProcessEvent(notification);
  }
}

void W2StateBitmapButton::OnCaptureLost(wxMouseCaptureLostEvent &) {
  mButtonDown = false;
  Refresh();
}

int W2StateBitmapButton::GetImageIndex() const {
  for (const wxImage & image : mImages) {
    if (!image.IsOk())
      return -1;
  }
  const bool pressed = mButtonDown && mInside;
  if (mInState2)
    return pressed ? 2 : 1;
  return pressed ? 3 : 0;
}

void W2StateBitmapButton::DrawItem(wxDC & inDC, const wxRect & inRect) const {
  const int index = GetImageIndex();
  if (index < 0)
    return;
  const wxColour fill =
      wxSystemSettings::GetColour(mSelected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW);
  wxImage image = mImages[index].Scale(inRect.width, inRect.height, wxIMAGE_QUALITY_NEAREST);
  const bool hasAlpha = image.HasAlpha();
  unsigned char * rgb = image.GetData();
  for (int i = 0, count = inRect.width * inRect.height; i < count; ++i, rgb += 3) {
    // Transparent parts show the fill; on the selection colour the picture is combined
    // with it by "and", so black stays black and white takes the selection colour.
    const bool clear = hasAlpha && image.GetAlpha()[i] < 128;
    if (clear) {
      rgb[0] = fill.Red();
      rgb[1] = fill.Green();
      rgb[2] = fill.Blue();
    } else if (mSelected) {
      rgb[0] &= fill.Red();
      rgb[1] &= fill.Green();
      rgb[2] &= fill.Blue();
    }
  }
  if (hasAlpha)
    image.ClearAlpha();
  inDC.DrawBitmap(wxBitmap(image), inRect.GetTopLeft());
}

void W2StateBitmapButton::OnPaint(wxPaintEvent &) {
  wxAutoBufferedPaintDC dc(this);
  const wxRect rect = GetClientRect();
  dc.SetBrush(wxBrush(wxSystemSettings::GetColour(mSelected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW)));
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.DrawRectangle(rect);
  DrawItem(dc, rect);
}
