// The about box, laid out in dialog units: the picture, then a white strip with a line of
// text at the left and the version at the right.
#include "dialogs/WAboutDialog.h"

#include <wx/dcbuffer.h>
#include <wx/stattext.h>

#include "other/WModalRunner.h"
#include "resources/WAboutPicture.h"

#ifndef TALLY_VERSION
#define TALLY_VERSION "0.0.0"
#endif

WAboutDialog::WAboutDialog(wxWindow * inParent)
    : wxDialog(inParent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxBORDER_RAISED) {
  const auto units = [this](int inX, int inY) { return ConvertDialogToPixels(wxPoint(inX, inY)); };
  const auto extent = [this](int inWidth, int inHeight) { return ConvertDialogToPixels(wxSize(inWidth, inHeight)); };
  SetClientSize(extent(211, 143));
  SetBackgroundColour(*wxWHITE);
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  mRect = wxRect(units(0, 0), extent(211, 133));

  auto * left = new wxStaticText(this, wxID_ANY, "  Time sheets, tallied.", units(0, 133), extent(105, 8),
                                 wxST_NO_AUTORESIZE | wxALIGN_LEFT);
  auto * right = new wxStaticText(this, wxID_ANY, VersionText(), units(105, 133), extent(106, 8),
                                  wxST_NO_AUTORESIZE | wxALIGN_RIGHT);
  for (wxWindow * text : {static_cast<wxWindow *>(left), static_cast<wxWindow *>(right)}) {
    text->SetBackgroundColour(*wxWHITE);
    text->SetForegroundColour(wxColour(0x16, 0x3f, 0x44));
    // Clicks and keys on the text close the box as well.
    text->Bind(wxEVT_LEFT_DOWN, &WAboutDialog::OnMouseDown, this);
    text->Bind(wxEVT_MIDDLE_DOWN, &WAboutDialog::OnMouseDown, this);
    text->Bind(wxEVT_RIGHT_DOWN, &WAboutDialog::OnMouseDown, this);
  }

  Bind(wxEVT_PAINT, &WAboutDialog::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &WAboutDialog::OnMouseDown, this);
  Bind(wxEVT_MIDDLE_DOWN, &WAboutDialog::OnMouseDown, this);
  Bind(wxEVT_RIGHT_DOWN, &WAboutDialog::OnMouseDown, this);
  Bind(wxEVT_CHAR_HOOK, &WAboutDialog::OnKey, this);
  Bind(wxEVT_KEY_DOWN, &WAboutDialog::OnKey, this);
  SetEscapeId(wxID_NONE);
  CentreOnScreen();
}

int WAboutDialog::DoModal() { return WModalRunner::Run(*this); }

wxString WAboutDialog::VersionText() { return wxString(TALLY_VERSION) + "  "; }

void WAboutDialog::DrawPicture(wxDC & inDC, const wxRect & inRect) { WAboutPicture::Draw(inDC, inRect); }

void WAboutDialog::OnPaint(wxPaintEvent &) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  WAboutPicture::Draw(dc, mRect);
}

void WAboutDialog::OnMouseDown(wxMouseEvent &) {
  if (IsModal())
    EndModal(0);
  else
    SetReturnCode(0);
}

void WAboutDialog::OnKey(wxKeyEvent &) {
  if (IsModal())
    EndModal(0);
  else
    SetReturnCode(0);
}
