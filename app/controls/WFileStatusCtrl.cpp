// The small icon field in front of a time sheet's column header.
#include "controls/WFileStatusCtrl.h"

#include <wx/dcbuffer.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include "application/WTallyworthApp.h"
#include "resources/WImages.h"
#include "tasks/STaskDocument.h"

wxBEGIN_EVENT_TABLE(WFileStatusCtrl, wxControl)
  EVT_PAINT(WFileStatusCtrl::OnPaint)
wxEND_EVENT_TABLE()

WFileStatusCtrl::WFileStatusCtrl(STaskDocumentData & inDocumentData)
    : mDocumentData(inDocumentData),
      mUntouchedIcon(WImages::Get(WImages::eUntouchedIcon)),
      mTouchedIcon(WImages::Get(WImages::eTouchedIcon)),
      mNeverSavedIcon(WImages::Get(WImages::eNeverSavedIcon)) {
  inDocumentData.GetDocument()->AddListener(this);
}

bool WFileStatusCtrl::Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPos,
                             const wxSize & inSize) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  if (!wxControl::Create(inParent, inId, inPos, inSize, wxBORDER_NONE))
    return false;
  Enable(false);
  return true;
}

void WFileStatusCtrl::ListenToMessage(STaskDocumentMessage) {
  ++mRepaintRequests;
  Refresh();
}

WFileStatusCtrl::EIcon WFileStatusCtrl::GetIcon() const {
  if (!HasDocument() || !mDocumentData.GetIsDirty())
    return eUntouched;
  return mDocumentData.GetStream() != nullptr ? eTouched : eNeverSaved;
}

void WFileStatusCtrl::DrawItem(wxDC & inDC, const wxRect & inRect) {
  if (!WTallyworthApp::IsWindowsXP()) {
    // Without themed drawing the item stays an empty face.
    inDC.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    inDC.SetPen(*wxTRANSPARENT_PEN);
    inDC.DrawRectangle(inRect);
    return;
  }
  wxRendererNative::Get().DrawHeaderButton(this, inDC, inRect, 0);
  const wxBitmap * icon = &mUntouchedIcon;
  switch (GetIcon()) {
  case eUntouched:
    break;
  case eTouched:
    icon = &mTouchedIcon;
    break;
  case eNeverSaved:
    icon = &mNeverSavedIcon;
    break;
  }
  inDC.DrawBitmap(*icon, inRect.x + 2, inRect.y + 2, true);
}

void WFileStatusCtrl::OnPaint(wxPaintEvent &) {
  wxAutoBufferedPaintDC dc(this);
  DrawItem(dc, wxRect(GetClientSize()));
}
