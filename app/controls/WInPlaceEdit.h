// The one-line edit box that opens over a cell of the flat list. Return ends the edit,
// Escape ends it without the change; either way the box reports wxEVT_TEXT_ENTER to its
// parent, which reads it (if modified) and closes it.
#pragma once

#include <wx/textctrl.h>

class WInPlaceEdit : public wxTextCtrl {
public:
  /// The control identifier of the box.
  static constexpr wxWindowID sControlId = 5000;

  /// A bordered single-line box on `inParent` at `inRect` holding `inText`.
  WInPlaceEdit(wxWindow * inParent, const wxString & inText, const wxRect & inRect);

  /// Ends the edit: keeps the text (Return) or drops it (`inKeep` false, Escape) and tells
  /// the parent.
  void Finish(bool inKeep);

private:
  void OnCharHook(wxKeyEvent & inEvent);

  wxDECLARE_EVENT_TABLE();
};
