// The in-place edit box of the flat list.
#include "controls/WInPlaceEdit.h"

wxBEGIN_EVENT_TABLE(WInPlaceEdit, wxTextCtrl)
  EVT_CHAR_HOOK(WInPlaceEdit::OnCharHook)
wxEND_EVENT_TABLE()

WInPlaceEdit::WInPlaceEdit(wxWindow * inParent, const wxString & inText, const wxRect & inRect)
    : wxTextCtrl(inParent, sControlId, inText, inRect.GetPosition(), inRect.GetSize(),
                 wxBORDER_SIMPLE | wxTE_PROCESS_ENTER) {}

void WInPlaceEdit::Finish(bool inKeep) {
  if (!inKeep) {
    DiscardEdits();
  }
  wxCommandEvent event(wxEVT_TEXT_ENTER, GetId());
  event.SetEventObject(this);
  event.SetString(GetValue());
  GetEventHandler()->ProcessEvent(event);
}

void WInPlaceEdit::OnCharHook(wxKeyEvent & inEvent) {
  switch (inEvent.GetKeyCode()) {
  case WXK_RETURN:
  case WXK_NUMPAD_ENTER:
    Finish(true);
    break;
  case WXK_ESCAPE:
    Finish(false);
    break;
  default:
    inEvent.Skip();
    break;
  }
}
