// The question before a time sheet is cleared.
#include "dialogs/WConfirmClearDialog.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>
#include <wx/stattext.h>

#include "other/WModalRunner.h"
#include "resources/WStringTable.h"

WConfirmClearDialog::WConfirmClearDialog(unsigned inId, bool inMerged, wxWindow * inParent)
    : wxDialog(inParent, wxID_ANY, Title()), mID(inId), mMerged(inMerged) {
  // Laid out in dialog units, as the two forms were drawn.
  const auto units = [this](int inX, int inY) { return ConvertDialogToPixels(wxPoint(inX, inY)); };
  const auto extent = [this](int inWidth, int inHeight) {
    return ConvertDialogToPixels(wxSize(inWidth, inHeight));
  };
  SetClientSize(extent(256, inMerged ? 70 : 62));

  mRect = wxRect(units(14, 12), extent(32, 32));
  mMessage = new wxStaticText(this, wxID_ANY, WStringTable::Get(inId), units(44, 12),
                              extent(200, inMerged ? 24 : 16));
  mMessage->Wrap(extent(200, 0).x);

  const wxSize buttonSize = extent(64, 14);
  if (inMerged) {
    new wxButton(this, eClear, "Clear", units(14, 48), buttonSize);
    new wxButton(this, eDontClear, "Don't Clear", units(84, 48), buttonSize);
    auto * saveAndClear = new wxButton(this, eSaveAndClear, "Save && Clear", units(180, 48), buttonSize);
    MakeDefault(*saveAndClear);
    saveAndClear->SetFocus();
    SetEscapeId(wxID_NONE);
    for (int id : {eClear, eDontClear, eSaveAndClear})
      Bind(wxEVT_BUTTON, &WConfirmClearDialog::OnMergeButton, this, id);
    Bind(wxEVT_CHAR_HOOK, &WConfirmClearDialog::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &WConfirmClearDialog::OnClose, this);
  } else {
    auto * dontClear = new wxButton(this, wxID_CANCEL, "Don't Clear", units(110, 40), buttonSize);
    new wxButton(this, wxID_OK, "Clear", units(180, 40), buttonSize);
    MakeDefault(*dontClear);
    dontClear->SetFocus();
  }
  Bind(wxEVT_PAINT, &WConfirmClearDialog::OnPaint, this);
  CentreOnParent();
}

void WConfirmClearDialog::MakeDefault(wxButton & ioButton) {
  ioButton.SetDefault();
  SetDefaultItem(&ioButton);
#if !defined(__WXMSW__)
  // The toolkit's theme draws a default button like any other: a bold label tells it.
  ioButton.SetFont(ioButton.GetFont().Bold());
#endif
}

int WConfirmClearDialog::DoModal() { return WModalRunner::Run(*this); }

wxString WConfirmClearDialog::GetMessage() const {
  // The text as shown, read without the line breaks that fit it to its width.
  wxString text = mMessage->GetLabel();
  text.Replace("\n", " ");
  return text;
}

void WConfirmClearDialog::OnPaint(wxPaintEvent &) {
  wxPaintDC dc(this);
  const wxBitmap icon = wxArtProvider::GetBitmap(wxART_WARNING, wxART_MESSAGE_BOX, wxSize(32, 32));
  if (!icon.IsOk())
    return;
  // The icon on the dialog's face colour, stretched to the placeholder's rectangle.
  wxBitmap image(32, 32);
  {
    wxMemoryDC memory(image);
    memory.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_3DFACE)));
    memory.Clear();
    memory.DrawBitmap(icon, 0, 0, true);
  }
  const wxImage scaled = image.ConvertToImage().Scale(mRect.width, mRect.height, wxIMAGE_QUALITY_HIGH);
  dc.DrawBitmap(wxBitmap(scaled), mRect.GetTopLeft());
}

void WConfirmClearDialog::OnMergeButton(wxCommandEvent & inEvent) { EndModal(inEvent.GetId()); }

void WConfirmClearDialog::OnCharHook(wxKeyEvent & inEvent) {
  if (inEvent.GetKeyCode() == WXK_ESCAPE && IsModal()) {
    EndModal(wxID_CANCEL);
    return;
  }
  inEvent.Skip();
}

void WConfirmClearDialog::OnClose(wxCloseEvent & inEvent) {
  if (IsModal())
    EndModal(wxID_CANCEL);
  else
    inEvent.Skip();
}
